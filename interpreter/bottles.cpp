// The counting song of command 9.
//
// The song is fixed text, so it is composed once, by the compiler, together
// with where each of its writes ends: one after each verse and one after
// each empty line between verses, so that each reaches the reader as soon
// as it is ended. Singing it is then 199 writes for its 299 lines.
#include <array>
#include <cstddef>
#include <utility>

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

// Lays the song out, handing `put` each piece of text in order and calling
// `end_write` where a write ends.
template <typename Put, typename EndWrite>
constexpr void compose_song(Put put, EndWrite end_write) {
    // Counts of 1 take the singular; every other count, the plural.
    const auto put_bottles = [&put](int n) {
        const char digits[2] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
        put(n >= 10 ? std::string_view(digits, 2) : std::string_view(digits + 1, 1));
        put(n == 1 ? " bottle" : " bottles");
    };
    for (int n = 99; n >= 1; --n) {
        put_bottles(n);
        put(" of beer on the wall, ");
        put_bottles(n);
        put(" of beer.\nTake one down and pass it around, ");
        if (n == 1) {
            put("no more bottles");
        } else {
            put_bottles(n - 1);
        }
        put(" of beer.\n");
        end_write();
        put("\n");
        end_write();
    }
    put("No more bottles of beer on the wall, no more bottles of beer.\n"
        "Go to the store and buy some more, 99 bottles of beer on the wall.\n");
    end_write();
}

constexpr std::size_t song_size = [] {
    std::size_t size = 0;
    compose_song([&size](std::string_view piece) { size += piece.size(); }, [] {});
    return size;
}();

constexpr std::size_t write_count = [] {
    std::size_t writes = 0;
    compose_song([](std::string_view) {}, [&writes] { ++writes; });
    return writes;
}();

// The text of the song, and the offset where each write ends.
using song_text = std::pair<std::array<char, song_size>, std::array<std::size_t, write_count>>;

constexpr song_text song = [] {
    song_text composed{};
    std::size_t size = 0;
    std::size_t writes = 0;
    compose_song(
        [&](std::string_view piece) {
            for (const char c : piece) composed.first[size++] = c;
        },
        [&] { composed.second[writes++] = size; });
    return composed;
}();

}  // namespace

void sing_bottles() {
    const auto& [text, write_ends] = song;
    std::size_t start = 0;
    for (const std::size_t end : write_ends) {
        write_out(std::string_view(text.data() + start, end - start));
        start = end;
    }
}

}  // namespace qualm
