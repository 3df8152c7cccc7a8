#include "platform/volumes.h"
#include "platform/wildcard.h"

#include <algorithm>

namespace zorvane::platform {

std::vector<Volume> usableMountedVolumes(std::vector<Volume> mounted)
{
    std::vector<Volume> kept;
    bool haveRoot = false;
    // From the end, so that of several mounts on one root the last one listed
    // (the one on top, the one a path reaches) is the one kept.
    for (auto it = mounted.rbegin(); it != mounted.rend(); ++it) {
        const bool isRoot = it->root == "/";
        if (!isRoot && !(it->valid && it->ready && it->rootIsDirectory))
            continue;
        if (it->root.empty() || it->root.front() != '/')
            continue;
        const bool seen = std::any_of(kept.begin(), kept.end(), [&](const Volume& v) { return v.root == it->root; });
        if (seen)
            continue;
        haveRoot = haveRoot || isRoot;
        kept.push_back(std::move(*it));
    }
    if (!haveRoot) {
        Volume root;
        root.root = root.name = "/";
        kept.push_back(std::move(root));
    }
    std::sort(kept.begin(), kept.end(), [](const Volume& a, const Volume& b) { return a.root < b.root; });
    return kept;
}

namespace {

bool sameBytes(std::string_view a, std::string_view b, bool foldsCase)
{
    return foldsCase ? equalsIgnoringAsciiCase(a, b) : a == b;
}

}  // namespace

const Volume* volumeHolding(std::string_view path, const std::vector<Volume>& volumes, char separator, bool foldsCase)
{
    const Volume* best = nullptr;
    for (const Volume& volume : volumes) {
        std::string_view root = volume.root;
        if (root.empty() || path.size() < root.size() || !sameBytes(path.substr(0, root.size()), root, foldsCase))
            continue;
        // "/media/usb" holds "/media/usb" and "/media/usb/x", not "/media/usb2".
        const bool endsAtSeparator = root.back() == separator || path.size() == root.size()
                                     || path[root.size()] == separator;
        if (!endsAtSeparator)
            continue;
        if (!best || root.size() > best->root.size())
            best = &volume;
    }
    return best;
}

}  // namespace zorvane::platform
