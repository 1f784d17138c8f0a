// The interpreter: intake and standard input, running every command of the
// command string, the song, and the output rules that everything it writes
// follows.
#ifndef QUALM_INTERPRETER_HPP
#define QUALM_INTERPRETER_HPP

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "quality_control/quality_control.hpp"

namespace qualm {

// Standard output is unbuffered (see main), so each call reaches the
// operating system at once, as one write where the platform allows.
// A piece that ends with "\n" is therefore a line ended and flushed.
// A failed write does not return: it reports on standard error and ends
// the process with status 1, so no lost output passes for success.
void write_out(std::string_view bytes);

// Ends the run with status 1, after one line on standard error: there is
// not memory enough for the program. It is also the handler that the
// allocation of memory calls where none is left.
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

// Every way a run ends. The pairs that quality control makes bring five of
// them (pair_endings); two of those never end on their own.
enum class ending : unsigned char {
    exit,              // the program ran to its end, and the final key was read
    syntax_error,      // the pass rejected the program
    stream_failure,    // an uncaught stream failure
    rethrow,           // a re-raise with no exception in flight
    division_by_zero,  // a division of 1 by 0
    endless_echo,      // the text, again and again, until stopped from outside
    endless_song,      // the song, again and again, until stopped from outside
    cannot_write,      // a write of standard output failed
    out_of_memory,     // the program is too large for memory
    endings
};

// Their names, in their order, as the hosts of the WebAssembly module know
// them.
inline constexpr std::array<std::string_view, static_cast<std::size_t>(ending::endings)>
    ending_names = {"exit",         "syntax error",     "stream failure",
                    "rethrow",      "division by zero", "endless echo",
                    "endless song", "cannot write",     "out of memory"};

// The endings that a run only begins: it goes on until stopped from outside.
constexpr bool never_ends(ending how) {
    return how == ending::endless_echo || how == ending::endless_song;
}

// The ending that each pair brings, by the character that stands for it.
inline constexpr std::array<std::pair<char, ending>, pairs.size()> pair_endings = {{
    {paired("+"), ending::division_by_zero},
    {paired("++"), ending::rethrow},
    {paired("9"), ending::endless_song},
    {paired("h"), ending::stream_failure},
    {paired("q"), ending::endless_echo},
}};

// What a host of the interpreter hears of a run as it goes, besides its
// streams: the console hears nothing (console_host.cpp), and the
// WebAssembly module passes each on to its JavaScript (web/host.cpp).

// The command at `index` of the command string begins.
void host_hears_command(std::size_t index);

// The run takes its way to `how`: the moment it is sure to end so, or, for
// the endless commands, begins what only a stop from outside ends.
void host_hears_ending(ending how);

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
