// Quality control: the pass that turns a program text into the command
// string, pairing each command with a `-` that follows it directly.
// It reads and returns strings and does no input or output.
#ifndef QUALM_QUALITY_CONTROL_HPP
#define QUALM_QUALITY_CONTROL_HPP

#include <optional>
#include <string>
#include <string_view>

namespace qualm {

// A program text, or a command string: bytes with an explicit length.
// Zero bytes are ordinary characters in it.
using program_text = std::string;

// The characters a program is written in, after case folding.
inline constexpr std::string_view command_chars = "+-9hq";

// Only A to Z change: the same as tolower in the "C" locale, which this
// program never leaves, but safe for every byte and free of locale calls.
constexpr char fold_case(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The command string of `text`, or nothing when the text is rejected: a
// `-` came while nothing had been produced and nothing was pending.
//
// The command string holds the plain commands h, q, 9 (folded), `+` and
// `-`, and the paired ones: `#` (from h-), `@` (q-), `?` (9-), `0` (+-)
// and `v` (++-). It is never longer than the text.
std::optional<program_text> apply_quality_control(std::string_view text);

}  // namespace qualm

#endif
