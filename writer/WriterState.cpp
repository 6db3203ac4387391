// The writer's state that belongs to the class being written: one per thread.
#include "writer/WriterState.h"

namespace {

WriterState ProcessState;
// A plain pointer, constant-initialised: nothing to construct or destroy per thread.
thread_local WriterState* Current = &ProcessState;

}  // namespace

WriterState& CurrentWriterState() {
  return *Current;
}

void UseWriterState(WriterState* state) {
  Current = state != nullptr ? state : &ProcessState;
}
