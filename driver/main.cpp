// The plimko executable: hands its arguments to the driver.
#include <iostream>

#include "driver/Driver.h"

int main(int argc, char** argv) {
  return RunDriver(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout);
}
