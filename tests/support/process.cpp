#include "support/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zorvane::testing {

namespace {

std::string temporaryFile()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zorvane-out-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    ::close(fd);
    return pattern;
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
{
    const std::string outPath = options.stdoutPath.empty() ? temporaryFile() : options.stdoutPath;
    const std::string errPath = temporaryFile();
    int brokenPipe[2] = {-1, -1};
    if (options.closeStdout && ::pipe(brokenPipe) != 0)
        throw std::runtime_error("pipe failed");

    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0)
            ::_exit(126);
        const int devNull = ::open("/dev/null", O_RDONLY);
        const int out = options.closeStdout ? brokenPipe[1] : ::open(outPath.c_str(), O_WRONLY | O_TRUNC);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_TRUNC);
        if (options.closeStdout)
            ::close(brokenPipe[0]);  // no reader: every write fails with EPIPE
        ::dup2(devNull, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        std::vector<char*> args;
        for (const auto& argument : argv)
            args.push_back(const_cast<char*>(argument.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    if (options.closeStdout) {
        ::close(brokenPipe[0]);
        ::close(brokenPipe[1]);
    }
    int status = 0;
    ::waitpid(child, &status, 0);

    ProcessResult result;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    if (options.stdoutPath.empty()) {
        result.out = slurp(outPath);
        std::remove(outPath.c_str());
    }
    result.err = slurp(errPath);
    std::remove(errPath.c_str());
    return result;
}

}  // namespace zorvane::testing
