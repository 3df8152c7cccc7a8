// How the Windows enumeration turns what FindFirstFileA reports into the
// program's attribute bits; a header of its own so the Windows tests can
// check the mapping for entries Wine cannot create (junctions, cloud files).
#pragma once

#include "platform/attributes.h"

namespace zorvane::platform {

// `fileAttributes` and `reparseTag` are WIN32_FIND_DATAA's dwFileAttributes
// and dwReserved0. Keeps read-only, hidden, system, volume label, directory
// and archive; adds attr::ReparsePoint for a reparse point that is a link
// (a name surrogate: junction, symbolic link) and for one whose tag is not
// reported; every other bit is dropped.
Attributes attributesFromFindData(unsigned long fileAttributes, unsigned long reparseTag);

}  // namespace zorvane::platform
