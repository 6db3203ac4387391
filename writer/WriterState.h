// The writer's state that belongs to the class being written: one per thread.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "model/ElemType.h"

// Classes are written on several threads at once. Each thread's state lives in
// an object that the thread owns rather than in thread-local objects, whose
// destructors at thread exit some platforms' runtimes do not run safely.
struct WriterState {
  // The method group being written. Weak, so that no class outlives the run
  // through them.
  std::weak_ptr<IClassType> groupClass;
  std::string groupPiece;
  // The interface whose name ends the header piece, when the group has one.
  std::weak_ptr<IClassType> groupInterface;
  // The header without its stamp, once the group's first header has made its
  // names; every further method of the group repeats it.
  std::string groupHeader;
  // The section of the last method stays open until the next method starts or
  // its group ends, so that a name that fails before a method leaves the file
  // as far as the previous method got.
  bool sectionOpen = false;

  // The names that the variable name list being written must not write (again):
  // those its superclasses declare and those written so far.
  std::set<std::string> listedVariables;

  // Set before the parameters of one operation; only its first keyword
  // continues the operation's name and so starts with a capital letter.
  bool capitalizeNextKeyword = false;
  // The argument words given so far in the selector being written.
  std::set<std::string> selectorArguments;
  // Per argument word, the number from which to look for an unused one: every
  // smaller number is taken already, so a long selector is not searched anew.
  std::map<std::string, unsigned> nextArgumentNumber;

  // The text that closes every method protocol header of the current class.
  std::string stampSuffix;
};

// The calling thread's state: the one it uses, or the process's own.
WriterState& CurrentWriterState();
// Makes the calling thread use the state, which must outlive that use; nullptr
// stands for the process's own.
void UseWriterState(WriterState* state);
