// Intake: the program text from a file, or one line of standard input.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

constexpr std::size_t chunk = 256 * 1024;

// The size the file reports, or 0 where it reports none (pipes, FIFOs,
// files under /proc). Only a hint for the allocation: the text is always
// what the reads return, never padded to this size.
std::size_t reported_size(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) return 0;
    return end > 0 ? static_cast<std::size_t>(end) : 0;
}

// Appends up to `wanted` bytes read from the file to the text, and returns
// how many were read. Where the library allows, the new bytes are written
// by the read alone, without being zeroed first.
std::size_t append_read(std::FILE* file, std::size_t wanted, program_text& text) {
    const std::size_t filled = text.size();
    std::size_t got = 0;
#if defined(__cpp_lib_string_resize_and_overwrite)
    text.resize_and_overwrite(filled + wanted, [&](char* data, std::size_t) {
        got = std::fread(data + filled, 1, wanted, file);
        return filled + got;
    });
#else
    text.resize(filled + wanted);
    got = std::fread(&text[filled], 1, wanted, file);
    text.resize(filled + got);
#endif
    return got;
}

// Reads to the end of the file. False when a read fails, as reading a
// directory does on every platform that lets one be opened.
bool read_to_end(std::FILE* file, std::size_t size_hint, program_text& text) {
    // The reported size and a byte more, to see the end: a small file is
    // read whole at once, in no more memory than it needs.
    std::size_t wanted = std::min(size_hint, chunk - 1) + 1;
    for (;;) {
        const std::size_t got = append_read(file, wanted, text);
        if (got < wanted) return std::ferror(file) == 0;
        // Once a read has worked, the reported size is trusted enough to
        // make room for all of it at once.
        if (size_hint >= text.size()) text.reserve(size_hint + 1);
        wanted = std::max(chunk, text.capacity() - text.size());
    }
}

std::optional<program_text> read_program_file(const char* path) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return std::nullopt;
    // Unbuffered, the reads go straight into the text, whole.
    std::setvbuf(file, nullptr, _IONBF, 0);
    program_text text;
    const bool complete = read_to_end(file, reported_size(file), text);
    std::fclose(file);
    if (!complete) return std::nullopt;
    return text;
}

// Everything up to the first newline, which is consumed but not kept,
// or up to the end of input.
program_text read_input_line() {
    program_text line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
        line.push_back(static_cast<char>(c));
    }
    return line;
}

// A terminal in line mode passes nothing on before Enter, and then the
// whole line: a key typed at the wait, or a line typed while the program
// ran. What qualm left of it, the shell would read next and run as a
// command.
#if defined(_WIN32)
bool line_mode_terminal() {
    DWORD mode = 0;
    return _isatty(_fileno(stdin)) != 0 &&
           GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0 &&
           (mode & ENABLE_LINE_INPUT) != 0;
}

void drop_typed_ahead() { FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE)); }
#else
bool line_mode_terminal() {
    termios settings{};
    return isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &settings) == 0 &&
           (settings.c_lflag & ICANON) != 0;
}

void drop_typed_ahead() { tcflush(STDIN_FILENO, TCIFLUSH); }
#endif

}  // namespace

program_text load_program_text(int argc, const char* const* argv) {
    if (argc > 1) {
        if (std::optional<program_text> text = read_program_file(argv[1])) {
            return std::move(*text);
        }
    }
    return read_input_line();
}

// At a terminal, the wait takes the rest of the line its key was typed
// on, and drops whatever was typed ahead.
void wait_for_key() {
    if (!line_mode_terminal()) {
        std::getchar();  // from a pipe or a file: one character, the rest stays
        return;
    }
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
    }
    drop_typed_ahead();
}

}  // namespace qualm
