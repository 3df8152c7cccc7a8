// The search with the Win32 enumeration on trees built through the Win32
// API: lower-cased backslash paths, hidden and system files listed, hidden
// and system directories and junctions not entered, a start directory with
// and without a trailing backslash, the files of a directory before
// anything below it.
#include "search/file_search.h"
#include "support/win32_test_tree.h"

#include "support/reference_search.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace zorvane::search {
namespace {

using testing::Win32TestTree;
using Lines = std::vector<std::string>;

Lines search(const std::string& start, const std::string& mask)
{
    auto enumeration = platform::newNativeEnumeration();
    VectorSink sink;
    FileSearch(*enumeration, sink, mask, platform::nativePathRules()).SearchDirectory(start);
    return sink.lines;
}

std::string lowered(std::string text)
{
    platform::lowerAsciiInPlace(text);
    return text;
}

Lines sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

class Win32SearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("Top.PAS");
        tree.file("top.txt");
        tree.file("Hidden.pas", FILE_ATTRIBUTE_HIDDEN);
        tree.file("Sys.PAS", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
        tree.file("Src\\Main.pas");
        tree.file("Src\\Deep\\Unit.PAS");
        tree.file("Src\\Deep\\Hidden Too.pas", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        tree.dir("Folder.pas");
        tree.file("Folder.pas\\Inside.pas");
        tree.dir("HiddenDir", FILE_ATTRIBUTE_HIDDEN);
        tree.file("HiddenDir\\Lost.pas");
        tree.file("HiddenDir\\Plain\\Lost.pas");
        tree.dir("SystemDir", FILE_ATTRIBUTE_SYSTEM);
        tree.file("SystemDir\\Lost.pas");
        tree.dir("Empty");
        r = lowered(tree.root());
    }
    Win32TestTree tree;
    std::string r;  // the tree's path as the results spell it
};

TEST_F(Win32SearchTest, ListsLowerCasedPathsOfHiddenAndSystemFilesButEntersNoHiddenOrSystemDirectory)
{
    const Lines lines = search(tree.root(), "*.pas");
    EXPECT_EQ(sorted(lines), sorted({r + "\\top.pas", r + "\\hidden.pas", r + "\\sys.pas", r + "\\src\\main.pas",
                                     r + "\\src\\deep\\unit.pas", r + "\\src\\deep\\hidden too.pas",
                                     r + "\\folder.pas\\inside.pas"}));
    // Depth first: the root's three files come before anything below it.
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i].find('\\', r.size() + 1), std::string::npos) << lines[i];
    EXPECT_LT(std::find(lines.begin(), lines.end(), r + "\\src\\main.pas"),
              std::find(lines.begin(), lines.end(), r + "\\src\\deep\\unit.pas"));
}

TEST_F(Win32SearchTest, GivesTheOrderOfTheTwoPassWalk)
{
    for (const std::string mask : {"*.pas", "*.*", "*", "main.pas"}) {
        Lines expected;
        testing::twoPassSearch(platform::newNativeEnumeration, tree.root(), mask, platform::windowsPathRules, expected);
        EXPECT_EQ(search(tree.root(), mask), expected) << mask;
    }
}

TEST_F(Win32SearchTest, AStartDirectoryEndingInABackslashGetsNoSecond)
{
    EXPECT_EQ(search(tree.root() + "\\", "*.pas"), search(tree.root(), "*.pas"));
    EXPECT_EQ(search(tree.path("Src\\"), "main.PAS"), Lines{r + "\\src\\main.pas"});
}

