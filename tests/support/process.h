// Runs a program as a black box and collects what it printed and how it ended.
#pragma once

#include <string>
#include <vector>

namespace zorvane::testing {

struct ProcessResult {
    int exitCode = -1;  // -1 when the program did not exit normally
    int signal = 0;
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::string stdoutPath;     // write stdout here instead of capturing it
    bool closeStdout = false;   // start with stdout being a pipe nobody reads
    std::string workingDirectory;
};

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

}  // namespace zorvane::testing
