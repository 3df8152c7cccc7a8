#include "platform/path_rules.h"
#include "platform/volumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zorvane::platform {
namespace {

Volume mounted(std::string root, bool valid = true, bool ready = true, bool isDirectory = true, std::string label = {})
{
    Volume volume;
    volume.root = volume.name = std::move(root);
    volume.label = std::move(label);
    volume.valid = valid;
    volume.ready = ready;
    volume.rootIsDirectory = isDirectory;
    return volume;
}

std::vector<std::string> roots(const std::vector<Volume>& volumes)
{
    std::vector<std::string> result;
    for (const Volume& volume : volumes)
        result.push_back(volume.root);
    return result;
}

TEST(MountedVolumes, KeepsValidReadyDirectoriesOrderedByRoot)
{
    const std::vector<Volume> table = {
        mounted("/home"),
        mounted("/"),
        mounted("/etc/hostname", true, true, false),  // bind mount of a file
        mounted("/media/cdrom", true, false),         // no medium
        mounted("/run/sandbox", false),               // gone
        mounted("/boot"),
        mounted("/media/usb"),
    };
    EXPECT_EQ(roots(usableMountedVolumes(table)),
              (std::vector<std::string>{"/", "/boot", "/home", "/media/usb"}));
}

TEST(MountedVolumes, AlwaysKeepsTheRoot)
{
    EXPECT_EQ(roots(usableMountedVolumes({mounted("/", false, false, false), mounted("/data")})),
              (std::vector<std::string>{"/", "/data"}));
    EXPECT_EQ(roots(usableMountedVolumes({mounted("/data")})), (std::vector<std::string>{"/", "/data"}));
    EXPECT_EQ(roots(usableMountedVolumes({})), (std::vector<std::string>{"/"}));
}

TEST(MountedVolumes, KeepsTheLastOfSeveralMountsOnOneRoot)
{
    const auto kept = usableMountedVolumes({mounted("/data", true, true, true, "under"), mounted("/"),
                                            mounted("/data", true, true, true, "over")});
    ASSERT_EQ(roots(kept), (std::vector<std::string>{"/", "/data"}));
    EXPECT_EQ(kept[1].label, "over");
}

TEST(MountedVolumes, OrdersByBytesNotByLocale)
{
    EXPECT_EQ(roots(usableMountedVolumes({mounted("/b"), mounted("/B"), mounted("/a"), mounted("/_c")})),
              (std::vector<std::string>{"/", "/B", "/_c", "/a", "/b"}));
}

TEST(VolumeHolding, PicksTheLongestRootEndingAtASeparator)
{
    const std::vector<Volume> volumes = {mounted("/"), mounted("/media/usb"), mounted("/home")};
    EXPECT_EQ(volumeHolding("/media/usb/photos", volumes, '/', false)->root, "/media/usb");
    EXPECT_EQ(volumeHolding("/media/usb", volumes, '/', false)->root, "/media/usb");
    EXPECT_EQ(volumeHolding("/media/usb2", volumes, '/', false)->root, "/");
    EXPECT_EQ(volumeHolding("/home/me", volumes, '/', false)->root, "/home");
    EXPECT_EQ(volumeHolding("/Home/me", volumes, '/', false)->root, "/");
    EXPECT_EQ(volumeHolding("", volumes, '/', false), nullptr);
}

TEST(VolumeHolding, DriveLettersIgnoreCase)
{
    std::vector<Volume> drives(2);
    drives[0].root = "c:\\";
    drives[1].root = "d:\\";
    EXPECT_EQ(volumeHolding("C:\\Windows", drives, '\\', true)->root, "c:\\");
    EXPECT_EQ(volumeHolding("d:\\", drives, '\\', true)->root, "d:\\");
    EXPECT_EQ(volumeHolding("\\\\server\\share\\dir", drives, '\\', true), nullptr);
    EXPECT_EQ(volumeHolding("e:\\x", drives, '\\', true), nullptr);
}

TEST(LogicalDrives, ExistExactlyWhereTheSystemHasDriveLetters)
{
    const auto drives = logicalDrives();
    if (nativePathRules().separator == '/') {
        EXPECT_TRUE(drives.empty());
        return;
    }
    // Windows: the system drive is among them, as a lower-case root.
    ASSERT_FALSE(drives.empty());
    EXPECT_TRUE(std::any_of(drives.begin(), drives.end(), [](const Volume& drive) { return drive.root == "c:\\"; }));
    for (const Volume& drive : drives) {
        EXPECT_EQ(drive.root.size(), 3u) << drive.root;
        EXPECT_TRUE(drive.root[0] >= 'a' && drive.root[0] <= 'z') << drive.root;
    }
}

}  // namespace
}  // namespace zorvane::platform
