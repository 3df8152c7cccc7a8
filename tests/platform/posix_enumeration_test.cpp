#include "platform/directory_enumeration.h"
#include "support/test_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zorvane::platform {
namespace {

using testing::TestTree;

std::map<std::string, Attributes> listAll(DirectoryEnumeration& enumeration, const std::string& pattern, Attributes wanted)
{
    std::map<std::string, Attributes> seen;
    for (bool more = enumeration.open(pattern, wanted); more; more = enumeration.next())
        seen.emplace(enumeration.entry().name, enumeration.entry().attributes);
    return seen;
}

class PosixEnumerationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("plain.pas");
        tree.file(".hidden.pas");
        tree.dir("sub");
        tree.dir(".git");
        tree.symlink("to-sub", "sub");
        tree.symlink("to-file.pas", "plain.pas");
        tree.symlink("dangling.pas", "nowhere");
        tree.fifo("pipe.pas");
    }
    TestTree tree;
    std::unique_ptr<DirectoryEnumeration> enumeration = newNativeEnumeration();
};

TEST_F(PosixEnumerationTest, MapsEntriesToAttributeBits)
{
    const auto seen = listAll(*enumeration, tree.root() + "/*.*", attr::Special);
    using namespace attr;
    const std::map<std::string, Attributes> expected = {
        {".", Directory | Hidden},
        {"..", Directory | Hidden},
        {"plain.pas", 0},
        {".hidden.pas", Hidden},
        {"sub", Directory},
        {".git", Directory | Hidden},
        {"to-sub", Directory | ReparsePoint},
        {"to-file.pas", ReparsePoint},
        {"dangling.pas", ReparsePoint},
        {"pipe.pas", 0},
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(PosixEnumerationTest, AppliesTheNamePatternAndTheFilter)
{
    using namespace attr;
    const auto files = listAll(*enumeration, tree.root() + "/*.PAS", 0x46);
    const std::map<std::string, Attributes> expectedFiles = {
        {"plain.pas", 0}, {".hidden.pas", Hidden}, {"to-file.pas", ReparsePoint},
        {"dangling.pas", ReparsePoint}, {"pipe.pas", 0}};
    EXPECT_EQ(files, expectedFiles);

    const auto directories = listAll(*enumeration, tree.root() + "/*.*", 0x10);
    const std::map<std::string, Attributes> expectedDirectories = {
        {"plain.pas", 0}, {"sub", Directory}, {"to-sub", Directory | ReparsePoint},
        {"to-file.pas", ReparsePoint}, {"dangling.pas", ReparsePoint}, {"pipe.pas", 0}};
    EXPECT_EQ(directories, expectedDirectories);
}

TEST_F(PosixEnumerationTest, FailsWithoutAnEntryAndClosesSafely)
{
    EXPECT_FALSE(enumeration->open(tree.root() + "/*.none", 0x46));
    EXPECT_FALSE(enumeration->open(tree.root() + "/missing/*.*", 0x46));
    EXPECT_FALSE(enumeration->open(tree.path("plain.pas") + "/*.*", 0x46));
    EXPECT_FALSE(enumeration->open(tree.root() + "/", 0x46));  // empty name pattern
    EXPECT_FALSE(enumeration->next());

    auto neverOpened = newNativeEnumeration();
    neverOpened->close();
    neverOpened->close();

    ASSERT_TRUE(enumeration->open(tree.root() + "/*.*", 0x46));
    enumeration->close();
    enumeration->close();
    EXPECT_FALSE(enumeration->next());
}

TEST(PosixEnumeration, ReadsADirectoryLargerThanItsBuffer)
{
    TestTree tree;
    constexpr int kFiles = 5000;  // about 200 KiB of entries
    for (int i = 0; i < kFiles; ++i)
        tree.file("big/file-with-a-long-name-" + std::to_string(i) + ".pas");
    auto enumeration = newNativeEnumeration();
    const auto seen = listAll(*enumeration, tree.root() + "/big/*.pas", 0x46);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kFiles));
}

}  // namespace
}  // namespace zorvane::platform
