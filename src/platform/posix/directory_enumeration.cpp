// Directory enumeration on POSIX: open(O_DIRECTORY) and getdents64 with a
// large buffer, the Windows attribute bits derived from what the entry says:
// a name starting with "." is hidden, system and volume-label bits are never
// set, and the type comes from d_type (a stat only when it is unknown or the
// entry is a link, which is classified by its target).
#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"
#include "platform/wildcard.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>

namespace zorvane::platform {

PathRules nativePathRules()
{
    return posixPathRules;
}

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1) noexcept
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd = -1;
};

class PosixDirectoryEnumeration final : public DirectoryEnumeration {
public:
    PosixDirectoryEnumeration() : m_buffer(std::make_unique<char[]>(kBufferSize)) {}

    bool open(std::string_view pattern, Attributes wanted) override { return openWith(pattern, wanted, 0); }

    // O_NOFOLLOW: a directory swapped for a link after it was listed is not
    // entered (the link could lead anywhere, even back up the tree).
    bool openListed(std::string_view pattern, Attributes wanted) override
    {
        return openWith(pattern, wanted, O_NOFOLLOW);
    }

    bool next() override
    {
        while (m_fd.valid()) {
            if (m_position >= m_filled && !refill())
                break;
            const auto* raw = reinterpret_cast<const dirent64*>(m_buffer.get() + m_position);
            m_position += raw->d_reclen;
            if (accept(raw->d_name, raw->d_type))
                return true;
        }
        close();
        return false;
    }

    void close() noexcept override
    {
        m_fd.reset();
        m_position = m_filled = 0;
    }

    const DirectoryEntry& entry() const override { return m_entry; }

private:
    bool openWith(std::string_view pattern, Attributes wanted, int extraFlags)
    {
        close();
        const auto slash = pattern.rfind('/');
        std::string_view namePattern = pattern;
        if (slash == std::string_view::npos) {
            m_directory.assign(".");
        } else {
            m_directory.assign(pattern.substr(0, slash == 0 ? 1 : slash));
            namePattern = pattern.substr(slash + 1);
        }
        if (namePattern == "*" || namePattern == "*.*")
            m_pattern.reset();
        else
            m_pattern.emplace(namePattern, '/');
        if (m_pattern && m_pattern->matchesNothing())
            return false;
        m_wanted = wanted;

        m_fd.reset(::open(m_directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags));
        if (!m_fd.valid())
            return false;
        return next();
    }

    bool refill()
    {
        ssize_t got;
        do {
            got = ::getdents64(m_fd.get(), m_buffer.get(), kBufferSize);
        } while (got < 0 && errno == EINTR);
        // An error part-way (the directory removed under us, an I/O error)
        // ends this directory as if it were at its end: nothing is invented.
        if (got <= 0)
            return false;
        m_filled = static_cast<std::size_t>(got);
        m_position = 0;
        return true;
    }

    bool accept(const char* name, unsigned char type)
    {
        const std::string_view view(name);
        // The cheap test first: the name, before anything that costs a call.
        if (m_pattern && !m_pattern->matches(view))
            return false;

        Attributes attributes = name[0] == '.' ? attr::Hidden : 0;
        if (type == DT_DIR) {
            attributes |= attr::Directory;
        } else if (type == DT_LNK || type == DT_UNKNOWN) {
            const auto slow = classifySlow(name, type == DT_LNK);
            if (!slow)
                return false;  // gone since the listing was read: nothing to report
            attributes |= *slow;
        }
        if (!passesFilter(attributes, m_wanted))
            return false;
        m_entry = DirectoryEntry{view, attributes};
        return true;
    }

    // Type of an entry that d_type leaves open: a link is a file or a
    // directory by its target and carries the reparse bit either way (a
    // dangling link is a file). Nothing when the entry no longer exists.
    std::optional<Attributes> classifySlow(const char* name, bool knownLink) const
    {
        struct stat status {};
        bool link = knownLink;
        if (!knownLink) {
            if (::fstatat(m_fd.get(), name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                return std::nullopt;
            if (S_ISDIR(status.st_mode))
                return attr::Directory;
            link = S_ISLNK(status.st_mode);
        }
        if (!link)
            return 0;
        if (::fstatat(m_fd.get(), name, &status, 0) == 0 && S_ISDIR(status.st_mode))
            return attr::Directory | attr::ReparsePoint;
        return attr::ReparsePoint;
    }

    std::unique_ptr<char[]> m_buffer;
    std::size_t m_filled = 0;
    std::size_t m_position = 0;
    FileDescriptor m_fd;
    std::string m_directory;
    std::optional<Wildcard> m_pattern;
    Attributes m_wanted = 0;
    DirectoryEntry m_entry;
};

}  // namespace

std::unique_ptr<DirectoryEnumeration> newNativeEnumeration()
{
    return std::make_unique<PosixDirectoryEnumeration>();
}

}  // namespace zorvane::platform
