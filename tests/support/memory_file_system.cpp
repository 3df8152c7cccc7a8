#include "support/memory_file_system.h"

#include "platform/wildcard.h"

#include <stdexcept>

namespace zorvane::testing {

using platform::Attributes;
using platform::DirectoryEntry;

namespace {

std::vector<std::string_view> splitPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const auto slash = path.find('\\');
        parts.push_back(path.substr(0, slash));
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    if (!parts.empty() && parts.back().empty())
        parts.pop_back();
    return parts;
}

}  // namespace

class MemoryEnumeration final : public platform::DirectoryEnumeration {
public:
    explicit MemoryEnumeration(MemoryFileSystem& fileSystem) : m_fileSystem(fileSystem), m_state(fileSystem.m_state) {}
    ~MemoryEnumeration() override { close(); }

    bool open(std::string_view pattern, Attributes wanted) override
    {
        close();
        const auto slash = pattern.rfind('\\');
        if (slash == std::string_view::npos)
            return false;
        const platform::Wildcard names(pattern.substr(slash + 1), '\\');
        MemoryFileSystem::Node* directory = nullptr;
        try {
            directory = &m_fileSystem.nodeFor(pattern.substr(0, slash), false);
        } catch (const std::out_of_range&) {
            return false;
        }
        if (directory->unreadable)
            return false;

        m_entries.clear();
        const bool isRoot = directory == &m_state->root;
        auto offer = [&](const std::string& name, Attributes attributes) {
            if (names.matches(name) && platform::passesFilter(attributes, wanted))
                m_entries.push_back({name, attributes});
        };
        if (!isRoot) {
            offer(".", platform::attr::Directory);
            offer("..", platform::attr::Directory);
        }
        for (const auto& child : directory->children)
            offer(child.name, child.attributes);
        if (m_entries.empty())
            return false;
        m_isOpen = true;
        ++m_state->open;
        ++m_state->opened;
        m_index = 0;
        m_entry = {m_entries[0].name, m_entries[0].attributes};
        return true;
    }

    bool next() override
    {
        if (!m_isOpen)
            return false;
        if (++m_index >= m_entries.size()) {
            close();
            return false;
        }
        m_entry = {m_entries[m_index].name, m_entries[m_index].attributes};
        return true;
    }

    void close() noexcept override
    {
        if (m_isOpen) {
            m_isOpen = false;
            --m_state->open;
        }
    }

    const DirectoryEntry& entry() const override { return m_entry; }

private:
    struct Item {
        std::string name;
        Attributes attributes;
    };
    MemoryFileSystem& m_fileSystem;
    std::shared_ptr<MemoryFileSystem::State> m_state;
    std::vector<Item> m_entries;
    std::size_t m_index = 0;
    bool m_isOpen = false;
    DirectoryEntry m_entry;
};

MemoryFileSystem::MemoryFileSystem(std::string root) : m_state(std::make_shared<State>())
{
    m_state->root.name = std::move(root);
    m_state->root.attributes = platform::attr::Directory;
}

MemoryFileSystem::Node& MemoryFileSystem::nodeFor(std::string_view path, bool create)
{
    const auto parts = splitPath(path);
    if (parts.empty() || !platform::equalsIgnoringAsciiCase(parts[0], m_state->root.name))
        throw std::out_of_range("not on this drive");
    Node* node = &m_state->root;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        Node* found = nullptr;
        for (auto& child : node->children) {
            if (platform::equalsIgnoringAsciiCase(child.name, parts[i]))
                found = &child;
        }
        if (!found) {
            if (!create)
                throw std::out_of_range("no such directory");
            node->children.push_back({std::string(parts[i]), platform::attr::Directory, false, {}});
            found = &node->children.back();
        }
        node = found;
    }
    return *node;
}

void MemoryFileSystem::addFile(std::string_view path, Attributes attributes)
{
    const auto slash = path.rfind('\\');
    Node& parent = nodeFor(path.substr(0, slash), true);
    parent.children.push_back({std::string(path.substr(slash + 1)), attributes, false, {}});
}

void MemoryFileSystem::addDirectory(std::string_view path, Attributes attributes)
{
    nodeFor(path, true).attributes = platform::attr::Directory | attributes;
}

void MemoryFileSystem::makeUnreadable(std::string_view path)
{
    nodeFor(path, true).unreadable = true;
}

std::unique_ptr<platform::DirectoryEnumeration> MemoryFileSystem::newEnumeration()
{
    return std::make_unique<MemoryEnumeration>(*this);
}

}  // namespace zorvane::testing
