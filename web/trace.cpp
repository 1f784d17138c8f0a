// What the page shows beside a run, exported to the page's workers: the
// language's characters, the command string that the pass makes of a
// program, and where in the program its first commands came from.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "quality_control/quality_control.hpp"

namespace {

constexpr std::size_t language_size() {
    std::size_t size = qualm::command_chars.size() + 1;
    for (const auto& pair : qualm::pairs) size += pair.first.size() + 2;
    return size + 1;
}

// The language's characters as lines of text: the command characters, then
// each pair's run of commands followed by the character that stands for the
// pair in the command string.
constexpr std::array<char, language_size()> language_lines() {
    std::array<char, language_size()> lines{};
    std::size_t at = 0;
    for (const char c : qualm::command_chars) lines[at++] = c;
    lines[at++] = '\n';
    for (const auto& [run, stands_for] : qualm::pairs) {
        for (const char c : run) lines[at++] = c;
        lines[at++] = stands_for;
        lines[at++] = '\n';
    }
    return lines;
}

constexpr std::array<char, language_size()> language = language_lines();

// The spans of the first `span_room` characters of the command string of
// `text`, which has `count` of them: the traced pass over the whole text
// where it has few commands beyond those (or is rejected, where the pass
// stops), and otherwise over ever longer starts of it, until two commands
// lie past them, since at most two are left pending at the end of a start.
// A long program is traced only as far as the page reads it.
std::vector<qualm::text_span> first_spans(std::string_view text, std::size_t count,
                                          std::size_t span_room) {
    qualm::command_string commands;
    std::vector<qualm::text_span> spans;
    std::size_t traced =
        count <= span_room + 2 ? text.size() : std::min(text.size(), 4 * span_room + 64);
    while (qualm::trace_quality_control(text.substr(0, traced), commands, spans) &&
           commands.size() < span_room + 2 && traced < text.size()) {
        traced = std::min(text.size(), 2 * traced);
    }
    return spans;
}

}  // namespace

// The language's characters, as a zero-terminated text (see language_lines).
extern "C" const char* qualm_language() { return language.data(); }

// Writes the command string of the `size` bytes at `text` into `out`, which
// has room for `size` bytes (a command string is never longer than its
// text), and the spans of its first `span_room` characters into `spans`, as
// pairs of offsets. Returns its length; or -1 when the text is rejected,
// with the rejected `-` as the first span.
extern "C" long qualm_trace(const char* text, std::size_t size, char* out, std::uint32_t* spans,
                            std::size_t span_room) {
    const std::string_view program(text, size);
    qualm::command_string commands;
    const bool accepted = qualm::apply_quality_control(program, commands);
    const std::vector<qualm::text_span> traced = first_spans(program, commands.size(), span_room);
    for (std::size_t i = 0; i < std::min(span_room, traced.size()); ++i) {
        spans[2 * i] = static_cast<std::uint32_t>(traced[i].first);
        spans[2 * i + 1] = static_cast<std::uint32_t>(traced[i].second);
    }
    if (!accepted) return -1;
    std::copy(commands.begin(), commands.end(), out);
    return static_cast<long>(commands.size());
}
