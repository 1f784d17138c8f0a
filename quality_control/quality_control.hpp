// Quality control: the pass that pairs commands with a following `-`, and
// the commands that pairing produces, each of which ends the run.
#ifndef QUALM_QUALITY_CONTROL_HPP
#define QUALM_QUALITY_CONTROL_HPP

#include <string_view>

#include "interpreter/interpreter.hpp"

namespace qualm {

// The characters a program is written in, after case folding.
inline constexpr std::string_view command_chars = "hq9+-";

// Rewrites the program text in place into the command string and returns
// true; or writes the syntax error, leaves the text as it was and returns
// false. The command string is never longer than the text.
bool apply_quality_control(program_text& text);

// The same, leaving the text alone: the command string goes to `commands`,
// which is left empty on failure.
bool apply_quality_control(std::string_view text, program_text& commands);

// The quality-controlled commands. None of them returns.

// `#` (from h-): an uncaught stream failure.
[[noreturn]] void raise_stream_failure();

// `@` (from q-): the text and an end of line, again and again.
[[noreturn]] void echo_forever(const program_text& text);

// `?` (from 9-): the song, again and again.
[[noreturn]] void sing_forever();

// `0` (from +-): ends the run as a division of 1 by 0 would: by SIGFPE.
[[noreturn]] void divide_one_by_zero();

// `v` (from ++-): a re-raise with no exception in flight.
[[noreturn]] void rethrow_without_exception();

}  // namespace qualm

#endif
