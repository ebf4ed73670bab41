// A broken property ends the run the way libFuzzer and CTest both notice:
// a message and an abort, with the input that caused it left to replay.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::abort();
}

} // namespace fuzz
