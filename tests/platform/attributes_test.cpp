#include "platform/attributes.h"

#include <gtest/gtest.h>

namespace zorvane::platform {
namespace {

TEST(AttributeFilter, ExclusionSetIsTheSpecialBitsNotWanted)
{
    struct Row {
        Attributes wanted;
        Attributes excluded;
    };
    const Row rows[] = {
        {0x46, 0x18},  // files of every kind: no directories, no volume labels
        {0x10, 0x0E},  // directories: nothing hidden, system or a volume label
        {0x56, 0x08},
        {0x00, 0x1E},
        {0x01, 0x1E},  // bits outside the special four change nothing
        {0xE1, 0x1E},
        {0xFF, 0x00},
        {0xFFFFFFFF, 0x00},
    };
    for (const Row& row : rows)
        EXPECT_EQ(exclusionSet(row.wanted), row.excluded) << std::hex << row.wanted;
}

TEST(AttributeFilter, AnEntryPassesWhenItSharesNoExcludedBit)
{
    using namespace attr;
    struct Row {
        Attributes entry;
        Attributes wanted;
        bool passes;
    };
    const Row rows[] = {
        {Archive, 0x46, true},
        {ReadOnly | Hidden | System, 0x46, true},
        {Directory, 0x46, false},
        {VolumeLabel, 0x46, false},
        {Directory, 0x10, true},
        {Directory | Hidden, 0x10, false},
        {Directory | System, 0x10, false},
        {Archive, 0x10, true},  // not a directory, but the filter lets it by
        {Hidden, 0x10, false},
        {Directory | ReparsePoint, 0x10, true},
        {0, 0, true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(passesFilter(row.entry, row.wanted), row.passes) << std::hex << row.entry << " / " << row.wanted;
}

}  // namespace
}  // namespace zorvane::platform
