// How the platform spells paths: its separator and whether names ignore case.
#pragma once

namespace zorvane::platform {

struct PathRules {
    char separator = '/';
    // Names that ignore case are reported lower-cased (ASCII letters only).
    bool foldsCase = false;
};

inline constexpr PathRules posixPathRules{'/', false};
inline constexpr PathRules windowsPathRules{'\\', true};

// The rules of the system this program was built for.
PathRules nativePathRules();

}  // namespace zorvane::platform
