#include "cli/standard_output.h"

#include <fcntl.h>
#include <io.h>

namespace zorvane::cli {

// Text mode for lines, so that they end in CRLF as Notepad, `type`,
// `findstr` and PowerShell expect; binary mode for -0, so that the NUL-ended
// paths reach a reading program byte for byte.
void prepareStandardOutput(std::FILE* stream, bool rawBytes)
{
    std::fflush(stream);
    _setmode(_fileno(stream), rawBytes ? _O_BINARY : _O_TEXT);
}

}  // namespace zorvane::cli
