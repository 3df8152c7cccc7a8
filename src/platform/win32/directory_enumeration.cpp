// Directory enumeration on Windows: FindFirstFileA, FindNextFileA and
// FindClose, with the program's attribute filter applied here to the bits
// the system reports (FindFirstFileA filters nothing by attribute) and
// junctions and directory symbolic links marked so that the search never
// enters them.
#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"
#include "platform/win32/find_data_attributes.h"
#include "platform/win32/no_medium_prompts.h"

#include <windows.h>

#include <memory>
#include <string>

namespace zorvane::platform {

PathRules nativePathRules()
{
    return windowsPathRules;
}

Attributes attributesFromFindData(unsigned long fileAttributes, unsigned long reparseTag)
{
    Attributes attributes = fileAttributes & (attr::ReadOnly | attr::Hidden | attr::System | attr::VolumeLabel
                                              | attr::Directory | attr::Archive);
    // dwReserved0 holds the reparse tag when the reparse bit is set. Only a
    // name surrogate (junction, symbolic link, mount point) leads elsewhere;
    // other tags (cloud-file placeholders, deduplicated files) mark entries
    // that are where they are. Wine 8 leaves the field unwritten, so the
    // enumeration clears it before each call, and a tag of 0 counts as a
    // link: the safe side.
    if ((fileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
        && (reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag)))
        attributes |= attr::ReparsePoint;
    return attributes;
}

namespace {

// Owns one find handle; FindClose on every way out.
class FindHandle {
public:
    FindHandle() = default;
    ~FindHandle() { reset(); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    void reset(HANDLE handle = INVALID_HANDLE_VALUE) noexcept
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::FindClose(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

class Win32DirectoryEnumeration final : public DirectoryEnumeration {
public:
    bool open(std::string_view pattern, Attributes wanted) override
    {
        close();
        // A NUL inside the pattern would silently name another pattern.
        if (pattern.empty() || pattern.find('\0') != std::string_view::npos)
            return false;
        m_pattern.assign(pattern);
        m_wanted = wanted;
        // Fails for a path too long for the A functions, access denied, a
        // missing directory, and a pattern that matches nothing.
        m_data.dwReserved0 = 0;
        {
            const NoMediumPrompts quiet;  // an empty drive fails, it does not ask
            m_handle.reset(::FindFirstFileA(m_pattern.c_str(), &m_data));
        }
        if (!m_handle.valid())
            return false;
        if (accept())
            return true;
        return next();
    }

    // The system gives no "do not follow" for a search, so the directory is
    // looked at just before, the way a listing sees it: one that has become
    // a junction or a link since it was listed is not entered.
    bool openListed(std::string_view pattern, Attributes wanted) override
    {
        close();
        const auto separator = pattern.find_last_of("\\/");
        if (separator != std::string_view::npos && separator > 0
            && pattern.find('\0') == std::string_view::npos) {
            const std::string directory(pattern.substr(0, separator));
            WIN32_FIND_DATAA self{};
            HANDLE found = INVALID_HANDLE_VALUE;
            {
                const NoMediumPrompts quiet;
                found = ::FindFirstFileA(directory.c_str(), &self);
            }
            if (found != INVALID_HANDLE_VALUE) {
                ::FindClose(found);
                if (attributesFromFindData(self.dwFileAttributes, self.dwReserved0) & attr::ReparsePoint)
                    return false;
            }
        }
        return open(pattern, wanted);
    }

    bool next() override
    {
        while (m_handle.valid()) {
            m_data.dwReserved0 = 0;
            if (!::FindNextFileA(m_handle.get(), &m_data))
                break;
            if (accept())
                return true;
        }
        // ERROR_NO_MORE_FILES, or an error part-way, which ends this
        // directory as if it were at its end.
        close();
        return false;
    }

    void close() noexcept override { m_handle.reset(); }

    const DirectoryEntry& entry() const override { return m_entry; }

private:
    bool accept()
    {
        const Attributes attributes = attributesFromFindData(m_data.dwFileAttributes, m_data.dwReserved0);
        if (!passesFilter(attributes, m_wanted))
            return false;
        // cFileName is the long name up to its terminating zero.
        m_entry = DirectoryEntry{std::string_view(m_data.cFileName), attributes};
        return true;
    }

    FindHandle m_handle;
    WIN32_FIND_DATAA m_data{};
    std::string m_pattern;
    Attributes m_wanted = 0;
    DirectoryEntry m_entry;
};

}  // namespace

std::unique_ptr<DirectoryEnumeration> newNativeEnumeration()
{
    return std::make_unique<Win32DirectoryEnumeration>();
}

}  // namespace zorvane::platform
