// POSIX has no drive letters: its volumes are the mounted file systems,
// which the window layer lists and usableMountedVolumes() filters.
#include "platform/volumes.h"

namespace zorvane::platform {

std::vector<Volume> logicalDrives()
{
    return {};
}

}  // namespace zorvane::platform
