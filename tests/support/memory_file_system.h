// An in-memory tree that enumerates the way the original Windows platform
// does: backslash paths, names that ignore case, hidden/system/volume bits,
// "." and ".." in every directory but a root, entries in the order added.
#pragma once

#include "platform/directory_enumeration.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::testing {

class MemoryFileSystem {
public:
    // `root` is a drive such as "c:"; paths below are "c:\dir\file".
    explicit MemoryFileSystem(std::string root = "C:");

    // Both create missing parent directories (plain ones).
    void addFile(std::string_view path, platform::Attributes attributes = platform::attr::Archive);
    void addDirectory(std::string_view path, platform::Attributes attributes = 0);
    // Opening this directory fails, as for access denied.
    void makeUnreadable(std::string_view path);

    std::unique_ptr<platform::DirectoryEnumeration> newEnumeration();

    int openEnumerations() const { return m_state->open; }
    int enumerationsOpened() const { return m_state->opened; }

    struct Node {
        std::string name;
        platform::Attributes attributes = 0;
        bool unreadable = false;
        std::vector<Node> children;
    };

private:
    struct State {
        Node root;
        int open = 0;
        int opened = 0;
    };
    Node& nodeFor(std::string_view path, bool create);

    std::shared_ptr<State> m_state;
    friend class MemoryEnumeration;
};

}  // namespace zorvane::testing
