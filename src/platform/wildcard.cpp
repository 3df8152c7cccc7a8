#include "platform/wildcard.h"

#include <algorithm>

namespace zorvane::platform {

namespace {

bool isWildcard(char c)
{
    return c == '*' || c == '?';
}

// Bytes of the character starting at `at`: a well-formed UTF-8 sequence is one
// character, every other byte stands for itself.
std::size_t characterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (length == 1 || at + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// True when every byte of `text` belongs to a well-formed UTF-8 character:
// then a match of its bytes in a name starts and ends between characters.
bool isWellFormed(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = characterLength(text, at);
        if (length == 1 && static_cast<unsigned char>(text[at]) >= 0x80)
            return false;
        at += length;
    }
    return true;
}

// The character of `pattern` at `p` against the one of `name` at `n`: the
// same length and the same bytes, ASCII letters without regard to case.
bool sameCharacter(std::string_view pattern, std::size_t p, std::size_t length, std::string_view name, std::size_t n)
{
    if (characterLength(name, n) != length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (pattern[p + i] != lowerAscii(name[n + i]))
            return false;
    }
    return true;
}

bool equalsFolded(std::string_view lowered, std::string_view name)
{
    if (lowered.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (lowered[i] != lowerAscii(name[i]))
            return false;
    }
    return true;
}

bool startsWithFolded(std::string_view lowered, std::string_view name)
{
    if (name.size() < lowered.size())
        return false;
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (lowered[i] != lowerAscii(name[i]))
            return false;
    }
    return true;
}

// Runs of '*' and '?' are rewritten as the '?'s followed by one '*': the
// same set of names, and no run of stars for the matcher to retry.
std::string normalise(std::string_view pattern)
{
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size();) {
        if (!isWildcard(pattern[i])) {
            out.push_back(lowerAscii(pattern[i++]));
            continue;
        }
        bool star = false;
        for (; i < pattern.size() && isWildcard(pattern[i]); ++i) {
            if (pattern[i] == '*')
                star = true;
            else
                out.push_back('?');
        }
        if (star)
            out.push_back('*');
    }
    return out;
}

}  // namespace

void lowerAsciiInPlace(std::string& text)
{
    for (char& c : text)
        c = lowerAscii(c);
}

Wildcard::Wildcard(std::string_view mask, char separator)
{
    if (mask.empty() || mask.find('/') != std::string_view::npos
        || mask.find(separator) != std::string_view::npos)
        return;

    if (mask.back() == '.') {
        const auto kept = mask.find_last_not_of('.');
        if (kept == std::string_view::npos)
            return;  // only dots: names of that kind are never files
        m_rejectsDots = true;
        addAlternative(mask.substr(0, kept + 1));
        return;
    }
    addAlternative(mask);
    if (mask.size() > 2 && mask.ends_with(".*"))
        addAlternative(mask.substr(0, mask.size() - 2));
    m_suffixOnly = m_count == 1 && m_alternatives[0].kind == Kind::Suffix;
}

void Wildcard::addAlternative(std::string_view pattern)
{
    std::string text = normalise(pattern);
    if (text == "*") {
        m_matchesEverything = !m_rejectsDots;
        if (m_matchesEverything) {
            m_count = 0;
            return;
        }
    }
    if (m_matchesEverything)
        return;

    Alternative& alternative = m_alternatives[m_count++];
    alternative.minLength = static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return c != '*'; }));
    const auto wildcards = std::count_if(text.begin(), text.end(), isWildcard);
    if (wildcards == 0) {
        alternative.kind = Kind::Exact;
    } else if (wildcards == 1 && text.front() == '*' && isWellFormed(text)) {
        // Masks and names are compared character by character; a byte
        // compare gives the same answer only for well-formed characters.
        alternative.kind = Kind::Suffix;
        text.erase(0, 1);
    } else if (wildcards == 1 && text.back() == '*' && isWellFormed(text)) {
        alternative.kind = Kind::Prefix;
        text.pop_back();
    } else {
        alternative.kind = Kind::General;
    }
    alternative.text = std::move(text);
}

bool Wildcard::matchesAny(std::string_view name) const
{
    if (m_matchesEverything)
        return true;
    if (m_rejectsDots && name.find('.') != std::string_view::npos)
        return false;
    for (int i = 0; i < m_count; ++i) {
        const Alternative& alternative = m_alternatives[i];
        bool matched = false;
        switch (alternative.kind) {
        case Kind::Suffix:
            matched = endsWithFolded(alternative.text, name);
            break;
        case Kind::Exact:
            matched = equalsFolded(alternative.text, name);
            break;
        case Kind::Prefix:
            matched = startsWithFolded(alternative.text, name);
            break;
        case Kind::General:
            matched = name.size() >= alternative.minLength && matchGeneral(alternative.text, name);
            break;
        }
        if (matched)
            return true;
    }
    return false;
}

// Classic single-backtrack glob over characters: on a mismatch, let the
// last '*' swallow one more character and retry from there. Patterns are
// normalised, so a name of n bytes costs at most n times the pattern's
// length. Both sides are cut into characters the same way (a well-formed
// UTF-8 sequence, else one byte), so '*' and '?' never split one.
bool Wildcard::matchGeneral(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
            continue;
        }
        if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += characterLength(name, n);
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t length = characterLength(pattern, p);
            if (sameCharacter(pattern, p, length, name, n)) {
                p += length;
                n += length;
                continue;
            }
        }
        if (starP == std::string_view::npos)
            return false;
        p = starP;
        starN += characterLength(name, starN);
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace zorvane::platform
