#include "cli/output_writer.h"

#include <cerrno>
#include <system_error>

namespace zorvane::cli {

OutputWriter::OutputWriter(std::FILE* stream, std::size_t capacity)
    : m_stream(stream), m_capacity(capacity)
{
    m_buffer.reserve(capacity);
}

void OutputWriter::write(std::string_view bytes)
{
    if (m_buffer.size() + bytes.size() > m_capacity)
        flush();
    m_buffer.append(bytes);
}

void OutputWriter::flush()
{
    if (!m_buffer.empty()) {
        errno = 0;
        const std::size_t written = std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_stream);
        const int error = errno;
        const bool complete = written == m_buffer.size();
        m_buffer.clear();
        if (!complete || std::ferror(m_stream))
            throw std::system_error(error ? error : EIO, std::generic_category(), "write error");
    }
    errno = 0;
    if (std::fflush(m_stream) != 0)
        throw std::system_error(errno ? errno : EIO, std::generic_category(), "write error");
}

}  // namespace zorvane::cli
