#include "support/win32_test_tree.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace zorvane::testing {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path)
{
    throw std::runtime_error(what + " failed for " + path + ": error " + std::to_string(::GetLastError()));
}

void setAttributes(const std::string& path, unsigned long attributes)
{
    if (attributes != 0 && !::SetFileAttributesA(path.c_str(), attributes))
        fail("SetFileAttributesA", path);
}

}  // namespace

Win32TestTree::Win32TestTree()
{
    static std::atomic<int> counter{0};
    char temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("GetTempPathA failed");
    // Mixed case on purpose: the search lowers the whole path, this part too.
    m_root = std::string(temp) + "Zorvane-Tree-" + std::to_string(::GetCurrentProcessId()) + "-"
             + std::to_string(counter++) + "-" + std::to_string(::GetTickCount());
    if (!::CreateDirectoryA(m_root.c_str(), nullptr))
        fail("CreateDirectoryA", m_root);
}

Win32TestTree::~Win32TestTree()
{
    removeWin32Tree(m_root);
}

void Win32TestTree::makeParents(std::string_view relative) const
{
    for (auto slash = relative.find('\\'); slash != std::string_view::npos; slash = relative.find('\\', slash + 1)) {
        const std::string parent = path(relative.substr(0, slash));
        if (!::CreateDirectoryA(parent.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            fail("CreateDirectoryA", parent);
    }
}

void Win32TestTree::file(std::string_view relative, unsigned long attributes, std::string_view contents) const
{
    makeParents(relative);
    const std::string full = path(relative);
    const HANDLE handle = ::CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        fail("CreateFileA", full);
    DWORD written = 0;
    const bool ok = contents.empty()
                    || ::WriteFile(handle, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    ::CloseHandle(handle);
    if (!ok)
        fail("WriteFile", full);
    setAttributes(full, attributes);
}

void Win32TestTree::dir(std::string_view relative, unsigned long attributes) const
{
    makeParents(relative);
    const std::string full = path(relative);
    if (!::CreateDirectoryA(full.c_str(), nullptr))
        fail("CreateDirectoryA", full);
    setAttributes(full, attributes);
}

void removeWin32Tree(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A link is removed itself, never what it leads to.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        ::DeleteFileA(path.c_str());
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        WIN32_FIND_DATAA data;
        const HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name != "." && name != "..")
                    removeWin32Tree(path + "\\" + name);
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
    }
    ::RemoveDirectoryA(path.c_str());
}

std::string programDirectory()
{
    char buffer[MAX_PATH + 1];
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        throw std::runtime_error("GetModuleFileNameA failed");
    std::string path(buffer, length);
    return path.substr(0, path.rfind('\\'));
}

}  // namespace zorvane::testing
