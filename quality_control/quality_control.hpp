// Quality control: the pass that turns a program text into the command
// string, pairing each command with a `-` that follows it directly.
// It reads and returns strings and does no input or output.
#ifndef QUALM_QUALITY_CONTROL_HPP
#define QUALM_QUALITY_CONTROL_HPP

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// Puts the command string of `text` into `commands` and returns true; or
// returns false, with `commands` empty, when the text is rejected: a `-`
// came while nothing had been produced and nothing was pending. Memory
// that `commands` already holds is used again.
//
// The command string holds the plain commands `+`, `-`, 9, h and q
// (folded), and the paired ones: `0` (from +-), `v` (++-), `?` (9-), `#`
// (h-) and `@` (q-). It is never longer than the text.
bool apply_quality_control(std::string_view text, program_text& commands);

// A stretch of a text: the offset of its first byte and the offset just
// past its last.
using text_span = std::pair<std::size_t, std::size_t>;

// The same pass a byte at a time, for showing it at work: besides the
// command string, the stretch of the text that each of its characters was
// made of. A paired command spans its command through its `-`, a run of
// pluses spans the whole run, and everything else its own byte. On a
// rejection, `commands` is empty and `spans` holds the rejected `-`.
bool trace_quality_control(std::string_view text, program_text& commands,
                           std::vector<text_span>& spans);

}  // namespace qualm

#endif
