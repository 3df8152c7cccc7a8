// Where a search puts the paths it finds: append-only, in the search's order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::search {

class ResultSink {
public:
    virtual ~ResultSink() = default;
    // Takes a copy of `line`. May throw; the search then ends and the lines
    // appended before stay where they were put.
    virtual void append(std::string_view line) = 0;
};

class VectorSink final : public ResultSink {
public:
    void append(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

}  // namespace zorvane::search
