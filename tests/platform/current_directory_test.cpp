#include "platform/current_directory.h"
#include "platform/in_out_error.h"
#include "support/test_tree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>
#include <string>

namespace zorvane::platform {
namespace {

struct MessageCase {
    int code;
    const char* message;
};

class ErrorMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ErrorMessages, FollowTheOriginalTexts)
{
    EXPECT_EQ(systemErrorMessage(GetParam().code), GetParam().message);
    const InOutError error(GetParam().code);
    EXPECT_STREQ(error.what(), GetParam().message);
    EXPECT_EQ(error.errorCode(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Errno, ErrorMessages,
                         ::testing::Values(MessageCase{ENOENT, "File not found"},
                                           MessageCase{ENAMETOOLONG, "Invalid filename"},
                                           MessageCase{EINVAL, "Invalid filename"},
                                           MessageCase{EMFILE, "Too many open files"},
                                           MessageCase{ENFILE, "Too many open files"},
                                           MessageCase{EACCES, "File access denied"},
                                           MessageCase{EPERM, "File access denied"},
                                           MessageCase{ENOTDIR, "I/O error 20"},
                                           MessageCase{EIO, "I/O error 5"}));

using testing::TestTree;

// Puts the process back where it was, whatever a test did.
class CurrentDirectoryTest : public ::testing::Test {
protected:
    void TearDown() override { setCurrentDirectory(m_start); }
    TestTree tree;

private:
    std::string m_start = currentDirectory();
};

TEST_F(CurrentDirectoryTest, ChangesTheProcessCurrentDirectory)
{
    tree.dir("a/b");
    setCurrentDirectory(tree.path("a/b"));
    EXPECT_EQ(currentDirectory(), tree.path("a/b"));
}

TEST_F(CurrentDirectoryTest, AMissingDirectoryIsFileNotFoundAndChangesNothing)
{
    setCurrentDirectory(tree.root());
    try {
        setCurrentDirectory(tree.path("gone"));
        FAIL() << "no error";
    } catch (const InOutError& error) {
        EXPECT_STREQ(error.what(), "File not found");
        EXPECT_EQ(error.errorCode(), ENOENT);
    }
    EXPECT_EQ(currentDirectory(), tree.root());
}

TEST_F(CurrentDirectoryTest, AFileIsNoDirectory)
{
    tree.file("plain");
    EXPECT_THROW(setCurrentDirectory(tree.path("plain")), InOutError);
    EXPECT_THROW(setCurrentDirectory(""), InOutError);
}

TEST_F(CurrentDirectoryTest, InOutErrorIsARuntimeError)
{
    EXPECT_THROW(setCurrentDirectory(tree.path("gone")), std::runtime_error);
}

}  // namespace
}  // namespace zorvane::platform
