#include "support/reference_search.h"

#include "platform/wildcard.h"
#include "search/file_search.h"

namespace zorvane::testing {

void twoPassSearch(const EnumerationFactory& newEnumeration, const std::string& directory, const std::string& mask,
                   platform::PathRules rules, std::vector<std::string>& out)
{
    const std::string d = search::AppendPathDelimiter(directory, rules.separator);
    auto files = newEnumeration();
    auto subdirectories = newEnumeration();
    // A mask holding a separator would make the file pass read another
    // directory and list its names under this one; such a mask names no file.
    const bool maskNamesAFile = mask.find_first_of(std::string("/") + rules.separator) == std::string::npos;
    for (bool more = maskNamesAFile && files->open(d + mask, 0x46); more; more = files->next()) {
        std::string line = d + std::string(files->entry().name);
        if (rules.foldsCase)
            platform::lowerAsciiInPlace(line);
        out.push_back(line);
    }
    for (bool more = subdirectories->open(d + "*.*", 0x10); more; more = subdirectories->next()) {
        const auto& entry = subdirectories->entry();
        if ((entry.attributes & platform::attr::Directory) && !(entry.attributes & platform::attr::ReparsePoint)
            && !search::IsDotEntry(entry.name))
            twoPassSearch(newEnumeration, d + std::string(entry.name), mask, rules, out);
    }
}

namespace {

// One character of a name: a well-formed UTF-8 sequence, else one byte.
std::size_t step(std::string_view name, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(name[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xF0 && lead < 0xF5)
        length = 4;
    if (at + length > name.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(name[at + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

std::vector<std::string_view> characters(std::string_view text)
{
    std::vector<std::string_view> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = step(text, at);
        out.push_back(text.substr(at, length));
        at += length;
    }
    return out;
}

// Mask and name as sequences of characters; '*' takes any run of them, '?'
// exactly one, any other character of the mask matches an equal one.
bool glob(std::string_view pattern, std::string_view name)
{
    const auto mask = characters(pattern);
    const auto text = characters(name);
    // reach[p][n]: the first p mask characters can match the first n name ones.
    const std::size_t columns = text.size() + 1;
    std::vector<char> reach((mask.size() + 1) * columns, 0);
    auto at = [&](std::size_t p, std::size_t n) -> char& { return reach[p * columns + n]; };
    at(0, 0) = 1;
    for (std::size_t p = 0; p < mask.size(); ++p) {
        for (std::size_t n = 0; n < columns; ++n) {
            if (!at(p, n))
                continue;
            if (mask[p] == "*") {
                for (std::size_t k = n; k < columns; ++k)
                    at(p + 1, k) = 1;
            } else if (n < text.size() && (mask[p] == "?" || platform::equalsIgnoringAsciiCase(mask[p], text[n]))) {
                at(p + 1, n + 1) = 1;
            }
        }
    }
    return at(mask.size(), text.size());
}

}  // namespace

bool referenceMatch(std::string_view mask, std::string_view name, char separator)
{
    if (mask.empty() || mask.find('/') != std::string_view::npos || mask.find(separator) != std::string_view::npos)
        return false;
    if (mask.back() == '.') {
        const auto kept = mask.find_last_not_of('.');
        if (kept == std::string_view::npos || name.find('.') != std::string_view::npos)
            return false;
        return glob(mask.substr(0, kept + 1), name);
    }
    if (glob(mask, name))
        return true;
    return mask.size() > 2 && mask.ends_with(".*") && glob(mask.substr(0, mask.size() - 2), name);
}

}  // namespace zorvane::testing
