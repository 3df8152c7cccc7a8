// Current directory and error messages on Windows: SetCurrentDirectoryA,
// GetCurrentDirectoryA and the system's error codes.
#include "platform/current_directory.h"
#include "platform/in_out_error.h"
#include "platform/win32/no_medium_prompts.h"

#include <windows.h>

#include <string>

namespace zorvane::platform {

std::string systemErrorMessage(int code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return "File not found";
    case ERROR_PATH_NOT_FOUND:
        return "Invalid filename";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "Too many open files";
    case ERROR_ACCESS_DENIED:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(code);
    }
}

void setCurrentDirectory(const std::string& path)
{
    // A drive without a medium must fail with its error code (21), not bring
    // up the system's "insert a disk" prompt.
    BOOL done = FALSE;
    DWORD error = 0;
    {
        const NoMediumPrompts quiet;
        done = SetCurrentDirectoryA(path.c_str());
        error = GetLastError();
    }
    if (!done)
        throw InOutError(static_cast<int>(error));
}

std::string currentDirectory()
{
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return {};
    std::string path(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, path.data());
    if (length == 0 || length >= needed)
        return {};
    path.resize(length);
    return path;
}

}  // namespace zorvane::platform
