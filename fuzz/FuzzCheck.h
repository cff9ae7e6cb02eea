#pragma once

#include <cstdio>
#include <cstdlib>

namespace vistrel::fuzz {

// Stops the run with a message when a property the code promises does not hold; the fuzzer
// then keeps the input that broke it.
inline void Check(bool holds, const char* what) {
  if (holds)
    return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace vistrel::fuzz
