// The wildcard dialect of file masks, compiled once and then a pure test of
// a name: '*' any run of characters (dots included), '?' exactly one
// character, every other byte literal, ASCII letters without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorvane::platform {

class Wildcard {
public:
    // Compiles `mask`. A mask that is empty, or that holds `separator` or a
    // '/', matches nothing. A trailing ".*" may also match nothing at all, so
    // "*.*" matches every name; a mask ending in "." matches names without one.
    explicit Wildcard(std::string_view mask, char separator = '/');

    bool matches(std::string_view name) const;
    bool matchesEverything() const { return m_matchesEverything; }
    bool matchesNothing() const { return m_count == 0 && !m_matchesEverything; }

private:
    enum class Kind { Exact, Prefix, Suffix, General };
    struct Alternative {
        Kind kind = Kind::Exact;
        std::string text;  // lower-cased; literal part for Exact/Prefix/Suffix
        std::size_t minLength = 0;
    };

    void addAlternative(std::string_view pattern);
    static bool matchGeneral(std::string_view pattern, std::string_view name);

    Alternative m_alternatives[2];
    int m_count = 0;
    bool m_matchesEverything = false;
    bool m_rejectsDots = false;
};

// Lower-cases the ASCII letters A to Z and leaves every other byte alone.
inline char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

void lowerAsciiInPlace(std::string& text);

}  // namespace zorvane::platform
