#include "support/test_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace zorvane::testing {

namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

// Directory steps are taken with chdir, relative to the current directory,
// so no path ever grows past PATH_MAX. Returns to where it started.
class WorkingDirectoryGuard {
public:
    WorkingDirectoryGuard() : m_fd(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~WorkingDirectoryGuard()
    {
        if (m_fd >= 0) {
            [[maybe_unused]] const int ignored = ::fchdir(m_fd);
            ::close(m_fd);
        }
    }
    WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
    WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

private:
    int m_fd;
};

void removeEntriesOfCurrentDirectory()
{
    std::vector<std::string> names;
    if (DIR* directory = ::opendir(".")) {
        while (const dirent* entry = ::readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(directory);
    }
    for (const auto& name : names) {
        struct stat status {};
        if (::lstat(name.c_str(), &status) != 0)
            continue;
        if (S_ISDIR(status.st_mode)) {
            ::chmod(name.c_str(), 0700);
            if (::chdir(name.c_str()) == 0) {
                removeEntriesOfCurrentDirectory();
                if (::chdir("..") != 0)
                    fail("chdir ..");
            }
            ::rmdir(name.c_str());
        } else {
            ::unlink(name.c_str());
        }
    }
}

}  // namespace

void removeTree(const std::string& path)
{
    WorkingDirectoryGuard back;
    ::chmod(path.c_str(), 0700);
    if (::chdir(path.c_str()) != 0)
        return;
    removeEntriesOfCurrentDirectory();
    if (::chdir("/") != 0)
        return;
    ::rmdir(path.c_str());
}

TestTree::TestTree()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zorvane-test-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        fail("mkdtemp");
    // Other users may need to walk it (tests that drop privileges).
    ::chmod(pattern.c_str(), 0755);
    m_root = pattern;
}

TestTree::~TestTree()
{
    removeTree(m_root);
}

void TestTree::makeParents(std::string_view relative) const
{
    for (auto slash = relative.find('/'); slash != std::string_view::npos; slash = relative.find('/', slash + 1)) {
        const std::string parent = path(relative.substr(0, slash));
        if (::mkdir(parent.c_str(), 0755) != 0 && errno != EEXIST)
            fail("mkdir " + parent);
    }
}

void TestTree::file(std::string_view relative, std::string_view contents) const
{
    makeParents(relative);
    const std::string full = path(relative);
    const int fd = ::open(full.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail("create " + full);
    const bool written = ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
    ::close(fd);
    if (!written)
        fail("write " + full);
}

void TestTree::dir(std::string_view relative) const
{
    makeParents(std::string(relative) + "/");
}

void TestTree::symlink(std::string_view relative, std::string_view target) const
{
    makeParents(relative);
    const std::string full = path(relative);
    if (::symlink(std::string(target).c_str(), full.c_str()) != 0)
        fail("symlink " + full);
}

void TestTree::fifo(std::string_view relative) const
{
    makeParents(relative);
    const std::string full = path(relative);
    if (::mkfifo(full.c_str(), 0644) != 0)
        fail("mkfifo " + full);
}

void TestTree::deepChain(std::string_view relative, int depth, std::string_view name, int fileEvery) const
{
    dir(relative);
    WorkingDirectoryGuard back;
    if (::chdir(path(relative).c_str()) != 0)
        fail("chdir");
    const std::string step(name);
    for (int level = 1; level <= depth; ++level) {
        if (::mkdir(step.c_str(), 0755) != 0 || ::chdir(step.c_str()) != 0)
            fail("deep mkdir");
        if (fileEvery > 0 && level % fileEvery == 0) {
            const std::string fileName = std::to_string(level) + ".pas";
            const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            if (fd < 0)
                fail("deep file");
            ::close(fd);
        }
    }
}

}  // namespace zorvane::testing
