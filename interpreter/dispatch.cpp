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

// Ends the run the way a pair brings, once the host has heard of it.
[[noreturn]] void end_by(ending how, std::string_view source) {
    host_hears_ending(how);
    switch (how) {
        case ending::stream_failure: raise_stream_failure();
        case ending::rethrow: rethrow_without_exception();
        case ending::division_by_zero: divide_one_by_zero();
        case ending::endless_echo: echo_forever(source);
        case ending::endless_song: sing_forever();
        default: std::abort();  // no pair brings any other
    }
}

// A character that stands for a pair ends the run; '+' and '-' do nothing.
void run_if_paired(char command, std::string_view source) {
    for (const auto& [stands_for, how] : pair_endings) {
        if (command == stands_for) end_by(how, source);
    }
}

}  // namespace

void execute_commands(std::string_view commands, std::string_view source) {
    for (std::size_t at = 0; at < commands.size(); ++at) {
        host_hears_command(at);
        switch (commands[at]) {
            case 'h': write_out("Hello World!\n"); break;
            case 'q': write_source(source); break;
            case '9': sing_bottles(); break;
            default: run_if_paired(commands[at], source); break;
        }
    }
}

void report_syntax_error() {
    write_out("Syntax error: A quality control operator is not allowed as the first operator!\n");
    host_hears_ending(ending::syntax_error);
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
