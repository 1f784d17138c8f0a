// The commands that the quality control operator produces.
#include <csignal>
#include <cstdlib>
#include <ios>
#include <system_error>

#include "quality_control/quality_control.hpp"

namespace qualm {

void raise_stream_failure() {
    throw std::ios_base::failure("", std::make_error_code(std::io_errc::stream));
}

// One buffer holds the text and its end of line, so that each repetition
// is a single write, in constant stack and memory.
void echo_forever(const program_text& text) {
    program_text line;
    line.reserve(text.size() + 1);
    line.append(text).push_back('\n');
    for (;;) write_out(line);
}

void sing_forever() {
    for (;;) sing_bottles();
}

// An actual division by zero is undefined behaviour, and only some
// processors trap on it. Raise the signal the trap raises; where the
// parent left SIGFPE ignored or blocked, end abnormally all the same.
void divide_one_by_zero() {
    std::raise(SIGFPE);
    std::abort();
}

void rethrow_without_exception() { throw; }

}  // namespace qualm
