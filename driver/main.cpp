// The plimko executable: hands its arguments and its console to the driver.
#include <iostream>

#include "driver/Driver.h"
#include "driver/Platform.h"

int main(int argc, char** argv) {
  Utf8Console console;
  KeepModelToExit();
  return RunDriver(CommandLineArguments(argc, argv), std::cin, std::cout, std::cerr,
                   WaitsForEnter());
}
