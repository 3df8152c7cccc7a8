// zorvane-find.exe as a black box on trees built through the Win32 API:
// what it prints (CRLF lines, or NUL-ended paths with -0), in which order,
// and how it ends.
#include "search/file_search.h"
#include "support/win32_process.h"
#include "support/win32_test_tree.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zorvane::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string& tool()
{
    static const std::string path = programDirectory() + "\\zorvane-find.exe";
    return path;
}

Lines inProcessSearch(const std::string& start, const std::string& mask)
{
    auto enumeration = platform::newNativeEnumeration();
    search::VectorSink sink;
    search::FileSearch(*enumeration, sink, mask, platform::nativePathRules()).SearchDirectory(start);
    return sink.lines;
}

std::string joined(const Lines& lines, const std::string& terminator)
{
    std::string text;
    for (const auto& line : lines)
        text += line + terminator;
    return text;
}

std::string lowered(std::string text)
{
    platform::lowerAsciiInPlace(text);
    return text;
}

class Win32CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("Readme.TXT");
        tree.file("Top.PAS");
        tree.file("Hidden.pas", FILE_ATTRIBUTE_HIDDEN);
        tree.file("System.pas", FILE_ATTRIBUTE_SYSTEM);
        tree.file("Work\\Src\\Main.PAS");
        tree.file("Work\\Notes.txt");
        tree.file("Work\\Unit Two.pas");
        // The system's own pattern would match *.pas here through the short
        // name LONGPA~1.PAS where short names are on; the program's mask does not.
        tree.file("Work\\Long.pascal");
        tree.dir("HiddenDir", FILE_ATTRIBUTE_HIDDEN);
        tree.file("HiddenDir\\Lost.pas");
        tree.dir("SystemDir", FILE_ATTRIBUTE_SYSTEM);
        tree.file("SystemDir\\Lost.pas");
        r = lowered(tree.root());
    }
    Win32TestTree tree;
    std::string r;
};

TEST_F(Win32CliTest, PrintsLowerCasedBackslashPathsAsCrlfLinesInTheSearchsOrder)
{
    const auto result = runWin32Process(tool(), {tree.root(), "*.pas"});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.err, "");
    const Lines expected = inProcessSearch(tree.root(), "*.pas");
    EXPECT_EQ(result.out, joined(expected, "\r\n"));

    Lines sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (Lines{r + "\\hidden.pas", r + "\\system.pas", r + "\\top.pas", r + "\\work\\src\\main.pas",
                             r + "\\work\\unit two.pas"}));
    const auto everything = runWin32Process(tool(), {tree.root(), "*"});
    EXPECT_NE(everything.out.find(r + "\\work\\long.pascal\r\n"), std::string::npos) << everything.out;
}

TEST_F(Win32CliTest, NullOptionWritesRawNulEndedPaths)
{
    const auto result = runWin32Process(tool(), {"-0", tree.root() + "\\", "*.pas"});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.out, joined(inProcessSearch(tree.root(), "*.pas"), std::string(1, '\0')));
    EXPECT_EQ(result.out.find('\r'), std::string::npos);
    EXPECT_EQ(result.out.find('\n'), std::string::npos);
}

TEST_F(Win32CliTest, DefaultsToTheCurrentDirectoryAndPasFiles)
{
    const auto result = runWin32Process(tool(), {}, tree.path("Work"));
    EXPECT_EQ(result.exitCode, 0u);
    Lines lines;
    for (std::size_t start = 0, end; (end = result.out.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(result.out.substr(start, end - start));
    EXPECT_EQ(lines, (Lines{".\\unit two.pas", ".\\src\\main.pas"}));
}

TEST_F(Win32CliTest, MixedCaseStartAndMaskGiveTheSameLines)
{
    const auto lower = runWin32Process(tool(), {r + "\\work", "main.pas"});
    const auto upper = runWin32Process(tool(), {tree.path("WORK"), "MAIN.PAS"});
    EXPECT_EQ(lower.out, r + "\\work\\src\\main.pas\r\n");
    EXPECT_EQ(upper.out, lower.out);
}

TEST_F(Win32CliTest, FailuresEndWithTheirExitStatus)
{
    const auto missing = runWin32Process(tool(), {tree.path("Missing")});
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("cannot search"), std::string::npos) << missing.err;

    const auto file = runWin32Process(tool(), {tree.path("Readme.TXT")});
    EXPECT_EQ(file.exitCode, 1u);

    const auto usage = runWin32Process(tool(), {"--bogus"});
    EXPECT_EQ(usage.exitCode, 2u);
    EXPECT_NE(usage.err.find("unknown option"), std::string::npos) << usage.err;

    const auto tooMany = runWin32Process(tool(), {"a", "b", "c"});
    EXPECT_EQ(tooMany.exitCode, 2u);

    const auto version = runWin32Process(tool(), {"--version"});
    EXPECT_EQ(version.exitCode, 0u);
    EXPECT_EQ(version.out.rfind("zorvane-find ", 0), 0u);
    EXPECT_EQ(version.out.substr(version.out.size() - 2), "\r\n");
}

}  // namespace
}  // namespace zorvane::testing
