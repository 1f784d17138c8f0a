// The quality-control pass.
#include <cstddef>

#include "quality_control/quality_control.hpp"

namespace qualm {

namespace {

// What the pass holds while it waits to see whether a `-` follows.
enum pending_run { nothing, hello, quine, song, plus, plus_plus };

pending_run pending_for(char c) {
    switch (c) {
        case 'h': return hello;
        case 'q': return quine;
        case '9': return song;
        case '+': return plus;
        default: return nothing;
    }
}

// The command a run stands for when no `-` follows: a lone `+` or `++`
// does nothing and is dropped, except at the very end of the text.
std::string_view settled(pending_run run) {
    switch (run) {
        case hello: return "h";
        case quine: return "q";
        case song: return "9";
        default: return "";
    }
}

std::string_view left_at_end(pending_run run) {
    switch (run) {
        case plus: return "+";
        case plus_plus: return "++";
        default: return settled(run);
    }
}

char paired(pending_run run) {
    switch (run) {
        case hello: return '#';
        case quine: return '@';
        case song: return '?';
        case plus: return '0';
        default: return 'v';
    }
}

bool is_command_char(char c) { return command_chars.find(c) != std::string_view::npos; }

// Writes at `out`, which always trails the read position, so the pass
// can rewrite the text in place.
void put(program_text& text, std::size_t& out, std::string_view piece) {
    for (const char c : piece) text[out++] = c;
}

// After a `-` that found nothing to pair with, no pairing takes place:
// the rest keeps its command characters, folded, and drops the others.
std::size_t keep_unpaired_tail(program_text& text, std::size_t from, std::size_t out) {
    for (std::size_t read = from; read < text.size(); ++read) {
        const char c = fold_case(text[read]);
        if (is_command_char(c)) text[out++] = c;
    }
    return out;
}

void report_syntax_error() {
    write_out(
        "Syntax error: A quality control operator is not allowed as the first "
        "operator!\n");
}

}  // namespace

bool apply_quality_control(program_text& text) {
    std::size_t out = 0;
    pending_run pending = nothing;
    for (std::size_t read = 0; read < text.size(); ++read) {
        const char c = fold_case(text[read]);
        if (pending != nothing) {
            if (c == '-') {
                text[out++] = paired(pending);
                pending = nothing;
                continue;
            }
            if (pending == plus && c == '+') {
                pending = plus_plus;
                continue;
            }
            // Anything else settles the pending run; c is then taken afresh.
            put(text, out, settled(pending));
            pending = nothing;
        }
        if (c == '-') {
            // Nothing written yet means the text is still as it was loaded.
            if (out == 0) {
                report_syntax_error();
                return false;
            }
            text.resize(keep_unpaired_tail(text, read, out));
            return true;
        }
        pending = pending_for(c);
    }
    put(text, out, left_at_end(pending));
    text.resize(out);
    return true;
}

}  // namespace qualm
