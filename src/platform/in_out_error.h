// The program's input-output error: a failed file-system operation, with the
// message the original platform gave for the system's error code.
#pragma once

#include <stdexcept>
#include <string>

namespace zorvane::platform {

// "File not found", "Invalid filename", "Too many open files", "File access
// denied", or "I/O error <code>", from the system's error code: errno on
// POSIX (ENOENT; ENAMETOOLONG, EINVAL; EMFILE, ENFILE; EACCES, EPERM),
// Windows error codes 2, 3, 4, 5 there.
std::string systemErrorMessage(int code);

class InOutError : public std::runtime_error {
public:
    // `code` is the system's error code (errno on POSIX, GetLastError() on
    // Windows); the message is systemErrorMessage(code).
    explicit InOutError(int code) : std::runtime_error(systemErrorMessage(code)), m_code(code) {}

    int errorCode() const noexcept { return m_code; }

private:
    int m_code;
};

}  // namespace zorvane::platform
