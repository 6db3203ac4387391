// Writes one generated diagram, for profiling a conversion by hand:
//   generate_diagram N file.uxf
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/DiagramGenerator.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr, "usage: generate_diagram N file.uxf\n");
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << GenerateDiagram(std::atoi(argv[1]));
  return out.good() ? 0 : 1;
}
