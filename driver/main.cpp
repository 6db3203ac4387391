// The plimko executable: hands its arguments and its console to the driver.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "driver/Driver.h"
#include "driver/Platform.h"

int main(int argc, char** argv) {
  int status = 0;
  {
    Utf8Console console;
    KeepModelToExit();
    status = RunDriver(CommandLineArguments(argc, argv), std::cin, std::cout, std::cerr,
                       WaitsForEnter());
  }
  // The process ends without destroying the static objects: they hold only memory
  // (the writer's facts about every class), which the end of the process gives back
  // whole, rather than piece by piece through the heap.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}
