#pragma once

#include <cstdio>
#include <exception>

namespace tavlen {

// What every executable's main does around its work: whatever escapes (memory running out,
// above all) ends the process with one line on standard error and status 70, not an abort.
template <typename Run>
int guardedMain(const char* program, Run run)
{
    try {
        return run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", program, error.what());
    } catch (...) {
        std::fprintf(stderr, "%s: an unexpected error ended the program\n", program);
    }
    return 70;
}

} // namespace tavlen
