// Fuzzes the compiled wildcard matcher against the dialect's definition.
// Input: one byte choosing the separator, then mask '\n' name.
#include "platform/wildcard.h"
#include "support/reference_search.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > 512)
        return 0;
    const char separator = (data[0] & 1) ? '\\' : '/';
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto split = rest.find('\n');
    if (split == std::string_view::npos)
        return 0;
    const std::string_view mask = rest.substr(0, split);
    const std::string_view name = rest.substr(split + 1);

    const bool fast = zorvane::platform::Wildcard(mask, separator).matches(name);
    const bool slow = zorvane::testing::referenceMatch(mask, name, separator);
    if (fast != slow) {
        std::fprintf(stderr, "mask and name disagree: compiled %d, reference %d\n", fast, slow);
        std::abort();
    }
    return 0;
}
