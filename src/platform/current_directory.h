// The process's current directory, which the directory tree changes as the
// user moves through it.
#pragma once

#include <string>

namespace zorvane::platform {

// Makes `path` the process's current directory. Throws InOutError (with the
// system's error code) when that fails; the current directory is unchanged
// then.
void setCurrentDirectory(const std::string& path);

// The process's current directory as the system spells it; empty when it
// cannot be had (it was removed, or its path is too long).
std::string currentDirectory();

}  // namespace zorvane::platform
