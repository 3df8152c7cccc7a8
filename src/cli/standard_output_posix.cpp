#include "cli/standard_output.h"

namespace zorvane::cli {

// POSIX streams never translate bytes: lines end in "\n" either way.
void prepareStandardOutput(std::FILE*, bool) {}

}  // namespace zorvane::cli
