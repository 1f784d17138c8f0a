// The interpreter: intake and standard input, running every command of the
// command string, the song, and the output rules that everything it writes
// follows.
#ifndef QUALM_INTERPRETER_HPP
#define QUALM_INTERPRETER_HPP

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "quality_control/quality_control.hpp"

namespace qualm {

// Standard output is unbuffered (see main), so each call reaches the
// operating system at once, as one write where the platform allows.
// A piece that ends with "\n" is therefore a line ended and flushed.
// A failed write does not return: it reports on standard error and ends
// the process with status 1, so no lost output passes for success.
void write_out(std::string_view bytes);

// Ends the run with status 1, after one line on standard error: there is
// not memory enough for the program.
[[noreturn]] void report_out_of_memory();

// The program text from the file named by the first argument, or else
// one line of standard input.
program_text load_program_text(int argc, const char* const* argv);

// Appends up to `wanted` bytes read from the file to the text, and returns
// how many were read. Where the library allows, the new bytes are written
// by the read alone, without being zeroed first.
std::size_t append_read(std::FILE* file, std::size_t wanted, std::string& text);

// Standard input (input.cpp). qualm takes no more of it than the program
// line and the final key, so that the rest stays for whoever reads next.

// Makes standard input unbuffered; on Windows, binary unless it is a
// console.
void set_up_input();

// Appends standard input up to and with its first newline, or to its end.
void read_line(std::string& line);

// Reads one character of standard input and discards it; at a terminal,
// the line it was typed on, and anything typed ahead.
void wait_for_key();

// What a rejected text writes.
void report_syntax_error();

// Runs the command string; `source` is the text as it was loaded.
void execute_commands(std::string_view commands, std::string_view source);

// Writes the 99-bottles song once.
void sing_bottles();

// The commands of the pairs that quality control makes. None of them
// returns.

// h-: an uncaught stream failure.
[[noreturn]] void raise_stream_failure();

// q-: the text and an end of line, again and again.
[[noreturn]] void echo_forever(std::string_view text);

// 9-: the song, again and again.
[[noreturn]] void sing_forever();

// +-: ends the run as a division of 1 by 0 would: by SIGFPE.
[[noreturn]] void divide_one_by_zero();

// ++-: a re-raise with no exception in flight.
[[noreturn]] void rethrow_without_exception();

}  // namespace qualm

#endif
