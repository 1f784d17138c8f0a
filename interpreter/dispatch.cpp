// The dispatch loop, and the commands that write text or end the run.
#include <csignal>
#include <cstdlib>
#include <ios>
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

// A short text is written with its end of line in one write per
// repetition, from a buffer on the stack; a longer one as it is, then its
// end of line. Either way nothing is allocated, so that a text of any size
// echoes in the memory it was loaded in, and memory cannot run out once
// the run has written something.
void echo_forever(std::string_view text) {
    char line[4096];
    if (text.size() >= sizeof line) {
        for (;;) write_source(text);
    }
    text.copy(line, text.size());
    line[text.size()] = '\n';
    for (;;) write_out(std::string_view(line, text.size() + 1));
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
