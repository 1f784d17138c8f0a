// Standard input: the program line, when no file is read, and the final
// key. qualm takes no more of it than these, so that the rest stays for
// whoever reads next.
#include <cstdio>
#include <cstring>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

// A terminal in line mode passes nothing on before Enter, and then the
// whole line: a key typed at the wait, or a line typed while the program
// ran. What qualm left of it, the shell would read next and run as a
// command.
#if defined(_WIN32)
// False where standard input is not a console.
bool console_input(DWORD& mode) {
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

bool line_mode_terminal() {
    DWORD mode = 0;
    return console_input(mode) && (mode & ENABLE_LINE_INPUT) != 0;
}

void drop_typed_ahead() { FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE)); }

// Seeking a pipe does not fail on Windows: only a file on disk can seek.
bool seekable_input() { return GetFileType(GetStdHandle(STD_INPUT_HANDLE)) == FILE_TYPE_DISK; }
#else
bool line_mode_terminal() {
    termios settings{};
    return isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &settings) == 0 &&
           (settings.c_lflag & ICANON) != 0;
}

void drop_typed_ahead() { tcflush(STDIN_FILENO, TCIFLUSH); }

bool seekable_input() { return std::fseek(stdin, 0, SEEK_CUR) == 0; }
#endif

// A file is read a block at a time, and what was read past the newline is
// given back by seeking; anything else, a character at a time.
constexpr std::size_t line_read_size = std::size_t{64} * 1024;

}  // namespace

void set_up_input() {
    // Unbuffered: a read takes only what it asks for, so that nothing is
    // taken from a pipe beyond the line and the key.
    std::setvbuf(stdin, nullptr, _IONBF, 0);
#if defined(_WIN32)
    // Text mode would end a program line at a byte 0x1A; at a console,
    // Ctrl+Z still ends typed input, as Windows users expect.
    DWORD mode = 0;
    if (!console_input(mode)) _setmode(_fileno(stdin), _O_BINARY);
#endif
}

void read_line(std::string& line) {
    if (!seekable_input()) {
        int c = 0;
        while (c != '\n' && (c = std::getchar()) != EOF) line.push_back(static_cast<char>(c));
        return;
    }
    for (;;) {
        const std::size_t filled = line.size();
        const std::size_t got = append_read(stdin, line_read_size, line);
        const void* newline = std::memchr(line.data() + filled, '\n', got);
        if (newline != nullptr) {
            const std::size_t end = static_cast<const char*>(newline) - line.data() + 1;
            std::fseek(stdin, -static_cast<long>(line.size() - end), SEEK_CUR);
            line.resize(end);
            return;
        }
        if (got < line_read_size) return;
    }
}

// At a terminal, the wait takes the rest of the line its key was typed
// on, and drops whatever was typed ahead.
void wait_for_key() {
    if (!line_mode_terminal()) {
        std::getchar();  // from a pipe or a file: one character, the rest stays
        return;
    }
    std::string typed;
    read_line(typed);
    drop_typed_ahead();
}

}  // namespace qualm
