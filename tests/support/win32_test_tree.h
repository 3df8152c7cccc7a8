// A fixture tree for the Windows tests, built through the Win32 API in a
// fresh folder of the temporary directory (hidden and system bits set with
// SetFileAttributesA) and removed with everything in it when it goes.
#pragma once

#include <string>
#include <string_view>

namespace zorvane::testing {

class Win32TestTree {
public:
    Win32TestTree();
    ~Win32TestTree();
    Win32TestTree(const Win32TestTree&) = delete;
    Win32TestTree& operator=(const Win32TestTree&) = delete;

    // The tree's folder as the system spells it, without a trailing backslash.
    const std::string& root() const { return m_root; }
    // `relative` uses backslashes.
    std::string path(std::string_view relative) const { return m_root + "\\" + std::string(relative); }

    // Each creates the missing parent folders of `relative` (plain ones) and
    // then gives the new entry `attributes` (FILE_ATTRIBUTE_HIDDEN and so on).
    void file(std::string_view relative, unsigned long attributes = 0, std::string_view contents = {}) const;
    void dir(std::string_view relative, unsigned long attributes = 0) const;

private:
    void makeParents(std::string_view relative) const;
    std::string m_root;
};

// Removes `path` and everything below it, clearing read-only, hidden and
// system bits on the way; quiet about what is not there.
void removeWin32Tree(const std::string& path);

// The folder of the running program, without a trailing backslash.
std::string programDirectory();

}  // namespace zorvane::testing
