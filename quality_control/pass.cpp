// The quality-control pass.
//
// What is pending after a byte depends only on that byte: h, q and 9 leave
// themselves pending, a `+` leaves `+` or `++` as its run of pluses is odd
// or even so far, and anything else (a `-` that paired included) leaves
// nothing. So what a byte writes depends only on its own class, the class
// of the byte before it, and the parity of a run of `+` before it. The
// pass carries just those two facts from byte to byte, with no branch on
// the data, and a table gives the character to write (or none).
//
// Most bytes of a long text are not commands: blocks without a command
// character are passed over whole, many bytes at a time. The command string
// is gathered in a batch on the stack and handed on as the batch fills,
// either to a string of its own or back into the text, behind the byte
// being read.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "quality_control/quality_control.hpp"

namespace qualm {

namespace {

// What a byte is, once folded to lower case: a command character, in the
// order of `command_chars`, or anything else.
enum byte_class : unsigned char { other, h_byte, q_byte, nine_byte, plus_byte, minus_byte };

using class_table = std::array<byte_class, 256>;

constexpr class_table make_class_table() {
    class_table table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte) {
        const std::size_t at = command_chars.find(fold_case(static_cast<char>(byte)));
        table[byte] = at == std::string_view::npos ? other : static_cast<byte_class>(at + 1);
    }
    return table;
}

constexpr class_table class_of = make_class_table();

// Written for a `-` that finds nothing pending: pairing stops there.
constexpr char unpaired = '\1';

// What a byte of class `c` writes after a byte of class `before`; `odd`
// tells, when `before` is a `+`, whether its run of pluses is odd.
constexpr char written_by(byte_class before, bool odd, byte_class c) {
    if (c == minus_byte) {
        switch (before) {
            case h_byte: return '#';
            case q_byte: return '@';
            case nine_byte: return '?';
            case plus_byte: return odd ? '0' : 'v';
            default: return unpaired;
        }
    }
    // Anything else settles what was pending; a lone `+` or `++` is dropped.
    switch (before) {
        case h_byte: return 'h';
        case q_byte: return 'q';
        case nine_byte: return '9';
        default: return 0;
    }
}

// The written_by table, indexed by `odd_run | before * 8 | c`.
constexpr unsigned odd_run = 64;

using written_table = std::array<char, 2 * odd_run>;

constexpr written_table make_written_table() {
    written_table table{};
    for (unsigned index = 0; index < table.size(); ++index) {
        const auto before = static_cast<byte_class>(index / 8 % 8);
        const auto c = static_cast<byte_class>(index % 8);
        if (before <= minus_byte && c <= minus_byte) {
            table[index] = written_by(before, index & odd_run, c);
        }
    }
    return table;
}

constexpr written_table written = make_written_table();

// How far each entry of that table moves the command string on: one for a
// command, none for nothing or for the stop.
constexpr std::array<unsigned char, 2 * odd_run> make_advance_table() {
    std::array<unsigned char, 2 * odd_run> table{};
    for (std::size_t index = 0; index < table.size(); ++index) {
        table[index] = written[index] != 0 && written[index] != unpaired;
    }
    return table;
}

constexpr std::array<unsigned char, 2 * odd_run> advance = make_advance_table();

// The class of each byte times 8, as it enters the index of the next byte.
constexpr std::array<unsigned char, 256> make_class_times_8_table() {
    std::array<unsigned char, 256> table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte) table[byte] = class_of[byte] * 8;
    return table;
}

constexpr std::array<unsigned char, 256> class_times_8 = make_class_times_8_table();

// What the text leaves pending at its end is kept unchanged.
std::string_view left_at_end(byte_class last, bool odd) {
    switch (last) {
        case h_byte: return "h";
        case q_byte: return "q";
        case nine_byte: return "9";
        case plus_byte: return odd ? "+" : "++";
        default: return "";
    }
}

constexpr std::size_t block = 16;
constexpr std::size_t wide_block = 64;
constexpr std::size_t batch = 4096;

// True if any of the 64 bytes is a command character in either case. A
// plain loop with no early exit, which compilers turn into comparisons of
// many bytes at once.
bool has_command_char_wide(const unsigned char* bytes) {
    unsigned char found = 0;
    for (std::size_t i = 0; i < wide_block; ++i) {
        const unsigned char c = bytes[i];
        const unsigned char lower = c | 0x20;
        found |= static_cast<unsigned char>((lower == 'h') | (lower == 'q') | (c == '9') |
                                            (c == '+') | (c == '-'));
    }
    return found != 0;
}

// The same for 16 bytes, eight at a time: a byte equal to the one sought
// becomes zero under the exclusive or, and the subtraction borrows into the
// high bit of the lowest such byte. Blocks this small are often free of
// commands even where commands are common.
bool has_command_char(const unsigned char* bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    constexpr std::uint64_t high_bits = 0x8080808080808080u;
    std::uint64_t words[block / 8];
    std::memcpy(words, bytes, sizeof words);
    std::uint64_t found = 0;
    for (const std::uint64_t word : words) {
        const std::uint64_t lower = word | (0x20 * ones);
        for (const std::uint64_t sought :
             {lower ^ ('h' * ones), lower ^ ('q' * ones), word ^ ('9' * ones),
              word ^ ('+' * ones), word ^ ('-' * ones)}) {
            found |= (sought - ones) & ~sought;
        }
    }
    return (found & high_bits) != 0;
}

