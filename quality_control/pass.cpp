// The quality-control pass walked a byte at a time through its table
// (quality_control.hpp), noting where each command came from: the language
// as it stands, for showing it at work. fast_walk.cpp walks the same table
// for speed.
#include <cstddef>

#include "quality_control/quality_control.hpp"

namespace qualm {

namespace {

constexpr bool is_plus_run(pass::pending_run run) {
    return run == pass::plus || run == pass::plus_plus;
}

}  // namespace

bool trace_quality_control(std::string_view text, command_string& commands,
                           std::vector<text_span>& spans, std::vector<pass_step>* steps) {
    using namespace pass;
    commands.clear();
    spans.clear();
    if (steps != nullptr) steps->clear();
    pending_run run = none;
    std::size_t run_start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const byte_class byte = class_of[static_cast<unsigned char>(text[at])];
        const transition cell = pass_table[run][byte];
        const auto [next, written] = cell;
        if (steps != nullptr) steps->emplace_back(byte, cell);
        if (written != 0) {
            // A pending run is settled by the byte after it, or paired with
            // the `-` it is; with nothing pending, the byte stands alone.
            const bool pending = !left_pending[run].empty();
            spans.emplace_back(pending ? run_start : at,
                               pending && byte != minus_byte ? at : at + 1);
            commands += written;
            if (commands == "-") {  // rejected, as the whole pass would be
                commands.clear();
                return false;
            }
        }
        // A run of pluses is one stretch, however the pairs fall in it.
        if (!(is_plus_run(run) && is_plus_run(next) && byte == plus_byte)) run_start = at;
        run = next;
    }
    for (const char left : left_pending[run]) {
        commands += left;
        spans.emplace_back(run_start, text.size());
    }
    return true;
}

}  // namespace qualm
