// zorvane-find: the program's search from a terminal.
#include "cli/output_writer.h"
#include "cli/standard_output.h"
#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"
#include "search/file_search.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifndef ZORVANE_VERSION
#define ZORVANE_VERSION "unknown"
#endif

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: zorvane-find [OPTIONS] [DIRECTORY [MASK]]\n"
    "List every file below DIRECTORY (default: .) whose name matches MASK\n"
    "(default: *.pas), depth first, the files of a directory before those of\n"
    "its subdirectories. Hidden and system directories and links to\n"
    "directories are not entered; hidden and system files are listed.\n"
    "\n"
    "Mask: '*' matches any run of characters, '?' exactly one character;\n"
    "ASCII letters match without regard to case. '*.*' matches every name,\n"
    "a mask ending in '.' matches names without a dot.\n"
    "\n"
    "Options:\n"
    "  -0, --null     end each path with a NUL byte instead of a newline\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "  --             end of options (for a directory or mask starting with '-')\n"
    "\n"
    "Exit status: 0 on success (also when nothing matches), 1 when the\n"
    "directory cannot be searched or the output cannot be written, 2 on a\n"
    "usage error.\n";

struct Options {
    std::string directory = ".";
    std::string mask = "*.pas";
    char terminator = '\n';
};

int usageError(const std::string& message)
{
    std::fprintf(stderr, "zorvane-find: %s\nTry 'zorvane-find --help' for more information.\n", message.c_str());
    return kExitUsage;
}

// Returns an exit status when the program should stop right here.
std::optional<int> parseArguments(int argc, char** argv, Options& options)
{
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            operands.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-0" || argument == "--null") {
            options.terminator = '\0';
        } else if (argument == "-h" || argument == "--help") {
            std::fputs(kUsage, stdout);
            return std::fflush(stdout) == 0 ? 0 : kExitFailure;
        } else if (argument == "-V" || argument == "--version") {
            std::fputs("zorvane-find " ZORVANE_VERSION "\n", stdout);
            return std::fflush(stdout) == 0 ? 0 : kExitFailure;
        } else {
            return usageError("unknown option '" + std::string(argument) + "'");
        }
    }
    if (operands.size() > 2)
        return usageError("too many arguments");
    if (!operands.empty())
        options.directory = operands[0];
    if (operands.size() == 2)
        options.mask = operands[1];
    if (options.directory.empty())
        return usageError("the directory must not be empty");
    return std::nullopt;
}

// The start directory must exist and be readable; below it, what cannot be
// read is skipped without a word, as in the window.
std::optional<std::string> checkStartDirectory(const std::string& directory)
{
    std::error_code error;
    const auto status = std::filesystem::status(directory, error);
    if (error)
        return error.message();
    if (!std::filesystem::is_directory(status))
        return std::strerror(ENOTDIR);
    std::filesystem::directory_iterator probe(directory, error);
    if (error)
        return error.message();
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef SIGPIPE
    // A closed pipe shows up as a failed write, reported like any other.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    Options options;
    if (const auto status = parseArguments(argc, argv, options))
        return *status;
    if (const auto problem = checkStartDirectory(options.directory)) {
        std::fprintf(stderr, "zorvane-find: cannot search '%s': %s\n", options.directory.c_str(), problem->c_str());
        return kExitFailure;
    }

    zorvane::cli::prepareStandardOutput(stdout, options.terminator == '\0');
    // The writer does the buffering; stdio's own buffer would only copy
    // every byte once more.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        zorvane::cli::OutputWriter writer(stdout);
        zorvane::cli::LineSink sink(writer, options.terminator);
        const auto enumeration = zorvane::platform::newNativeEnumeration();
        zorvane::search::FileSearch search(*enumeration, sink, options.mask, zorvane::platform::nativePathRules());
        search.SearchDirectory(options.directory);
        writer.flush();
    } catch (const std::system_error& error) {
        std::fprintf(stderr, "zorvane-find: %s\n", error.what());
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        std::fputs("zorvane-find: out of memory\n", stderr);
        return kExitFailure;
    }
    return 0;
}
