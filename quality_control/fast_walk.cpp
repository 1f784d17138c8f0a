// The quality-control pass at speed: the table of quality_control.hpp read
// as packed columns, stretches without commands skipped many bytes at a
// time, and the command string gathered on the stack a chunk at a time.
// pass.cpp walks the same table a byte at a time.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "quality_control/quality_control.hpp"

namespace qualm {

namespace {

using namespace pass;

// The table as the loop reads it: each byte value's column packed into a
// word, a byte for each pending run, once for the next run and once for
// the character written. The loop keeps the state as the bit position of
// its byte in the low six bits of a word (the bits above are left over
// from the column and ignored), so that the next state is one shift away
// and the chain from byte to byte stays one instruction long.
constexpr unsigned position_of(pending_run run) { return 8 * run; }
constexpr unsigned shift_of(std::uint64_t position) { return position & 63; }
constexpr pending_run run_at(std::uint64_t position) { return pending_run(shift_of(position) / 8); }

template <typename Field>
constexpr std::array<std::uint64_t, 256> packed_columns(Field field) {
    std::array<std::uint64_t, 256> columns{};
    for (unsigned byte = 0; byte < columns.size(); ++byte) {
        for (unsigned run = 0; run < pending_runs; ++run) {
            const std::uint64_t entry = field(pass_table[run][class_of[byte]]);
            columns[byte] |= entry << position_of(pending_run(run));
        }
    }
    return columns;
}

constexpr auto next_position =
    packed_columns([](transition t) -> unsigned char { return position_of(t.first); });
constexpr auto written_char =
    packed_columns([](transition t) { return static_cast<unsigned char>(t.second); });

// Stretches without commands are skipped many bytes at a time: after a
// byte that is not a command, the state stays as it is until the next
// command character. Two checks find it, each for a block of bytes with
// no command in it: a plain loop over 64 bytes, which the compiler runs on
// wide registers, and its twin on one word of 8 bytes, for the shorter
// stretches between commands.
constexpr std::size_t wide_block = 64;
constexpr std::size_t word_size = 8;

// A command byte, spelled out for the skip checks: compares instead of a
// table look-up, so that the compiler can test many bytes at once.
constexpr bool is_command_byte(unsigned char c) {
    const unsigned char lower = c | 0x20;  // folds H and Q; no other byte becomes h or q
    return (c == '+') | (c == '-') | (c == '9') | (lower == 'h') | (lower == 'q');
}

bool has_command_char(const unsigned char* bytes) {
    unsigned char found = 0;
    for (std::size_t i = 0; i < wide_block; ++i) found |= is_command_byte(bytes[i]);
    return found != 0;
}

// The same on a word: a byte equal to the one sought becomes zero under
// the exclusive or, and subtracting one from each byte then borrows into
// the high bit of the lowest such byte.
constexpr bool word_has_command_char(const unsigned char* bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    std::uint64_t word = 0;  // the compiler makes this one load
    for (std::size_t i = 0; i < word_size; ++i) word |= std::uint64_t{bytes[i]} << (8 * i);
    const std::uint64_t lower = word | (0x20 * ones);
    std::uint64_t found = 0;
    for (const std::uint64_t zero_where_found :
         {word ^ ('+' * ones), word ^ ('-' * ones), word ^ ('9' * ones), lower ^ ('h' * ones),
          lower ^ ('q' * ones)}) {
        found |= (zero_where_found - ones) & ~zero_where_found;
    }
    return (found & (0x80 * ones)) != 0;
}

// Both checks find exactly the bytes of the classes, for every byte value
// and every place in the word: there is no byte they disagree on.
constexpr int skip_check_mismatches() {
    int mismatches = 0;
    for (unsigned byte = 0; byte < 256; ++byte) {
        const bool command = class_of[byte] != other;
        mismatches += is_command_byte(static_cast<unsigned char>(byte)) != command;
        for (std::size_t at = 0; at < word_size; ++at) {
            unsigned char word[word_size] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
            word[at] = static_cast<unsigned char>(byte);
            mismatches += word_has_command_char(word) != command;
        }
    }
    return mismatches;
}
static_assert(skip_check_mismatches() == 0);

// Where the stretch without commands that begins at `at` ends, to the
// nearest block.
std::size_t skip_stretch_without_commands(const unsigned char* bytes, std::size_t at,
                                          std::size_t end) {
    while (end - at >= wide_block && !has_command_char(bytes + at)) at += wide_block;
    while (end - at >= word_size && !word_has_command_char(bytes + at)) at += word_size;
    return at;
}

// The command string is gathered a chunk at a time in a buffer on the
// stack: each byte read writes at most one character.
constexpr std::size_t bytes_per_chunk = 4096;

// Runs the bytes [from, to), at most a chunk, from the state at `position`;
// writes into `out` and returns how many characters it wrote.
std::size_t run_chunk(const unsigned char* bytes, std::size_t from, std::size_t to,
                      std::uint64_t& position, char* out) {
    std::size_t count = 0;
    const auto step = [&](unsigned char byte) {
        const char written = static_cast<char>(written_char[byte] >> shift_of(position));
        out[count] = written;
        count += written != 0;
        position = next_position[byte] >> shift_of(position);
    };
    for (std::size_t at = from; at < to;) {
        if (class_of[bytes[at]] == other) {
            step(bytes[at]);
            at = skip_stretch_without_commands(bytes, at + 1, to);
        }
        for (const std::size_t stop = std::min(to, at + word_size); at < stop; ++at)
            step(bytes[at]);
    }
    return count;
}

}  // namespace

bool apply_quality_control(std::string_view text, command_string& commands) {
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    commands.clear();
    // Never longer than the text: reserving that much spares every copy of
    // a growing result, and pages never written are never touched.
    commands.reserve(text.size());
    std::uint64_t position = position_of(none);
    // The processor matches a read with the writes before it by the low 12
    // bits of their addresses: where the command string on the stack lay at
    // the offset in a page of the bytes being read, each read would wait on
    // the writes. It is put half a page away from them.
    constexpr std::size_t page = 4096;
    char area[bytes_per_chunk + page];
    char* const out = area + (reinterpret_cast<std::uintptr_t>(bytes) -
                              reinterpret_cast<std::uintptr_t>(area) + page / 2) %
                                 page;
    for (std::size_t from = 0; from < text.size(); from += bytes_per_chunk) {
        const std::size_t to = std::min(text.size(), from + bytes_per_chunk);
        commands.append(out, run_chunk(bytes, from, to, position, out));
        if (!commands.empty() && commands.front() == '-') {
            commands.clear();
            return false;
        }
    }
    commands += left_pending[run_at(position)];
    return true;
}

}  // namespace qualm
