// The Win32 enumeration on trees built through the Win32 API: the attribute
// bits it reports, the filter of the wanted set, failures, and close.
#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"
#include "platform/win32/find_data_attributes.h"
#include "support/win32_test_tree.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

namespace zorvane::platform {
namespace {

using testing::Win32TestTree;
using Seen = std::map<std::string, Attributes>;

Seen listAll(DirectoryEnumeration& enumeration, const std::string& pattern, Attributes wanted)
{
    Seen seen;
    for (bool more = enumeration.open(pattern, wanted); more; more = enumeration.next())
        seen.emplace(enumeration.entry().name, enumeration.entry().attributes);
    return seen;
}

class Win32EnumerationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("Plain.PAS");
        tree.file("ReadOnly.pas", FILE_ATTRIBUTE_READONLY);
        tree.file("Hidden.pas", FILE_ATTRIBUTE_HIDDEN);
        tree.file("System.pas", FILE_ATTRIBUTE_SYSTEM);
        tree.file("Both.pas", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        tree.file("Archived.txt", FILE_ATTRIBUTE_ARCHIVE);
        tree.dir("SubDir");
        tree.dir("HiddenDir", FILE_ATTRIBUTE_HIDDEN);
        tree.dir("SystemDir", FILE_ATTRIBUTE_SYSTEM);
    }

    // The bits that matter, whatever else the system adds (archive on new files).
    static Seen special(Seen seen)
    {
        for (auto& [name, attributes] : seen)
            attributes &= attr::Special | attr::ReadOnly | attr::ReparsePoint;
        return seen;
    }

