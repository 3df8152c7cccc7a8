// The logical drives of Windows, as the original drive picker listed them.
#include "platform/volumes.h"
#include "platform/wildcard.h"
#include "platform/win32/no_medium_prompts.h"

#include <windows.h>
#include <winnetwk.h>

#include <string>

namespace zorvane::platform {

namespace {

std::string volumeLabel(const std::string& root)
{
    char label[MAX_PATH + 1] = {};
    DWORD serial = 0, maxLength = 0, flags = 0;
    if (!GetVolumeInformationA(root.c_str(), label, sizeof label, &serial, &maxLength, &flags, nullptr, 0))
        return {};
    return label;
}

std::string remoteName(const std::string& name)
{
    char remote[MAX_PATH + 1] = {};
    DWORD size = sizeof remote;
    if (WNetGetConnectionA(name.c_str(), remote, &size) != NO_ERROR)
        return {};
    return remote;
}

}  // namespace

std::vector<Volume> logicalDrives()
{
    NoMediumPrompts noPrompts;
    std::vector<Volume> drives;
    const DWORD present = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((present & (DWORD{1} << i)) == 0)
            continue;
        Volume volume;
        const char letter = static_cast<char>('a' + i);
        volume.name = std::string{letter, ':'};
        volume.root = volume.name + '\\';
        switch (GetDriveTypeA(volume.root.c_str())) {
        case DRIVE_REMOVABLE:
            volume.kind = VolumeKind::Removable;
            volume.labelRead = false;  // reading it would spin up the medium
            break;
        case DRIVE_FIXED:
            volume.kind = VolumeKind::Fixed;
            break;
        case DRIVE_REMOTE:
            volume.kind = VolumeKind::Network;
            volume.remote = remoteName(volume.name);
            break;
        case DRIVE_CDROM:
            volume.kind = VolumeKind::Optical;
            break;
        case DRIVE_RAMDISK:
            volume.kind = VolumeKind::RamDisk;
            break;
        default:
            continue;
        }
        if (volume.labelRead && volume.remote.empty())
            volume.label = volumeLabel(volume.root);
        drives.push_back(std::move(volume));
    }
    return drives;
}

}  // namespace zorvane::platform
