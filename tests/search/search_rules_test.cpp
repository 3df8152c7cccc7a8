// The search's rules, checked on an in-memory tree that enumerates like the
// original Windows platform (backslashes, case-insensitive names, attribute
// bits, "." and ".." reported, entries in the order the test adds them).
#include "search/file_search.h"
#include "support/memory_file_system.h"
#include "support/reference_search.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::search {
namespace {

using platform::windowsPathRules;
using testing::MemoryFileSystem;
using testing::twoPassSearch;
using Lines = std::vector<std::string>;
namespace attr = platform::attr;

Lines search(MemoryFileSystem& fileSystem, const std::string& start, const std::string& mask)
{
    auto enumeration = fileSystem.newEnumeration();
    VectorSink sink;
    FileSearch(*enumeration, sink, mask, windowsPathRules).SearchDirectory(start);
    EXPECT_EQ(fileSystem.openEnumerations(), 0);
    return sink.lines;
}

TEST(AppendPathDelimiter, LooksAtTheLastByteOnly)
{
    struct Row {
        std::string path;
        char separator;
        std::string expected;
    };
    const Row rows[] = {
        {"c:\\", '\\', "c:\\"},
        {"c:\\work", '\\', "c:\\work\\"},
        {"c:\\work\\\\", '\\', "c:\\work\\\\"},
        {"", '\\', "\\"},
        {"\x95\x5C", '\\', "\x95\x5C"},  // a double-byte character ending in 0x5C
        {"/", '/', "/"},
        {"/usr", '/', "/usr/"},
        {"/usr\\", '/', "/usr\\/"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AppendPathDelimiter(row.path, row.separator), row.expected) << row.path;
}

TEST(IsDotEntry, OnlyTheTwoExactNames)
{
    EXPECT_TRUE(IsDotEntry("."));
    EXPECT_TRUE(IsDotEntry(".."));
    for (const char* name : {"", "...", ". ", ".git", "a.", "..a"})
        EXPECT_FALSE(IsDotEntry(name)) << name;
}

TEST(SearchOrder, FilesOfADirectoryComeBeforeEverythingBelowIt)
{
    // Reported order: a file, a directory, a file, a directory. Nothing is
    // sorted; the files of the start directory still come first.
    MemoryFileSystem fs;
    fs.addFile("C:\\Start\\b.pas");
    fs.addDirectory("C:\\Start\\y");
    fs.addFile("C:\\Start\\y\\d.pas");
    fs.addFile("C:\\Start\\a.pas");
    fs.addDirectory("C:\\Start\\x");
    fs.addFile("C:\\Start\\x\\c.pas");
    fs.addDirectory("C:\\Start\\x\\deeper");
    fs.addFile("C:\\Start\\x\\deeper\\e.pas");
    fs.addFile("C:\\Start\\x\\f.pas");

    EXPECT_EQ(search(fs, "C:\\Start", "*.pas"),
              (Lines{"c:\\start\\b.pas", "c:\\start\\a.pas", "c:\\start\\y\\d.pas", "c:\\start\\x\\c.pas",
                     "c:\\start\\x\\f.pas", "c:\\start\\x\\deeper\\e.pas"}));
}

TEST(SearchPaths, OneSeparatorBetweenDirectoryAndNameAndAllAsciiLowered)
{
    MemoryFileSystem fs;
    fs.addFile("C:\\Readme.TXT");
    fs.addFile("C:\\Work\\Src\\Main.PAS");
    fs.addFile("C:\\Work\\\xC3\x9C" "ber\\\xC3\x84" "Ab.PAS");  // UTF-8 letters keep their case

    EXPECT_EQ(search(fs, "C:\\", "*.txt"), Lines{"c:\\readme.txt"});
    EXPECT_EQ(search(fs, "C:\\Work", "*.pas"),
              (Lines{"c:\\work\\src\\main.pas", "c:\\work\\\xC3\x9C" "ber\\\xC3\x84" "ab.pas"}));
    EXPECT_EQ(search(fs, "C:\\Work\\", "main.pas"), Lines{"c:\\work\\src\\main.pas"});
}

TEST(SearchAttributes, HiddenAndSystemFilesListedTheirDirectoriesNotEntered)
{
    MemoryFileSystem fs;
    fs.addFile("C:\\T\\plain.pas");
    fs.addFile("C:\\T\\hidden.pas", attr::Hidden);
    fs.addFile("C:\\T\\system.pas", attr::System | attr::Hidden | attr::ReadOnly);
    fs.addFile("C:\\T\\label.pas", attr::VolumeLabel);
    fs.addDirectory("C:\\T\\folder.pas");  // a directory that matches is no file
    fs.addFile("C:\\T\\folder.pas\\inside.pas");
    fs.addDirectory("C:\\T\\HiddenDir", attr::Hidden);
    fs.addFile("C:\\T\\HiddenDir\\lost.pas");
    fs.addDirectory("C:\\T\\SystemDir", attr::System);
    fs.addFile("C:\\T\\SystemDir\\lost.pas");
    fs.addDirectory("C:\\T\\Junction", attr::ReparsePoint);
    fs.addFile("C:\\T\\Junction\\lost.pas");

    EXPECT_EQ(search(fs, "C:\\T", "*.pas"),
              (Lines{"c:\\t\\plain.pas", "c:\\t\\hidden.pas", "c:\\t\\system.pas", "c:\\t\\folder.pas\\inside.pas"}));
    EXPECT_EQ(search(fs, "C:\\T", "*"),
              (Lines{"c:\\t\\plain.pas", "c:\\t\\hidden.pas", "c:\\t\\system.pas", "c:\\t\\folder.pas\\inside.pas"}));
}

TEST(SearchWalk, EveryReadableDirectoryIsWalkedWhateverTheMask)
{
    MemoryFileSystem fs;
    fs.addDirectory("C:\\T\\empty");
    fs.addFile("C:\\T\\nothing-here.txt");
    fs.addFile("C:\\T\\a\\b\\c\\deep.pas");
    fs.addFile("C:\\T\\locked\\secret.pas");
    fs.makeUnreadable("C:\\T\\locked");
    fs.addFile("C:\\T\\z.pas");

    EXPECT_EQ(search(fs, "C:\\T", "*.pas"), (Lines{"c:\\t\\z.pas", "c:\\t\\a\\b\\c\\deep.pas"}));

    // An empty mask lists nothing yet walks the whole tree: T, empty, a, b, c.
    const int before = fs.enumerationsOpened();
    EXPECT_TRUE(search(fs, "C:\\T", "").empty());
    EXPECT_EQ(fs.enumerationsOpened() - before, 5);

    // A mask holding a separator names no file of the directory being read.
    EXPECT_TRUE(search(fs, "C:\\T", "a\\*.pas").empty());

    // A start directory that cannot be read is no error.
    EXPECT_TRUE(search(fs, "C:\\Missing", "*.pas").empty());
    EXPECT_TRUE(search(fs, "C:\\T\\locked", "*.pas").empty());
}

// Records what the search asks to open, and finds nothing.
class RecordingEnumeration final : public platform::DirectoryEnumeration {
public:
    bool open(std::string_view pattern, platform::Attributes) override
    {
        patterns.emplace_back(pattern);
        return false;
    }
    bool next() override { return false; }
    void close() noexcept override {}
    const platform::DirectoryEntry& entry() const override { return m_entry; }
    Lines patterns;

private:
    platform::DirectoryEntry m_entry;
};

TEST(SearchWalk, AnEmptyStartDirectoryIsNotTheRoot)
{
    RecordingEnumeration enumeration;
    VectorSink sink;
    FileSearch search(enumeration, sink, "*", windowsPathRules);
    search.SearchDirectory("");
    EXPECT_TRUE(enumeration.patterns.empty());
    search.SearchDirectory("C:\\");
    EXPECT_EQ(enumeration.patterns, Lines{"C:\\*.*"});
}

class ThrowingSink final : public ResultSink {
public:
    explicit ThrowingSink(std::size_t acceptedLines, bool outOfMemory) : m_accepted(acceptedLines), m_outOfMemory(outOfMemory) {}
    void append(std::string_view line) override
    {
        if (lines.size() == m_accepted) {
            if (m_outOfMemory)
                throw std::bad_alloc();
            throw std::runtime_error("Unable to insert a line");
        }
        lines.emplace_back(line);
    }
    Lines lines;

private:
    std::size_t m_accepted;
    bool m_outOfMemory;
};

TEST(SearchErrors, AnAppendThatThrowsEndsTheWalkKeepsTheLinesAndClosesEverything)
{
    MemoryFileSystem fs;
    fs.addFile("C:\\T\\1.pas");
    fs.addFile("C:\\T\\a\\2.pas");
    fs.addFile("C:\\T\\a\\b\\3.pas");
    fs.addFile("C:\\T\\a\\b\\4.pas");
    fs.addFile("C:\\T\\z\\5.pas");

    for (const bool outOfMemory : {false, true}) {
        auto enumeration = fs.newEnumeration();
        ThrowingSink sink(3, outOfMemory);
        FileSearch search(*enumeration, sink, "*.pas", windowsPathRules);
        if (outOfMemory)
            EXPECT_THROW(search.SearchDirectory("C:\\T"), std::bad_alloc);
        else
            EXPECT_THROW(search.SearchDirectory("C:\\T"), std::runtime_error);
        EXPECT_EQ(sink.lines, (Lines{"c:\\t\\1.pas", "c:\\t\\a\\2.pas", "c:\\t\\a\\b\\3.pas"}));
        EXPECT_EQ(fs.openEnumerations(), 0);

        // The same object searches again from a clean state.
        VectorSink fresh;
        FileSearch(*enumeration, fresh, "*.pas", windowsPathRules).SearchDirectory("C:\\T");
        EXPECT_EQ(fresh.lines.size(), 5u);
    }
}

// The search reads each directory once; it must still give exactly what the
// literal two-pass walk gives.
TEST(SearchEquivalence, OnePassGivesWhatTheTwoPassWalkGives)
{
    std::mt19937 random(20261211);
    const char* names[] = {"a.pas", "B.PAS", "c.txt", "d.pas.bak", "e", "F.Pas", "g.p", "h.pa"};
    const platform::Attributes flavours[] = {0, attr::Hidden, attr::System, attr::ReadOnly, attr::Archive};
    const char* masks[] = {"*.pas", "*", "*.*", "?.pas", "*.", "", "b*", "*a*"};

    for (int round = 0; round < 40; ++round) {
        MemoryFileSystem fs;
        std::vector<std::string> directories{"C:\\R"};
        fs.addDirectory("C:\\R");
        for (int i = 0; i < 60; ++i) {
            const std::string parent = directories[random() % directories.size()];
            const auto flavour = flavours[random() % 5];
            if (random() % 3 == 0) {
                const std::string child = parent + "\\D" + std::to_string(i) + (random() % 4 == 0 ? ".pas" : "");
                fs.addDirectory(child, flavour & ~attr::ReadOnly);
                directories.push_back(child);
            } else {
                fs.addFile(parent + "\\" + std::to_string(i) + names[random() % 8], flavour);
            }
        }
        for (const char* mask : masks) {
            Lines expected;
            twoPassSearch([&] { return fs.newEnumeration(); }, "C:\\R", mask, windowsPathRules, expected);
            EXPECT_EQ(search(fs, "C:\\R", mask), expected) << "round " << round << " mask " << mask;
        }
    }
}

}  // namespace
}  // namespace zorvane::search