    Win32TestTree tree;
    std::unique_ptr<DirectoryEnumeration> enumeration = newNativeEnumeration();
};

TEST_F(Win32EnumerationTest, ReportsTheSystemsAttributeBits)
{
    using namespace attr;
    EXPECT_EQ(special(listAll(*enumeration, tree.root() + "\\*.*", 0xFF)),
              (Seen{{".", Directory},
                    {"..", Directory},
                    {"Plain.PAS", 0},
                    {"ReadOnly.pas", ReadOnly},
                    {"Hidden.pas", Hidden},
                    {"System.pas", System},
                    {"Both.pas", Hidden | System},
                    {"Archived.txt", 0},
                    {"SubDir", Directory},
                    {"HiddenDir", Directory | Hidden},
                    {"SystemDir", Directory | System}}));
    EXPECT_EQ(listAll(*enumeration, tree.root() + "\\Archived.txt", 0x46).at("Archived.txt") & Archive, Archive);
}

TEST_F(Win32EnumerationTest, AppliesTheFilterOfTheWantedSet)
{
    using namespace attr;
    auto names = [&](Attributes wanted) {
        std::string joined;
        for (const auto& [name, attributes] : listAll(*enumeration, tree.root() + "\\*.*", wanted))
            joined += name + " ";
        return joined;
    };
    // 0x46, the file pass: no directories; hidden and system files pass.
    EXPECT_EQ(names(0x46), "Archived.txt Both.pas Hidden.pas Plain.PAS ReadOnly.pas System.pas ");
    // 0x10, the subdirectory pass: nothing hidden or system, directory or not.
    EXPECT_EQ(names(0x10), ". .. Archived.txt Plain.PAS ReadOnly.pas SubDir ");
    // 0x56, the search's one pass: everything but volume labels.
    EXPECT_EQ(names(0x56), ". .. Archived.txt Both.pas Hidden.pas HiddenDir Plain.PAS ReadOnly.pas SubDir System.pas "
                           "SystemDir ");
    // 0, and bits outside the special four: only plain files.
    EXPECT_EQ(names(0), "Archived.txt Plain.PAS ReadOnly.pas ");
    EXPECT_EQ(names(0xE1), "Archived.txt Plain.PAS ReadOnly.pas ");
}

TEST_F(Win32EnumerationTest, TheSystemMatchesThePatternWithoutRegardToCase)
{
    EXPECT_EQ(listAll(*enumeration, tree.root() + "\\*.pas", 0x46).size(), 5u);
    EXPECT_EQ(listAll(*enumeration, tree.root() + "\\PLAIN.pas", 0x46).count("Plain.PAS"), 1u);
    EXPECT_EQ(listAll(*enumeration, tree.root() + "\\subdir", 0x10).count("SubDir"), 1u);
}

TEST_F(Win32EnumerationTest, OpenFailsAndClosesWhenNothingCanBeReported)
{
    // Nothing matches; the only matches are filtered out; no such directory;
    // a path too long for the A functions; an empty pattern; a NUL inside.
    EXPECT_FALSE(enumeration->open(tree.root() + "\\*.nothing", 0x56));
    EXPECT_FALSE(enumeration->open(tree.root() + "\\HiddenDir", 0x10));
    EXPECT_FALSE(enumeration->open(tree.root() + "\\*Dir", 0x46));
    EXPECT_FALSE(enumeration->open(tree.root() + "\\Missing\\*.*", 0x56));
    EXPECT_FALSE(enumeration->open(tree.root() + "\\" + std::string(300, 'a') + "\\*.*", 0x56));
    EXPECT_FALSE(enumeration->open("", 0x56));
    EXPECT_FALSE(enumeration->open(tree.root() + std::string("\\*\0.*", 5), 0x56));
    EXPECT_FALSE(enumeration->next());
}

TEST_F(Win32EnumerationTest, CloseIsSafeAtAnyTimeAndOpenStartsAfresh)
{
    Win32TestTree other;
    other.file("Only.pas");
    {
        auto fresh = newNativeEnumeration();
        fresh->close();  // never opened
        fresh->close();
    }
    ASSERT_TRUE(enumeration->open(tree.root() + "\\*.*", 0x56));
    enumeration->close();
    enumeration->close();
    EXPECT_FALSE(enumeration->next());

    // Opening an open enumeration closes the first search.
    ASSERT_TRUE(enumeration->open(tree.root() + "\\*.*", 0x56));
    ASSERT_TRUE(enumeration->open(other.root() + "\\*.*", 0x46));
    EXPECT_EQ(enumeration->entry().name, "Only.pas");
    EXPECT_FALSE(enumeration->next());
    EXPECT_FALSE(enumeration->next());

    // The handle is released: the tree can be removed while the object lives.
    ASSERT_TRUE(enumeration->open(other.root() + "\\*.*", 0x56));
    enumeration->close();
    EXPECT_TRUE(::DeleteFileA(other.path("Only.pas").c_str()));
}

TEST(Win32PathRules, BackslashAndFoldedCase)
{
    EXPECT_EQ(nativePathRules().separator, '\\');
    EXPECT_TRUE(nativePathRules().foldsCase);
}

TEST(Win32FindDataAttributes, KeepsTheSixBitsAndMarksLinks)
{
    using namespace attr;
    struct Row {
        unsigned long fileAttributes;
        unsigned long reparseTag;
        Attributes expected;
    };
    const Row rows[] = {
        {FILE_ATTRIBUTE_NORMAL, 0, 0},
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 0, Archive | ReadOnly},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY, 0, Hidden | System | Directory},
        {0x08, 0, VolumeLabel},
        // bits the program has no use for are dropped
        {FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_TEMPORARY, 0, 0},
        // a junction, a directory symbolic link, a file symbolic link
        {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_MOUNT_POINT, Directory | ReparsePoint},
        {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_SYMLINK, Directory | ReparsePoint},
        {FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE, IO_REPARSE_TAG_SYMLINK, Archive | ReparsePoint},
        // a tag that is not reported (Wine): a link, to be safe
        {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0, Directory | ReparsePoint},
        // a cloud-file placeholder folder and a deduplicated file are where they are
        {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0x9000001AUL, Directory},
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT, 0x80000013UL, Archive},
    };
    for (const Row& row : rows)
        EXPECT_EQ(attributesFromFindData(row.fileAttributes, row.reparseTag), row.expected)
            << std::hex << row.fileAttributes << " tag " << row.reparseTag;
}

}  // namespace
}  // namespace zorvane::platform
