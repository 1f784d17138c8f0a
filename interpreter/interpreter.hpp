// The interpreter core: intake, dispatch, the song, and the output rules
// that every part of the program writes through.
#ifndef QUALM_INTERPRETER_HPP
#define QUALM_INTERPRETER_HPP

#include <string>
#include <string_view>

namespace qualm {

// A program text, later the command string: bytes with an explicit length.
// Zero bytes are ordinary characters in it.
using program_text = std::string;

// Standard output is unbuffered (see main), so each call reaches the
// operating system at once, as one write where the platform allows.
// A piece that ends with "\n" is therefore a line ended and flushed.
// A failed write does not return: it reports on standard error and ends
// the process with status 1, so no lost output passes for success.
void write_out(std::string_view bytes);

// The end of line as a piece of its own.
inline void end_line() { write_out("\n"); }

// Only A to Z change: the same as tolower in the "C" locale, which this
// program never leaves, but safe for every byte and free of locale calls.
constexpr char fold_case(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The program text from the file named by the first argument, or else
// one line of standard input.
program_text load_program_text(int argc, const char* const* argv);

// Runs the command string; `source` is the text as it was loaded.
void execute_commands(const program_text& commands, const program_text& source);

// Writes the 99-bottles song once.
void sing_bottles();

// Reads one character of standard input and discards it.
void wait_for_key();

}  // namespace qualm

#endif
