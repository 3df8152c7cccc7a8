// Fuzzes the one-pass walk against the literal two-pass walk on in-memory
// trees with arbitrary attributes, and checks that a sink that throws
// leaves no enumeration open and keeps the lines before it.
#include "search/file_search.h"
#include "support/memory_file_system.h"
#include "support/reference_search.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using zorvane::testing::MemoryFileSystem;

class StoppingSink final : public zorvane::search::ResultSink {
public:
    explicit StoppingSink(std::size_t limit) : m_limit(limit) {}
    void append(std::string_view line) override
    {
        if (lines.size() == m_limit)
            throw std::runtime_error("Unable to insert a line");
        lines.emplace_back(line);
    }
    std::vector<std::string> lines;

private:
    std::size_t m_limit;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

// Input: pairs of bytes building the tree (kind, attributes and name from a
// small set), then a byte for the sink's limit, then the mask.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const char* const names[] = {"a.pas", "B.PAS", "c", "d.txt", ".e", "f.p", "G", "h.pas.x"};
    MemoryFileSystem fs;
    std::vector<std::string> directories{"C:\\R"};
    fs.addDirectory("C:\\R");
    std::size_t at = 0;
    int serial = 0;
    for (; at + 1 < size && data[at] != 0xFF && directories.size() < 64; at += 2) {
        const std::uint8_t kind = data[at];
        const std::uint8_t bits = data[at + 1];
        const std::string& parent = directories[kind % directories.size()];
        const std::string name = std::to_string(serial++) + names[(kind >> 4) & 7];
        const zorvane::platform::Attributes attributes = bits & 0x3F;
        if (kind & 0x08) {
            fs.addDirectory(parent + "\\" + name, attributes & ~0x10u);
            directories.push_back(parent + "\\" + name);
        } else {
            fs.addFile(parent + "\\" + name, attributes);
        }
    }
    ++at;  // the 0xFF that ends the tree
    const std::size_t limit = at < size ? data[at++] : 1000;
    const std::string mask = at < size ? std::string(reinterpret_cast<const char*>(data + at), std::min<std::size_t>(size - at, 32)) : "*";

    std::vector<std::string> expected;
    zorvane::testing::twoPassSearch([&] { return fs.newEnumeration(); }, "C:\\R", mask,
                                    zorvane::platform::windowsPathRules, expected);

    auto enumeration = fs.newEnumeration();
    StoppingSink sink(limit);
    zorvane::search::FileSearch search(*enumeration, sink, mask, zorvane::platform::windowsPathRules);
    bool stopped = false;
    try {
        search.SearchDirectory("C:\\R");
    } catch (const std::runtime_error&) {
        stopped = true;
    }
    check(fs.openEnumerations() == 0);
    check(stopped == (expected.size() > limit));
    if (stopped)
        expected.resize(limit);
    check(sink.lines == expected);
    return 0;
}
