#include <cstdio>

#include "app/VistrelApp.h"

int main(int argc, char** argv) {
  const vistrel::StartOptions options = vistrel::ParseStartOptions(argc, argv);
  if (!options.valid) {
    std::fprintf(stderr,
                 "vistrel: %s\nusage: vistrel [--simulate[=MODEL]]; vistrel --help for more\n",
                 options.error.c_str());
    return 2;
  }
  // Answered before Qt starts, so that they work without a display.
  if (options.help) {
    std::fputs(vistrel::StartHelp(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("vistrel %s\n", VISTREL_VERSION);
    return 0;
  }
  vistrel::CVistrelApp app(argc, argv);
  return app.Run(options);
}
