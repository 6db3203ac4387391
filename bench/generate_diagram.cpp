// Writes one generated diagram, for profiling a conversion by hand:
//   generate_diagram N file.uxf                  N classes, as plimko_bench makes them
//   generate_diagram --distinct N file.uxf       the same, every member line different
//   generate_diagram --members N file.uxf        one class with N attribute lines
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "bench/DiagramGenerator.h"

int main(int argc, char** argv) {
  const bool members = argc == 4 && std::strcmp(argv[1], "--members") == 0;
  const bool distinct = argc == 4 && std::strcmp(argv[1], "--distinct") == 0;
  const int first = members || distinct ? 2 : 1;
  if (argc != first + 2 || std::atoll(argv[first]) < 1) {
    std::fprintf(stderr, "usage: generate_diagram [--members | --distinct] N file.uxf\n");
    return 2;
  }
  const long long count = std::atoll(argv[first]);
  std::ofstream out(argv[first + 1], std::ios::binary);
  out << (members ? GenerateManyMembers(count)
                  : GenerateDiagram(static_cast<int32_t>(count), distinct));
  return out.good() ? 0 : 1;
}