TEST_F(Win32SearchTest, UpperCaseAnywhereInThePathIsLowered)
{
    std::string shouting = tree.root();
    std::transform(shouting.begin(), shouting.end(), shouting.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    EXPECT_EQ(search(shouting, "*.PAS"), search(tree.root(), "*.pas"));
    EXPECT_EQ(search(shouting + "\\SRC", "MAIN.PAS"), Lines{r + "\\src\\main.pas"});
}

TEST_F(Win32SearchTest, WalksEveryDirectoryWhateverTheMask)
{
    EXPECT_TRUE(search(tree.root(), "").empty());
    EXPECT_TRUE(search(tree.root(), "Src\\*.pas").empty());
    EXPECT_EQ(search(tree.root(), "unit.pas"), Lines{r + "\\src\\deep\\unit.pas"});
    EXPECT_TRUE(search(tree.path("Missing"), "*.pas").empty());
    // A hidden directory given as the start is searched: only its
    // subdirectories are filtered.
    EXPECT_EQ(sorted(search(tree.path("HiddenDir"), "*.pas")),
              sorted({r + "\\hiddendir\\lost.pas", r + "\\hiddendir\\plain\\lost.pas"}));
}

bool runningUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

// The root of a drive, whose path ends in a backslash: a file there is
// listed as c:\name. The search walks the whole drive, which under Wine is
// the small prefix of the build tree; on Windows it would be the user's disk.
TEST(Win32SearchRoot, AFileInTheDrivesRootGetsOneBackslash)
{
    if (!runningUnderWine())
        GTEST_SKIP() << "walks the whole of drive C: only under Wine";
    char windows[MAX_PATH + 1];
    ASSERT_NE(::GetWindowsDirectoryA(windows, sizeof windows), 0u);
    const std::string root = std::string(windows, 3);  // "C:\"
    const std::string name = "Zorvane-Root-" + std::to_string(::GetCurrentProcessId()) + ".TXT";
    const HANDLE file = ::CreateFileA((root + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "cannot create a file in " << root;
    ::CloseHandle(file);
    const Lines lines = search(root, name);
    ::SetFileAttributesA((root + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA((root + name).c_str());
    EXPECT_EQ(lines, Lines{lowered(root + name)});
}

// A junction to a directory of the tree: reported with the reparse bit and
// never entered. Wine 8 cannot make junctions; the test says so and skips.
bool makeJunction(const std::string& link, const std::string& target)
{
    if (!::CreateDirectoryA(link.c_str(), nullptr))
        return false;
    const HANDLE handle = ::CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    std::wstring substitute = L"\\??\\";
    for (const char c : target)
        substitute.push_back(static_cast<unsigned char>(c));
    const auto bytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    // The mount-point layout of REPARSE_DATA_BUFFER: tag, sizes, offsets,
    // then the substitute name and an empty print name, each NUL-ended.
    std::vector<char> buffer(8 + 8 + bytes + 2 * sizeof(wchar_t));
    auto put16 = [&](std::size_t at, WORD value) { std::memcpy(&buffer[at], &value, 2); };
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    std::memcpy(&buffer[0], &tag, 4);
    put16(4, static_cast<WORD>(buffer.size() - 8));
    put16(8, 0);
    put16(10, bytes);
    put16(12, static_cast<WORD>(bytes + sizeof(wchar_t)));
    put16(14, 0);
    std::memcpy(&buffer[16], substitute.data(), bytes);
    DWORD returned = 0;
    const BOOL ok = ::DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      nullptr, 0, &returned, nullptr);
    ::CloseHandle(handle);
    return ok;
}

TEST_F(Win32SearchTest, AJunctionIsNotEntered)
{
    if (!makeJunction(tree.path("Loop"), tree.root()))
        GTEST_SKIP() << "this system cannot make a junction (error " << ::GetLastError() << ")";
    auto enumeration = platform::newNativeEnumeration();
    ASSERT_TRUE(enumeration->open(tree.path("Loop"), 0x10));
    EXPECT_EQ(enumeration->entry().attributes & (platform::attr::Directory | platform::attr::ReparsePoint),
              platform::attr::Directory | platform::attr::ReparsePoint);
    enumeration->close();
    EXPECT_EQ(search(tree.root(), "top.pas"), Lines{r + "\\top.pas"});
}

}  // namespace
}  // namespace zorvane::search
