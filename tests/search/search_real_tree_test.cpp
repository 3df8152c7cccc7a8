// The search on the real file system, on fixture trees built per test.
#include "search/file_search.h"
#include "support/test_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace zorvane::search {
namespace {

using testing::TestTree;
using Lines = std::vector<std::string>;

Lines search(const std::string& start, const std::string& mask)
{
    auto enumeration = platform::newNativeEnumeration();
    VectorSink sink;
    FileSearch(*enumeration, sink, mask, platform::posixPathRules).SearchDirectory(start);
    return sink.lines;
}

Lines sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(RealTree, ListsFilesBeforeSubdirectoriesAndKeepsCase)
{
    TestTree tree;
    tree.file("Top.PAS");
    tree.file("top.txt");
    tree.file(".hidden.pas");
    tree.file("Src/Main.pas");
    tree.file("Src/Deep/Unit.pas");
    tree.file("Docs/readme.pas");
    tree.dir("folder.pas");
    tree.file(".git/objects/stale.pas");
    tree.fifo("pipe.pas");

    const Lines lines = search(tree.root(), "*.pas");
    const std::string r = tree.root();
    EXPECT_EQ(sorted(lines), sorted({r + "/Top.PAS", r + "/.hidden.pas", r + "/pipe.pas", r + "/Src/Main.pas",
                                     r + "/Src/Deep/Unit.pas", r + "/Docs/readme.pas"}));

    // Depth first: the three files of the root come before anything below it,
    // and Src's own file before Src/Deep's.
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::count(lines[i].begin() + static_cast<long>(r.size()) + 1, lines[i].end(), '/'), 0) << lines[i];
    const auto main = std::find(lines.begin(), lines.end(), r + "/Src/Main.pas");
    const auto unit = std::find(lines.begin(), lines.end(), r + "/Src/Deep/Unit.pas");
    EXPECT_LT(main, unit);

    // A trailing separator on the start directory gives no doubled one.
    EXPECT_EQ(sorted(search(r + "/", "*.pas")), sorted(lines));
}

TEST(RealTree, LinksToDirectoriesAreNeverEnteredSoLoopsEnd)
{
    TestTree tree;
    tree.file("a/one.pas");
    tree.symlink("a/loop", "..");
    tree.symlink("a/self", ".");
    tree.symlink("root-link", "/");
    tree.symlink("a/file-link.pas", "one.pas");
    const std::string r = tree.root();
    EXPECT_EQ(sorted(search(r, "*.pas")), sorted({r + "/a/one.pas", r + "/a/file-link.pas"}));
}

TEST(RealTree, NamesThatAreNotUtf8AreListedByteForByte)
{
    TestTree tree;
    const std::string odd = "caf\xE9-\xFF\xFE.pas";
    const std::string oddDirectory = "dir-\xC3\x28";
    tree.file(odd);
    tree.file(oddDirectory + "/inner.pas");
    tree.file("line\nbreak.pas");
    tree.file("tab\there.pas");
    tree.file("back\\slash.pas");
    tree.file("-dash.pas");
    tree.file(std::string(251, 'n') + ".pas");  // 255 bytes, the longest name
    const std::string r = tree.root();
    EXPECT_EQ(sorted(search(r, "*.pas")),
              sorted({r + "/" + odd, r + "/" + oddDirectory + "/inner.pas", r + "/line\nbreak.pas", r + "/tab\there.pas",
                      r + "/back\\slash.pas", r + "/-dash.pas", r + "/" + std::string(251, 'n') + ".pas"}));
}

TEST(RealTree, ADescentEndsWhereThePathGrowsTooLongWithoutACrash)
{
    TestTree tree;
    // 2,600 levels of "dd": far past PATH_MAX, with a file every 100 levels.
    tree.deepChain("deep", 2600, "dd", 100);
    const Lines lines = search(tree.root(), "*.pas");

    // Every file whose directory path fits is listed, in order of depth.
    const std::size_t fits = (PATH_MAX - tree.root().size() - 6) / 3;
    std::size_t expected = 0;
    for (std::size_t level = 100; level <= fits && level <= 2600; level += 100)
        ++expected;
    ASSERT_GE(lines.size(), expected - 1);
    ASSERT_LE(lines.size(), expected + 1);
    EXPECT_TRUE(lines.front().ends_with("/100.pas"));
    EXPECT_GT(lines.back().size(), 3000u);
}

TEST(RealTree, UnreadableDirectoriesAreSkippedSilently)
{
    TestTree tree;
    tree.file("open/seen.pas");
    tree.file("closed/unseen.pas");
    tree.file("z/last.pas");
    ::chmod(tree.path("closed").c_str(), 0);

    // The superuser reads anything, so the search runs as "nobody" then.
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(channel[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::string joined;
        for (const auto& line : search(tree.root(), "*.pas"))
            joined += line + "\n";
        const bool ok = ::write(channel[1], joined.data(), joined.size()) == static_cast<ssize_t>(joined.size());
        ::_exit(ok ? 0 : 4);
    }
    ::close(channel[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string r = tree.root();
    Lines lines;
    for (std::size_t start = 0, end; (end = output.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(output.substr(start, end - start));
    EXPECT_EQ(sorted(lines), sorted({r + "/open/seen.pas", r + "/z/last.pas"}));
}

}  // namespace
}  // namespace zorvane::search
