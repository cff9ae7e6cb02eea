#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "cli/Cli.h"
#include "cli/EscapingBuffer.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Output byte for byte as on other systems: lines end in LF, also when redirected.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  // Nothing the program passes on reaches the terminal as a control character.
  vistrel::EscapingBuffer out(std::cout.rdbuf());
  vistrel::EscapingBuffer err(std::cerr.rdbuf());
  std::streambuf* const stdoutBuffer = std::cout.rdbuf(&out);
  std::streambuf* const stderrBuffer = std::cerr.rdbuf(&err);
  const int status = vistrel::RunCli(argc, argv, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(stdoutBuffer);
  std::cerr.rdbuf(stderrBuffer);
  return status;
}
