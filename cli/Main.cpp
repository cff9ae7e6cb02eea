#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "cli/Cli.h"
#include "cli/EscapingBuffer.h"
#include "cli/OutputStream.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Output byte for byte as on other systems: lines end in LF, also when redirected.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  // A closed output (a pipe into `head`) is a failed write the run handles as a stop.
  vistrel::IgnoreBrokenPipes();
  vistrel::OutputStreamBuf out(1);
  vistrel::OutputStreamBuf err(2);
  // Nothing the program passes on reaches the terminal as a control character.
  vistrel::EscapingBuffer escapedOut(&out);
  vistrel::EscapingBuffer escapedErr(&err);
  std::streambuf* const standardOut = std::cout.rdbuf(&escapedOut);
  std::streambuf* const standardErr = std::cerr.rdbuf(&escapedErr);
  const int status = vistrel::RunCli(argc, argv, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(standardOut);
  std::cerr.rdbuf(standardErr);
  return status;
}
