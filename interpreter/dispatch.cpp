// The dispatch loop, and the commands that write text or end the run.
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <ios>
#include <string>
#include <system_error>

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

void write_source(std::string_view source) {
    write_out(source);
    write_out("\n");
}

}  // namespace

void execute_commands(std::string_view commands, std::string_view source) {
    for (const char command : commands) {
        switch (command) {
            case 'h': write_out("Hello World!\n"); break;
            case 'q': write_source(source); break;
            case '9': sing_bottles(); break;
            case paired("h"): raise_stream_failure();
            case paired("q"): echo_forever(source);
            case paired("9"): sing_forever();
            case paired("+"): divide_one_by_zero();
            case paired("++"): rethrow_without_exception();
            default: break;  // '+' and '-' do nothing
        }
    }
}

void report_syntax_error() {
    write_out("Syntax error: A quality control operator is not allowed as the first operator!\n");
}

void raise_stream_failure() {
    throw std::ios_base::failure("", std::make_error_code(std::io_errc::stream));
}

// Each repetition is one write of the text and its end of line where the
// text is short; a longer text is written as it is, then its end of line,
// so that it is never copied: a program of any size echoes in the memory
// it was loaded in.
constexpr std::size_t copied_at_most = std::size_t{64} * 1024;

void echo_forever(std::string_view text) {
    if (text.size() > copied_at_most) {
        for (;;) write_source(text);
    }
    std::string line;
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
