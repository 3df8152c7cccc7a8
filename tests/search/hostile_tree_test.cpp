// The search on trees that fight back: huge, deep, changing under the walk,
// full of things that are not plain files.
#include "search/file_search.h"
#include "support/process.h"
#include "support/test_tree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace zorvane::search {
namespace {

using testing::TestTree;
using Lines = std::vector<std::string>;

class CallbackSink final : public ResultSink {
public:
    explicit CallbackSink(std::function<void(std::string_view)> onLine = {}) : m_onLine(std::move(onLine)) {}
    void append(std::string_view line) override
    {
        lines.emplace_back(line);
        if (m_onLine)
            m_onLine(line);
    }
    Lines lines;

private:
    std::function<void(std::string_view)> m_onLine;
};

Lines search(const std::string& start, const std::string& mask, CallbackSink sink = CallbackSink())
{
    auto enumeration = platform::newNativeEnumeration();
    FileSearch(*enumeration, sink, mask, platform::posixPathRules).SearchDirectory(start);
    std::sort(sink.lines.begin(), sink.lines.end());
    return sink.lines;
}

TEST(HostileTree, ADirectoryOfTwoHundredThousandEntries)
{
    TestTree tree;
    tree.dir("huge");
    const std::string huge = tree.path("huge") + "/";
    for (int i = 0; i < 200000; ++i) {
        const std::string name = huge + std::to_string(i) + (i % 4 == 0 ? ".pas" : ".txt");
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    EXPECT_EQ(search(tree.root(), "*.pas").size(), 50000u);
    EXPECT_EQ(search(tree.root(), "1999?.txt").size(), 8u);
}

TEST(HostileTree, FiveThousandLevelsEndWhereThePathLimitIsAndTheToolSucceeds)
{
    TestTree tree;
    tree.deepChain("deep", 5000, "d", 250);
    const Lines lines = search(tree.root(), "*.pas");
    // Levels are 2 bytes each; directories up to PATH_MAX can be read.
    const std::size_t readable = (PATH_MAX - tree.path("deep").size()) / 2;
    EXPECT_EQ(lines.size(), std::min<std::size_t>(readable, 5000) / 250);

    const auto result = testing::runProcess({ZORVANE_FIND_PATH, tree.root(), "*.pas"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(static_cast<std::size_t>(std::count(result.out.begin(), result.out.end(), '\n')), lines.size());
}

TEST(HostileTree, DirectoriesRemovedDuringTheWalkContributeNothing)
{
    TestTree tree;
    tree.file("trigger.pas");
    tree.file("a/kept.pas");
    tree.file("a/sub/gone.pas");
    tree.file("b/gone.pas");
    tree.file("b/deeper/gone.pas");
    tree.file("c/kept.pas");
    // The root's files are listed before anything below it is read, so by
    // then b and a/sub are noted but not yet entered.
    CallbackSink sink([&](std::string_view line) {
        if (line.ends_with("/trigger.pas")) {
            testing::removeTree(tree.path("b"));
            testing::removeTree(tree.path("a/sub"));
        }
    });
    EXPECT_EQ(search(tree.root(), "*.pas", std::move(sink)),
              (Lines{tree.path("a/kept.pas"), tree.path("c/kept.pas"), tree.path("trigger.pas")}));
}

TEST(HostileTree, ADirectorySwappedForALinkDuringTheWalkIsNotFollowed)
{
    TestTree tree;
    TestTree elsewhere;
    elsewhere.file("secret.pas");
    tree.file("trigger.pas");
    tree.file("swapped/own.pas");
    tree.file("kept/own.pas");
    // "swapped" is noted as a directory while the root is read; before it is
    // entered it becomes a link to a directory outside the tree.
    CallbackSink sink([&](std::string_view line) {
        if (line.ends_with("/trigger.pas")) {
            testing::removeTree(tree.path("swapped"));
            tree.symlink("swapped", elsewhere.root());
        }
    });
    EXPECT_EQ(search(tree.root(), "*.pas", std::move(sink)), (Lines{tree.path("kept/own.pas"), tree.path("trigger.pas")}));

    // The start directory itself may be reached through a link.
    TestTree links;
    links.symlink("start", tree.root());
    EXPECT_EQ(search(links.path("start"), "trigger.pas"), Lines{links.path("start") + "/trigger.pas"});
}

TEST(HostileTree, SpecialFilesAreListedLikeFilesAndNeverOpened)
{
    TestTree tree;
    tree.fifo("pipe.pas");  // opening it for reading would block the walk
    const std::string socketPath = tree.path("socket.pas");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(listener);

    Lines expected{tree.path("pipe.pas"), tree.path("socket.pas")};
    if (::mknod(tree.path("null.pas").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        expected.push_back(tree.path("null.pas"));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(search(tree.root(), "*.pas"), expected);
}

TEST(HostileTree, ProcEndsWithoutACrash)
{
    // Every link under /proc (self, cwd, root, fd/...) is left unentered, so
    // the walk ends; what it finds changes from run to run.
    const Lines lines = search("/proc", "*");
    EXPECT_FALSE(lines.empty());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "/proc/version"), lines.end());
}

}  // namespace
}  // namespace zorvane::search
