#include "platform/wildcard.h"

#include "support/reference_search.h"

#include <gtest/gtest.h>

#include <random>

#include <string>

namespace zorvane::platform {
namespace {

struct MaskCase {
    std::string mask;
    std::string name;
    bool matches;
};

void PrintTo(const MaskCase& c, std::ostream* out)
{
    *out << "mask '" << c.mask << "' name '" << c.name << "'";
}

class WildcardTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(WildcardTest, MatchesAsTheDialectSays)
{
    const auto& c = GetParam();
    EXPECT_EQ(Wildcard(c.mask, '/').matches(c.name), c.matches) << "mask '" << c.mask << "' name '" << c.name << "'";
}

INSTANTIATE_TEST_SUITE_P(Dialect, WildcardTest, ::testing::Values(
    // suffix masks, ASCII letters without regard to case
    MaskCase{"*.pas", "main.pas", true},
    MaskCase{"*.pas", "Main.PAS", true},
    MaskCase{"*.PAS", "main.pas", true},
    MaskCase{"*.pas", ".pas", true},
    MaskCase{"*.pas", "main.pascal", false},
    MaskCase{"*.pas", "main.pa", false},
    MaskCase{"*.pas", "pas", false},
    MaskCase{"*.pas", "main.pas.bak", false},
    MaskCase{"*.pas", "main.pbs", false},
    MaskCase{"*.pas", "main_pas", false},
    MaskCase{"*.pas", "", false},
    MaskCase{"*.p\xC3\xA4s", "A.P\xC3\xA4S", true},
    // '*' takes dots and empty runs
    MaskCase{"*", "a.b.c", true},
    MaskCase{"*", ".hidden", true},
    MaskCase{"a*b", "ab", true},
    MaskCase{"a*b", "a.x.b", true},
    MaskCase{"a*b", "a.x.bc", false},
    MaskCase{"*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", true},
    MaskCase{"*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    // '?' is exactly one character, a UTF-8 sequence counts as one
    MaskCase{"?.pas", "a.pas", true},
    MaskCase{"?.pas", ".pas", false},
    MaskCase{"?.pas", "ab.pas", false},
    MaskCase{"?.pas", "\xC3\xA9.pas", true},
    MaskCase{"??.pas", "\xC3\xA9.pas", false},
    MaskCase{"?.pas", "\xFF.pas", true},
    MaskCase{"*?", "", false},
    MaskCase{"?*?", "ab", true},
    // mask and name are cut into characters alike: a lone byte of a broken
    // sequence is a character of its own and never half of another
    MaskCase{"*\xC3*\xA9", "\xC3\xA9", false},
    MaskCase{"*\xC3*\xA9", "x\xC3y\xA9", true},
    MaskCase{"*\xC3**\xA9", "\xE8\x89\xC3\xEC\xA9\xE8\n\xCC" "5p\xC3\xA9t\xA9t\xC3\xA9", false},
    MaskCase{"\xC3*", "\xC3\xA9t\xC3\xA9", false},
    MaskCase{"*\xA9", "caf\xC3\xA9", false},
    MaskCase{"*?*?*", "a", false},
    // prefix and exact masks
    MaskCase{"read*", "README.txt", true},
    MaskCase{"read*", "rea", false},
    MaskCase{"Makefile", "makefile", true},
    MaskCase{"Makefile", "Makefile.am", false},
    // letters outside ASCII keep their case: only bytes A..Z fold
    MaskCase{"\xC3\x89*", "\xC3\xA9t\xC3\xA9", false},
    MaskCase{"\xC3\xA9*", "\xC3\xA9t\xC3\xA9", true},
    // "*.*" and a trailing ".*" also match names without a dot
    MaskCase{"*.*", "Makefile", true},
    MaskCase{"*.*", "a.b", true},
    MaskCase{"read*.*", "readme", true},
    MaskCase{"read*.*", "readme.txt", true},
    MaskCase{"read*.*", "notes", false},
    // a trailing "." matches names without a dot
    MaskCase{"*.", "Makefile", true},
    MaskCase{"*.", "main.pas", false},
    MaskCase{"make*.", "makefile", true},
    // nothing at all: empty, separators, only dots, NUL
    MaskCase{"", "", false},
    MaskCase{"", "a", false},
    MaskCase{"src/*.pas", "main.pas", false},
    MaskCase{"/", "a", false},
    MaskCase{".", ".", false},
    MaskCase{"..", "..", false},
    MaskCase{std::string("a\0b", 3), "a", false},
    MaskCase{std::string("*\0", 2), "a", false},
    // backslash is an ordinary byte where it is not the separator
    MaskCase{"a\\b", "a\\b", true}));

TEST(WildcardSeparator, TheSystemSeparatorMakesAMaskMatchNothing)
{
    EXPECT_FALSE(Wildcard("src\\*.pas", '\\').matches("main.pas"));
    EXPECT_FALSE(Wildcard("src\\*.pas", '\\').matches("src\\main.pas"));
    EXPECT_TRUE(Wildcard("*.pas", '\\').matches("main.pas"));
    EXPECT_TRUE(Wildcard("", '/').matchesNothing());
    EXPECT_TRUE(Wildcard("*.*", '/').matchesEverything());
    EXPECT_TRUE(Wildcard("***", '/').matchesEverything());
}

TEST(WildcardLimits, HugeMasksStayQuick)
{
    // 100,000 wildcards: normalised once, then each name costs little.
    std::string stars;
    for (int i = 0; i < 50000; ++i)
        stars += "*?";
    const Wildcard manyWildcards(stars);
    EXPECT_FALSE(manyWildcards.matches(std::string(255, 'a')));
    EXPECT_TRUE(Wildcard("*?*?").matches("ab"));

    const Wildcard longLiteral(std::string(100000, 'a'));
    EXPECT_FALSE(longLiteral.matches(std::string(255, 'a')));

    std::string alternating;
    for (int i = 0; i < 1000; ++i)
        alternating += "*a";
    alternating += "*b";
    EXPECT_FALSE(Wildcard(alternating).matches(std::string(255, 'a')));
}

TEST(WildcardReference, AgreesWithTheDefinitionOnRandomMasksAndNames)
{
    // Small alphabets make collisions between wildcards, dots, case and
    // multi-byte characters likely.
    const std::string maskBytes[] = {"*", "?", ".", "a", "A", "b", "\xC3", "\xA9", "\xC3\xA9", "/", "\\"};
    const std::string nameBytes[] = {".", "a", "A", "b", "\xC3", "\xA9", "\xC3\xA9", "\xFF", "\\"};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string mask;
        std::string name;
        for (auto n = random() % 7; n > 0; --n)
            mask += maskBytes[random() % std::size(maskBytes)];
        for (auto n = random() % 8; n > 0; --n)
            name += nameBytes[random() % std::size(nameBytes)];
        const char separator = round % 2 ? '/' : '\\';
        ASSERT_EQ(Wildcard(mask, separator).matches(name), testing::referenceMatch(mask, name, separator))
            << "mask '" << mask << "' name '" << name << "'";
    }
}

TEST(LowerAscii, FoldsOnlyAsciiLetters)
{
    std::string text = "C:\\Work\\SRC\\Main.PAS \xC3\x89\x41[@Z`";
    lowerAsciiInPlace(text);
    EXPECT_EQ(text, "c:\\work\\src\\main.pas \xC3\x89\x61[@z`");
}

}  // namespace
}  // namespace zorvane::platform
