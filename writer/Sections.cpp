// Method groups: the side and protocol of the methods a class layout is given.
#include "writer/Sections.h"

#include "model/Error.h"
#include "writer/Naming.h"

void MethodSections::ComposeMethodsOf(ClassLayout* layout) {
  if (open_) out_.StopComposing();
  open_ = false;
  layout_ = layout;
}

void MethodSections::BeginMethodGroup(bool classSide, std::string_view protocol) {
  classSide_ = classSide;
  protocol_.assign(protocol);
  interface_.reset();
}

void MethodSections::BeginInterfaceGroup(const PClassType& interface) {
  BeginMethodGroup(false, "");
  interface_ = interface;
}

void MethodSections::StartMethod() {
  EndMethod();
  if (interface_) {
    protocol_ = StClassName(interface_, out_.Names());
    interface_.reset();
  }
  if (layout_ == nullptr) throw GenericError("no class layout takes methods");
  layout_->BeginMethod(classSide_, protocol_);
  buffer_.Clear();
  out_.ComposeInto(buffer_, *layout_);
  open_ = true;
}

void MethodSections::EndMethod() {
  if (!open_) return;
  open_ = false;
  out_.DrainComposed();
  out_.StopComposing();
  layout_->End();
}