// The end of the run of whole blocks from `at` that hold no command.
std::size_t skip_blocks_without_commands(const unsigned char* bytes, std::size_t at,
                                         std::size_t size) {
    while (size - at >= wide_block && !has_command_char_wide(bytes + at)) at += wide_block;
    while (size - at >= block && !has_command_char(bytes + at)) at += block;
    return at;
}

// The steps below write one character into a batch unconditionally and
// move `filled` on only when it counts; a nearly full batch goes to `emit`.
template <typename Emit>
void flush_if_full(Emit& emit, const char* out, std::size_t& filled) {
    if (filled <= batch - block) return;
    emit(out, filled);
    filled = 0;
}

// Pairs commands with a following `-`. Stops at a `-` that finds nothing
// pending and returns its position, or the size of the text; what is
// pending at the end is kept.
template <typename Emit>
std::size_t pair_commands(std::string_view text, Emit& emit) {
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    char out[batch] = {};
    std::size_t filled = 0;
    unsigned before = other * 8;  // the class of the byte before, times 8
    unsigned odd = 0;             // odd_run when it ends an odd run of `+`

    // One byte; false at a `-` that finds nothing pending, where the caller
    // stops, so what this leaves behind then does not matter.
    const auto step = [&](std::size_t at) {
        const unsigned byte = bytes[at];
        const unsigned c = class_of[byte];
        const unsigned index = odd + before + c;
        out[filled] = written[index];
        filled += advance[index];
        odd = c == plus_byte ? odd ^ odd_run : 0;
        before = class_times_8[byte];
        return written[index] != unpaired;
    };

    // Steps through `count` bytes from `from`; returns where a `-` found
    // nothing pending, or `none`.
    constexpr std::size_t none = std::string_view::npos;
    const auto run = [&](std::size_t from, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!step(from + i)) return from + i;
        }
        return none;
    };

    std::size_t at = 0;
    while (at < size) {
        flush_if_full(emit, out, filled);
        // Runs of blocks without commands are looked for only after a byte
        // that is not one, which leaves dense command text alone.
        if (before == other * 8) {
            const std::size_t clean_end = skip_blocks_without_commands(bytes, at, size);
            if (clean_end != at) {
                step(at);  // of all those bytes only the first writes: it settles
                at = clean_end;
                continue;
            }
        }
        // A whole block goes through a loop of fixed length, which the
        // compiler unrolls; only the last, short one counts its bytes.
        const std::size_t stop = size - at >= block ? run(at, block) : run(at, size - at);
        if (stop != none) {
            emit(out, filled);
            return stop;
        }
        at = std::min(size, at + block);
    }
    emit(out, filled);
    const std::string_view pending = left_at_end(static_cast<byte_class>(before / 8), odd != 0);
    emit(pending.data(), pending.size());
    return size;
}

// After a `-` that found nothing to pair with, no pairing takes place:
// the rest keeps its command characters, folded, and drops the others.
template <typename Emit>
void keep_unpaired(std::string_view text, std::size_t from, Emit& emit) {
    constexpr std::array<char, 6> command_of = {
        0, command_chars[0], command_chars[1], command_chars[2], command_chars[3], command_chars[4]};
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    char out[batch] = {};
    std::size_t filled = 0;
    std::size_t at = from;
    while (at < size) {
        flush_if_full(emit, out, filled);
        at = skip_blocks_without_commands(bytes, at, size);
        for (const std::size_t end = std::min(size, at + block); at < end; ++at) {
            const byte_class c = class_of[bytes[at]];
            out[filled] = command_of[c];
            filled += c != other;
        }
    }
    emit(out, filled);
}

void report_syntax_error() {
    write_out(
        "Syntax error: A quality control operator is not allowed as the first "
        "operator!\n");
}

// The whole pass, handing the command string to `emit` piece by piece.
template <typename Emit>
bool run_pass(std::string_view text, Emit emit) {
    std::size_t produced = 0;
    const auto counted = [&](const char* piece, std::size_t length) {
        emit(piece, length);
        produced += length;
    };
    const std::size_t stopped = pair_commands(text, counted);
    if (stopped == text.size()) return true;
    // A `-` with nothing pending: an error while nothing has been produced;
    // otherwise pairing ends here.
    if (produced == 0) {
        report_syntax_error();
        return false;
    }
    keep_unpaired(text, stopped, counted);
    return true;
}

}  // namespace

bool apply_quality_control(std::string_view text, program_text& commands) {
    commands.clear();
    // Never longer than the text: reserving that much spares every copy of
    // a growing result, and pages never written are never touched.
    commands.reserve(text.size());
    return run_pass(text, [&commands](const char* piece, std::size_t length) {
        commands.append(piece, length);
    });
}

// Each byte read writes at most one character, so every piece lands behind
// the byte being read and the text can be rewritten where it stands. Nothing
// is written before the syntax error can arise, so a rejected text is left
// as it was.
bool apply_quality_control(program_text& text) {
    std::size_t kept = 0;
    const bool accepted = run_pass(text, [&](const char* piece, std::size_t length) {
        std::memmove(&text[kept], piece, length);
        kept += length;
    });
    if (accepted) text.resize(kept);
    return accepted;
}

}  // namespace qualm
