// nptests: runs the nonparametric-tests plug-in on result documents and writes a report.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("nptests %s\n", NPTESTS_VERSION);
    return 0;
  }
  std::printf("nptests %s\nUsage: nptests [options] [RESULT.xml ...]\n", NPTESTS_VERSION);
  return 0;
}
