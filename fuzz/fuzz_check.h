// A failed property stops the fuzzer like a crash does, so the input is
// kept. In the seed replay of the tests it throws, so that the test names
// the seed.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#ifdef MIRDAL_FUZZ_REPLAY
#define FUZZ_CHECK(cond)                                                                      \
  do {                                                                                        \
    if (!(cond))                                                                              \
      throw std::logic_error(std::string("property failed: ") + #cond + " (" + __FILE__ + ":" + \
                             std::to_string(__LINE__) + ")");                                 \
  } while (0)
#else
#define FUZZ_CHECK(cond)                                              \
  do {                                                                \
    if (!(cond)) {                                                    \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                   \
    }                                                                 \
  } while (0)
#endif
