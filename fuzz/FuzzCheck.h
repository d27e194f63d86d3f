#pragma once
// The check every fuzz target uses for its properties: a broken property stops the run with a
// message, and libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

inline void Require(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}
