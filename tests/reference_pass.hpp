// The quality-control pass as a user reads the language's rules: each
// command looks at the byte right after it. Written apart from the pass it
// checks, sharing nothing with it, so that a slip in either shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace reference {

// The byte at `i` with H and Q folded (no other letter is a command); past
// the end, a NUL.
inline char at(std::string_view text, std::size_t i) {
    const char c = i < text.size() ? text[i] : '\0';
    return c == 'H' ? 'h' : c == 'Q' ? 'q' : c;
}

inline bool is_command(char c) { return c == '9' || c == 'h' || c == 'q'; }

// Adds what the command at `i`, or the pluses there, make: pluses go two at
// a time, an odd last one alone. Returns how many bytes that took.
inline std::size_t settle(std::string_view text, std::size_t i, std::string& commands) {
    const char c = at(text, i);
    const std::size_t length = c == '+' && at(text, i + 1) == '+' ? 2 : 1;
    const bool paired = at(text, i + length) == '-';
    if (paired) {  // the pair of ++, and those of +, 9, h and q
        commands += length == 2 ? 'v' : "0?#@"[std::string_view("+9hq").find(c)];
    } else if (is_command(c) || i + length == text.size()) {
        commands.append(length, c);
    }
    return length + paired;
}

// The command string of `text`, or nothing when the text is rejected.
inline std::optional<std::string> pass(std::string_view text) {
    std::string commands;
    bool pairing = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = at(text, i);
        if (pairing && (is_command(c) || c == '+')) {
            i += settle(text, i, commands) - 1;
        } else if (c == '-' && pairing && commands.empty()) {
            return std::nullopt;  // nothing to pair with, nor anything before it
        } else if (is_command(c) || c == '+' || c == '-') {
            pairing = pairing && c != '-';  // a `-` with nothing to pair turns it off
            commands += c;
        }
    }
    return commands;
}

}  // namespace reference
