// The counting song of command 9.
#include <charconv>

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

void append_number(std::string& out, int n) {
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, result.ptr);
}

}  // namespace

// Each verse goes out as one piece up to its first end of line, then the
// empty line as a second: one write per end of line.
void sing_bottles() {
    std::string word = " bottles";
    std::string verse;
    for (int n = 99; n >= 1; --n) {
        verse.clear();
        append_number(verse, n);
        verse += word;
        verse += " of beer on the wall, ";
        append_number(verse, n);
        verse += word;
        verse += " of beer.\nTake one down and pass it around, ";
        if (n == 1) {
            verse += "no more bottles";
        } else {
            if (n == 2) word = " bottle";
            append_number(verse, n - 1);
            verse += word;
        }
        verse += " of beer.\n";
        write_out(verse);
        end_line();
    }
    write_out(
        "No more bottles of beer on the wall, no more bottles of beer.\n"
        "Go to the store and buy some more, 99 bottles of beer on the wall.\n");
}

}  // namespace qualm
