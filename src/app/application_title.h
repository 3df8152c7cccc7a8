// The application title, derived from the executable's path as the original
// platform does it.
#pragma once

#include <string>
#include <string_view>

namespace zorvane::app {

// The file name of `executablePath` (everything after its last `separator`)
// up to its first period, with every character after the first lower-cased;
// at most 255 characters. Works by UTF-8 characters: the first character
// keeps its case however many bytes it has.
std::string ApplicationTitle(std::string_view executablePath, char separator);

}  // namespace zorvane::app
