// Keeps Windows from asking the user to insert a disk while the program
// reads a drive that has no medium: the call fails with its error instead.
#pragma once

#include <windows.h>

namespace zorvane::platform {

class NoMediumPrompts {
public:
    NoMediumPrompts() : m_previous(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~NoMediumPrompts() { SetErrorMode(m_previous); }
    NoMediumPrompts(const NoMediumPrompts&) = delete;
    NoMediumPrompts& operator=(const NoMediumPrompts&) = delete;

private:
    UINT m_previous;
};

}  // namespace zorvane::platform
