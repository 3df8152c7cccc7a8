// A fixture tree in a fresh temporary directory, built from relative paths
// and removed with everything in it (however deep, whatever its modes) when
// the TestTree goes.
#pragma once

#include <string>
#include <string_view>

namespace zorvane::testing {

class TestTree {
public:
    TestTree();
    ~TestTree();
    TestTree(const TestTree&) = delete;
    TestTree& operator=(const TestTree&) = delete;

    // The tree's directory, without a trailing slash.
    const std::string& root() const { return m_root; }
    std::string path(std::string_view relative) const { return m_root + "/" + std::string(relative); }

    // Each creates the missing parent directories of `relative`.
    void file(std::string_view relative, std::string_view contents = {}) const;
    void dir(std::string_view relative) const;
    void symlink(std::string_view relative, std::string_view target) const;
    void fifo(std::string_view relative) const;

    // A chain of `depth` directories named `name` below `relative`, each
    // holding a file "<level>.pas" every `fileEvery` levels; built with
    // relative steps, so it may be far deeper than PATH_MAX.
    void deepChain(std::string_view relative, int depth, std::string_view name, int fileEvery) const;

private:
    void makeParents(std::string_view relative) const;
    std::string m_root;
};

// Removes `path` and everything below it; works beyond PATH_MAX and on
// directories without permissions.
void removeTree(const std::string& path);

}  // namespace zorvane::testing
