// The quality-control pass as a user reads the language's rules: each
// command looks at the byte right after it. Written apart from the pass it
// checks, sharing nothing with it, so that a slip in either shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The command string of `text`, or nothing when the text is rejected.
inline std::optional<std::string> reference_pass(std::string_view text) {
    // The byte at `i` with H and Q folded (no other letter is a command);
    // past the end, a NUL.
    const auto at = [&](std::size_t i) {
        const char c = i < text.size() ? text[i] : '\0';
        return c == 'H' ? 'h' : c == 'Q' ? 'q' : c;
    };
    std::string commands;
    bool pairing = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = at(i);
        const bool command = c == '9' || c == 'h' || c == 'q';
        if (!pairing) {
            if (command || c == '+' || c == '-') commands += c;
        } else if (command || c == '+') {  // pluses go two at a time, an odd last one alone
            const std::size_t length = c == '+' && at(i + 1) == '+' ? 2 : 1;
            const bool paired = at(i + length) == '-';
            if (paired) {  // the pair of ++ and those of +, 9, h and q
                commands += length == 2 ? 'v' : "0?#@"[std::string_view("+9hq").find(c)];
            } else if (command || i + length == text.size()) {
                commands.append(length, c);
            }
            i += length - !paired;
        } else if (c == '-') {  // with nothing to pair
            if (commands.empty()) return std::nullopt;
            pairing = false;
            commands += c;
        }
    }
    return commands;
}
