// Current directory and error messages on POSIX: chdir, getcwd and errno.
#include "platform/current_directory.h"
#include "platform/in_out_error.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <vector>

namespace zorvane::platform {

std::string systemErrorMessage(int code)
{
    switch (code) {
    case ENOENT:
        return "File not found";
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(code);
    }
}

void setCurrentDirectory(const std::string& path)
{
    // An empty path or one with a NUL byte names nothing chdir could take.
    if (path.empty() || path.find('\0') != std::string::npos)
        throw InOutError(path.empty() ? ENOENT : EINVAL);
    if (::chdir(path.c_str()) != 0)
        throw InOutError(errno);
}

std::string currentDirectory()
{
    std::vector<char> buffer(PATH_MAX + 1);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr)
        return {};
    return std::string(buffer.data());
}

}  // namespace zorvane::platform
