// Method groups: the side and protocol of the methods a class layout is given.
#pragma once

#include <string>
#include <string_view>

#include "model/ElemType.h"
#include "writer/ByteBuffer.h"
#include "writer/ClassLayout.h"
#include "writer/Compose.h"

// The methods of a class, handed to its layout one at a time as they are
// composed, each in the group begun last.
class MethodSections {
 public:
  explicit MethodSections(Composer& out) : out_(out) {}
  MethodSections(const MethodSections&) = delete;
  MethodSections& operator=(const MethodSections&) = delete;

  // Where the open method's text is composed.
  Composer& Out() { return out_; }
  // The methods started from now on go to this layout; none for nullptr, which
  // drops a method still open without ending it.
  void ComposeMethodsOf(ClassLayout* layout);
  // The methods that follow are on the given side, in the protocol.
  void BeginMethodGroup(bool classSide, std::string_view protocol);
  // The methods that follow are the class's stubs of the interface's operations,
  // in a protocol named after the interface.
  void BeginInterfaceGroup(const PClassType& interface);
  // Ends the method before, if one is open, and starts the next method of the
  // group: what is written from here on is its text.
  void StartMethod();
  // Hands the open method's rest to the layout and ends it.
  void EndMethod();

 private:
  Composer& out_;
  ClassLayout* layout_ = nullptr;
  bool classSide_ = false;
  std::string protocol_;
  // The interface that names the group's protocol. It is named at the group's
  // first method, so that an interface without operations is never named.
  PClassType interface_;
  // The open method's text not yet handed on: one buffer for every method, so
  // that composing a method allocates nothing once it has grown.
  ByteBuffer buffer_;
  bool open_ = false;
};
