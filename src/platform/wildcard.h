// The wildcard dialect of file masks, compiled once and then a pure test of
// a name: '*' any run of characters (dots included), '?' exactly one
// character, every other byte literal, ASCII letters without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorvane::platform {

// Lower-cases the ASCII letters A to Z and leaves every other byte alone.
inline char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

void lowerAsciiInPlace(std::string& text);

// True when `a` and `b` are the same bytes, ASCII letters without regard to
// case: how names compare on a system whose names ignore case.
inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// True when `name` ends in `lowered` (lower case), ASCII letters of `name`
// compared without regard to case. Compares from the last byte on: names
// that a mask such as "*.pas" does not match mostly differ there.
inline bool endsWithFolded(std::string_view lowered, std::string_view name)
{
    if (name.size() < lowered.size())
        return false;
    const char* const first = lowered.data();
    const char* wanted = first + lowered.size();
    const char* given = name.data() + name.size();
    while (wanted != first) {
        if (*--wanted != lowerAscii(*--given))
            return false;
    }
    return true;
}

class Wildcard {
public:
    // Compiles `mask`. A mask that is empty, or that holds `separator` or a
    // '/', matches nothing. A trailing ".*" may also match nothing at all, so
    // "*.*" matches every name; a mask ending in "." matches names without one.
    explicit Wildcard(std::string_view mask, char separator = '/');

    bool matches(std::string_view name) const
    {
        // The usual mask, "*.ext", is tested right here: no call per name.
        if (m_suffixOnly)
            return endsWithFolded(m_alternatives[0].text, name);
        return matchesAny(name);
    }
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
    bool matchesAny(std::string_view name) const;
    static bool matchGeneral(std::string_view pattern, std::string_view name);

    Alternative m_alternatives[2];
    int m_count = 0;
    bool m_matchesEverything = false;
    bool m_rejectsDots = false;
    bool m_suffixOnly = false;
};

}  // namespace zorvane::platform
