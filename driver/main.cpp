// The plimko executable: hands its arguments and its console to the driver.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "driver/Driver.h"
#include "driver/Platform.h"

int main(int argc, char** argv) {
  // The run's model, held here to the end of the process and never taken apart:
  // its objects hold only memory, which the end of the process gives back whole,
  // rather than object by object through the arena.
  RunModel model;
  int status = 0;
  {
    Utf8Console console;
    status = RunDriver(CommandLineArguments(argc, argv), std::cin, std::cout, std::cerr,
                       WaitsForEnter(), model);
  }
  // The process ends without destroying main's locals or the static objects: they
  // hold only memory (the model, the writer's facts about every class), which the
  // end of the process gives back whole, rather than piece by piece through the heap.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}
