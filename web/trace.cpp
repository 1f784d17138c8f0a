// What the hosts of the module read beside a run: the language's
// characters and the endings' names, the command string that the pass
// makes of a program, and where in the program its first commands came
// from.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "interpreter/interpreter.hpp"
#include "quality_control/quality_control.hpp"

namespace {

// A text made at compile time by `write`, which hands each of its pieces
// to the function it is given: measured by one walk, filled by another,
// and ended by a zero.
template <typename Write>
constexpr std::size_t size_of(Write write) {
    std::size_t size = 1;
    write([&size](std::string_view piece) { size += piece.size(); });
    return size;
}

template <std::size_t size, typename Write>
constexpr std::array<char, size> text_of(Write write) {
    std::array<char, size> text{};
    std::size_t at = 0;
    write([&](std::string_view piece) {
        for (const char c : piece) text[at++] = c;
    });
    return text;
}

// The language's characters as lines of text: the command characters, then
// for each pair its run of commands, the character that stands for the
// pair in the command string, a space and the name of the ending it brings.
constexpr auto write_language = [](auto put) {
    put(qualm::command_chars);
    put("\n");
    for (const auto& [run, stands_for] : qualm::pairs) {
        put(run);
        put(std::string_view(&stands_for, 1));
        put(" ");
        for (const auto& [pair, how] : qualm::pair_endings) {
            if (pair == stands_for) put(qualm::ending_names[static_cast<std::size_t>(how)]);
        }
        put("\n");
    }
};
constexpr auto language = text_of<size_of(write_language)>(write_language);

// The names of the endings, a line each, in their order, each of those that
// never end on their own followed by a tab and "endless".
constexpr auto write_endings = [](auto put) {
    for (std::size_t how = 0; how < qualm::ending_names.size(); ++how) {
        put(qualm::ending_names[how]);
        put(qualm::never_ends(static_cast<qualm::ending>(how)) ? "\tendless\n" : "\n");
    }
};
constexpr auto endings = text_of<size_of(write_endings)>(write_endings);

// The pending runs of the pass, a line each, in their order: what each
// holds, and a tab and "off" for the one that turns pairing off.
constexpr auto write_pending_runs = [](auto put) {
    for (std::size_t run = 0; run < qualm::pass::pending_runs; ++run) {
        put(qualm::pass::left_pending[run]);
        put(run == qualm::pass::off ? "\toff\n" : "\n");
    }
};
constexpr auto pending_runs = text_of<size_of(write_pending_runs)>(write_pending_runs);

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

// The language's characters, as a zero-terminated text (see write_language).
extern "C" const char* qualm_language() { return language.data(); }

// The names of the endings, as a zero-terminated text (see write_endings).
extern "C" const char* qualm_endings() { return endings.data(); }

// The pass's pending runs, as a zero-terminated text (see write_pending_runs).
extern "C" const char* qualm_pending_runs() { return pending_runs.data(); }

// Writes what the pass did at each byte of the `size` bytes at `text` into
// `out`, which has room for two bytes a byte: the byte's class (0 for a byte
// that is no command, else 1 and its place in command_chars) times 16 plus
// the pending run that followed, then the character written, or 0. Returns
// how many bytes the pass read: all of them, or through the rejected `-`.
extern "C" std::size_t qualm_steps(const char* text, std::size_t size, unsigned char* out) {
    qualm::command_string commands;
    std::vector<qualm::text_span> spans;
    std::vector<qualm::pass_step> steps;
    qualm::trace_quality_control(std::string_view(text, size), commands, spans, &steps);
    for (std::size_t at = 0; at < steps.size(); ++at) {
        const auto [read, cell] = steps[at];
        out[2 * at] = static_cast<unsigned char>(16 * read + cell.first);
        out[2 * at + 1] = static_cast<unsigned char>(cell.second);
    }
    return steps.size();
}

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
