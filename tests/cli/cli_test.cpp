// zorvane-find as a black box: run the built binary on fixture trees and
// check what it prints and how it ends.
#include "support/process.h"
#include "support/test_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace zorvane::testing {
namespace {

const std::string kTool = ZORVANE_FIND_PATH;

std::vector<std::string> splitSorted(const std::string& text, char terminator)
{
    std::vector<std::string> items;
    for (std::size_t start = 0, end; (end = text.find(terminator, start)) != std::string::npos; start = end + 1)
        items.push_back(text.substr(start, end - start));
    std::sort(items.begin(), items.end());
    return items;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("a.pas");
        tree.file("B.PAS");
        tree.file("notes.txt");
        tree.file(".hidden.pas");
        tree.file("src/unit.pas");
        tree.file("src/deep/more.pas");
        tree.file(".cache/skip.pas");
        tree.file("-odd/dash.pas");
        tree.symlink("loop", ".");
    }
    TestTree tree;
};

TEST_F(CliTest, DefaultsToTheCurrentDirectoryAndPasFiles)
{
    ProcessOptions options;
    options.workingDirectory = tree.root();
    const auto result = runProcess({kTool}, options);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(splitSorted(result.out, '\n'),
              (std::vector<std::string>{"./-odd/dash.pas", "./.hidden.pas", "./B.PAS", "./a.pas", "./src/deep/more.pas",
                                        "./src/unit.pas"}));
}

TEST_F(CliTest, ListsTheSameFilesAsFindWithAPrunedWalk)
{
    for (const std::string mask : {"*.pas", "*.txt", "*"}) {
        const auto ours = runProcess({kTool, tree.root(), mask});
        const auto find = runProcess({"/usr/bin/find", tree.root(), "-mindepth", "1", "-type", "d", "-name", ".*",
                                      "-prune", "-o", "-type", "f", "-iname", mask, "-print"});
        ASSERT_EQ(find.exitCode, 0);
        EXPECT_EQ(ours.exitCode, 0);
        EXPECT_EQ(splitSorted(ours.out, '\n'), splitSorted(find.out, '\n')) << mask;
    }
}

TEST_F(CliTest, NullTerminatedOutputAndOptionsEnd)
{
    tree.file("new\nline.pas");
    const auto result = runProcess({kTool, "-0", "--", tree.root() + "/", "new*"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, tree.root() + "/new\nline.pas" + std::string(1, '\0'));

    ProcessOptions inTree;
    inTree.workingDirectory = tree.root();
    const auto dashed = runProcess({kTool, "--", "-odd"}, inTree);
    EXPECT_EQ(dashed.exitCode, 0);
    EXPECT_EQ(dashed.out, "-odd/dash.pas\n");
}

TEST_F(CliTest, UsageAndStartDirectoryErrors)
{
    struct Row {
        std::vector<std::string> arguments;
        int exitCode;
        std::string errorContains;
    };
    const std::vector<Row> rows = {
        {{"--bogus"}, 2, "unknown option '--bogus'"},
        {{"-x", tree.root()}, 2, "unknown option '-x'"},
        {{tree.root(), "*.pas", "extra"}, 2, "too many arguments"},
        {{""}, 2, "must not be empty"},
        {{tree.path("missing")}, 1, "No such file or directory"},
        {{tree.path("a.pas")}, 1, "Not a directory"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> argv{kTool};
        argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
        const auto result = runProcess(argv);
        EXPECT_EQ(result.exitCode, row.exitCode) << row.errorContains;
        EXPECT_NE(result.err.find(row.errorContains), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(CliTest, HelpAndVersion)
{
    const auto help = runProcess({kTool, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: zorvane-find"), std::string::npos);
    const auto version = runProcess({kTool, "-V"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("zorvane-find ", 0), 0u);
}

TEST_F(CliTest, AFailedWriteIsNeverSuccess)
{
    ProcessOptions full;
    full.stdoutPath = "/dev/full";
    const auto diskFull = runProcess({kTool, tree.root(), "*"}, full);
    EXPECT_EQ(diskFull.exitCode, 1);
    EXPECT_NE(diskFull.err.find("write error"), std::string::npos) << diskFull.err;

    ProcessOptions closed;
    closed.closeStdout = true;
    const auto brokenPipe = runProcess({kTool, tree.root(), "*"}, closed);
    EXPECT_EQ(brokenPipe.exitCode, 1);
    EXPECT_NE(brokenPipe.err.find("write error"), std::string::npos) << brokenPipe.err;
}

}  // namespace
}  // namespace zorvane::testing
