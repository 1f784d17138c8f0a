// What the page shows beside a run: the command string that the pass makes
// of a program, exported to the page's script.
#include <algorithm>
#include <cstddef>
#include <string_view>

#include "quality_control/quality_control.hpp"

// Writes the command string of the `size` bytes at `text` into `out`, which
// has room for `size` bytes (a command string is never longer than its
// text), and returns its length; or returns -1 when the text is rejected.
extern "C" long qualm_command_string(const char* text, std::size_t size, char* out) {
    qualm::program_text commands;
    if (!qualm::apply_quality_control(std::string_view(text, size), commands)) return -1;
    std::copy(commands.begin(), commands.end(), out);
    return static_cast<long>(commands.size());
}
