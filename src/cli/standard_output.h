// How zorvane-find's standard output is set up on each system.
#pragma once

#include <cstdio>

namespace zorvane::cli {

// Puts `stream` into the mode for the output asked for. `rawBytes` (for -0):
// every byte goes out exactly as written. Otherwise lines end the way the
// system's text files do: "\n" on POSIX, "\r\n" on Windows (the C runtime's
// text mode turns each "\n" into "\r\n" there).
void prepareStandardOutput(std::FILE* stream, bool rawBytes);

}  // namespace zorvane::cli
