// Intake: the program text from a file, or else one line of standard input.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

// A file past its first read is read this much at a time, or more where
// its reported size says so.
constexpr std::size_t file_read_size = std::size_t{256} * 1024;

// The size the file reports, or 0 where it reports none (pipes, FIFOs,
// files under /proc). Only a hint for the allocation: the text is always
// what the reads return, never padded to this size.
std::size_t reported_size(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) return 0;
    return end > 0 ? static_cast<std::size_t>(end) : 0;
}

// Reads to the end of the file. False when a read fails, as reading a
// directory does on every platform that lets one be opened.
bool read_to_end(std::FILE* file, std::size_t size_hint, program_text& text) {
    // The reported size and a byte more, to see the end: a small file is
    // read whole at once, in no more memory than it needs.
    std::size_t wanted = std::min(size_hint, file_read_size - 1) + 1;
    for (;;) {
        const std::size_t got = append_read(file, wanted, text);
        if (got < wanted) return std::ferror(file) == 0;
        // Once a read has worked, the reported size is trusted enough to
        // make room for all of it at once, where a text can be that long.
        if (size_hint >= text.size() && size_hint < text.max_size()) {
            text.reserve(size_hint + 1);
        }
        wanted = std::max(file_read_size, text.capacity() - text.size());
    }
}

// Windows ends lines with CRLF, which load as LF. Its text mode would do
// that, but it also ends a file at its first byte 0x1A: the file is read in
// binary, and the line ends are turned here.
void load_line_ends_as_lf([[maybe_unused]] program_text& text) {
#if defined(_WIN32)
    std::size_t kept = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' || at + 1 == text.size() || text[at + 1] != '\n') {
            text[kept++] = text[at];
        }
    }
    text.resize(kept);
#endif
}

std::optional<program_text> read_program_file(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return std::nullopt;
    // Unbuffered, the reads go straight into the text, whole.
    std::setvbuf(file, nullptr, _IONBF, 0);
    program_text text;
    const bool complete = read_to_end(file, reported_size(file), text);
    std::fclose(file);
    if (!complete) return std::nullopt;
    load_line_ends_as_lf(text);
    return text;
}

}  // namespace

std::size_t append_read(std::FILE* file, std::size_t wanted, std::string& text) {
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

program_text load_program_text(int argc, const char* const* argv) {
    if (argc > 1) {
        if (std::optional<program_text> text = read_program_file(argv[1])) {
            return std::move(*text);
        }
    }
    program_text line;
    read_line(line);
    load_line_ends_as_lf(line);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
}

}  // namespace qualm
