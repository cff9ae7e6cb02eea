#include <cstdio>

#include "app/VistrelApp.h"

int main(int argc, char** argv) {
  const vistrel::StartOptions options = vistrel::ParseStartOptions(argc, argv);
  if (!options.valid) {
    std::fprintf(stderr, "vistrel: %s\nusage: vistrel [--simulate[=MODEL]]\n",
                 options.error.c_str());
    return 2;
  }
  vistrel::CVistrelApp app(argc, argv);
  return app.Run(options);
}
