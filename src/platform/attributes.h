// Attribute bits of a directory entry and the filter that a directory
// enumeration applies to them.
#pragma once

#include <cstdint>

namespace zorvane::platform {

using Attributes = std::uint32_t;

namespace attr {
inline constexpr Attributes ReadOnly = 0x01;
inline constexpr Attributes Hidden = 0x02;
inline constexpr Attributes System = 0x04;
inline constexpr Attributes VolumeLabel = 0x08;
inline constexpr Attributes Directory = 0x10;
inline constexpr Attributes Archive = 0x20;
// A link or junction. It never takes part in the filter; the search uses it
// to leave directories reached through a link unentered.
inline constexpr Attributes ReparsePoint = 0x400;

// The bits an enumeration filters on: hidden, system, volume label, directory.
inline constexpr Attributes Special = Hidden | System | VolumeLabel | Directory;
}  // namespace attr

// An enumeration opened with the wanted set `wanted` skips every entry that
// carries one of these bits. Bits of `wanted` outside attr::Special do nothing.
constexpr Attributes exclusionSet(Attributes wanted)
{
    return ~wanted & attr::Special;
}

constexpr bool passesFilter(Attributes entry, Attributes wanted)
{
    return (entry & exclusionSet(wanted)) == 0;
}

}  // namespace zorvane::platform
