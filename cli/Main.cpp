#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "cli/Cli.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Output byte for byte as on other systems: lines end in LF, also when redirected.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  return vistrel::RunCli(argc, argv, std::cout, std::cerr);
}
