// What the page shows beside a run: the command string that the pass makes
// of a program, and where in the program each command came from, exported
// to the page's worker.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "quality_control/quality_control.hpp"

// Writes the command string of the `size` bytes at `text` into `out`, which
// has room for `size` bytes (a command string is never longer than its
// text), and the spans of its first `span_room` characters into `spans`, as
// pairs of offsets. Returns its length; or -1 when the text is rejected,
// with the rejected `-` as the first span.
extern "C" long qualm_trace(const char* text, std::size_t size, char* out, std::uint32_t* spans,
                            std::size_t span_room) {
    qualm::command_string commands;
    std::vector<qualm::text_span> traced;
    const bool accepted =
        qualm::trace_quality_control(std::string_view(text, size), commands, traced);
    for (std::size_t i = 0; i < std::min(span_room, traced.size()); ++i) {
        spans[2 * i] = static_cast<std::uint32_t>(traced[i].first);
        spans[2 * i + 1] = static_cast<std::uint32_t>(traced[i].second);
    }
    if (!accepted) return -1;
    std::copy(commands.begin(), commands.end(), out);
    return static_cast<long>(commands.size());
}
