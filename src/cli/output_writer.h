// A buffered writer for standard output that reports every failed write.
#pragma once

#include "search/result_sink.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace zorvane::cli {

class OutputWriter {
public:
    explicit OutputWriter(std::FILE* stream, std::size_t capacity = 64 * 1024);

    // Both throw std::system_error when the stream refuses the bytes.
    void write(std::string_view bytes);
    void flush();

private:
    std::FILE* m_stream;
    std::string m_buffer;
    std::size_t m_capacity;
};

// Each result line followed by a terminator ('\n', or '\0' for -0).
class LineSink final : public search::ResultSink {
public:
    LineSink(OutputWriter& writer, char terminator) : m_writer(writer), m_terminator(terminator) {}
    void append(std::string_view line) override
    {
        m_writer.write(line);
        m_writer.write(std::string_view(&m_terminator, 1));
    }

private:
    OutputWriter& m_writer;
    char m_terminator;
};

}  // namespace zorvane::cli
