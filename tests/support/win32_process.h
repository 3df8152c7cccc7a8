// Runs a Windows program as a black box (CreateProcessA) and collects what
// it wrote to standard output and standard error, byte for byte, and its
// exit code.
#pragma once

#include <string>
#include <vector>

namespace zorvane::testing {

struct Win32ProcessResult {
    unsigned long exitCode = 0;
    std::string out;
    std::string err;
};

// `arguments` are quoted for the command line as the C runtime splits it.
Win32ProcessResult runWin32Process(const std::string& program, const std::vector<std::string>& arguments,
                                   const std::string& workingDirectory = {});

}  // namespace zorvane::testing
