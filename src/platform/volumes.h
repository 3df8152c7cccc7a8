// The volumes the drive picker offers: on Windows the logical drives a..z of
// the kinds the original listed, on POSIX the mounted real file systems
// (listed by the window layer, filtered here), and the rules that pick the
// volume holding a directory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::platform {

enum class VolumeKind { Removable, Fixed, Network, Optical, RamDisk };

struct Volume {
    // The drive: the root path ("/", "/media/usb"; "c:\" on Windows).
    std::string root;
    // What the entry shows before its label: the root path on POSIX, the
    // letter and a colon ("c:") on Windows.
    std::string name;
    std::string label;
    // The remote source of a network volume ("server:/export",
    // "\\server\share"); empty when unknown.
    std::string remote;
    VolumeKind kind = VolumeKind::Fixed;
    // False when the label was deliberately not read (a removable drive on
    // Windows, whose medium is never touched): the entry shows no brackets.
    bool labelRead = true;
    // As the mount table reports it (POSIX filter only).
    bool valid = true;
    bool ready = true;
    bool rootIsDirectory = true;

    friend bool operator==(const Volume&, const Volume&) = default;
};

// The POSIX filter of the mounted volumes: keeps those that are valid, ready
// and whose root is a directory (bind mounts of single files and unusable
// sandbox mounts go), always keeps "/" (adding it when missing), keeps one
// entry per root (the last listed, which is the one mounted on top), and
// orders them by the bytes of their root paths.
std::vector<Volume> usableMountedVolumes(std::vector<Volume> mounted);

// The volume among `volumes` that holds `path`: the one whose root is the
// longest leading part of it, ending at a separator; `separator` is the
// platform's, and with `foldsCase` roots compare without regard to ASCII case.
// Returns nullptr when none holds it (a Windows network path, or an empty
// path).
const Volume* volumeHolding(std::string_view path, const std::vector<Volume>& volumes,
                            char separator, bool foldsCase);

// The logical drives a..z that are removable, fixed, network, CD-ROM or RAM
// disks, with their labels (and remote names for network drives) read
// without touching removable media or prompting for a missing one.
// Windows only; on other systems it returns nothing.
std::vector<Volume> logicalDrives();

}  // namespace zorvane::platform
