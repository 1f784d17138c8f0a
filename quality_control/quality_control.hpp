// Quality control: the language's characters, and the pass that turns a
// program text into the command string, pairing each command with a `-`
// that follows it directly. It reads and returns strings and does no input
// or output.
#ifndef QUALM_QUALITY_CONTROL_HPP
#define QUALM_QUALITY_CONTROL_HPP

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qualm {

// A program text: bytes with an explicit length, zero bytes among them.
using program_text = std::string;

// What the pass makes of a program text: the commands to run, one
// character each.
using command_string = std::string;

// The characters a program is written in, after case folding.
inline constexpr std::string_view command_chars = "+-9hq";

// The pairs that a `-` makes: the run of commands right before it, and the
// character that stands for the pair in the command string. Each of them
// ends the run.
inline constexpr std::array<std::pair<std::string_view, char>, 5> pairs = {{
    {"+", '0'},
    {"++", 'v'},
    {"9", '?'},
    {"h", '#'},
    {"q", '@'},
}};

// The character that stands for `run` followed by a `-`.
constexpr char paired(std::string_view run) {
    for (const auto& [paired_run, stands_for] : pairs) {
        if (paired_run == run) return stands_for;
    }
    throw std::invalid_argument("not a pair");  // in a constant expression: does not compile
}

// Only A to Z change: the same as tolower in the "C" locale, which this
// program never leaves, but safe for every byte and free of locale calls.
constexpr char fold_case(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Puts the command string of `text` into `commands` and returns true; or
// returns false, with `commands` empty, when the text is rejected: a `-`
// came while nothing had been produced and nothing was pending. Memory
// that `commands` already holds is used again.
//
// The command string holds the command characters (folded) and the
// characters of `pairs`. It is never longer than the text.
bool apply_quality_control(std::string_view text, command_string& commands);

// The pass as a table, which both of its walks read: the byte at a time in
// pass.cpp, and the fast one in fast_walk.cpp.
namespace pass {

// The run of command characters read but not yet settled.
enum pending_run : unsigned char {
    none,
    plus,
    plus_plus,
    nine,
    h,
    q,
    off,  // a `-` found nothing to pair with: pairing is off from here on
    pending_runs
};

// A byte once folded: one of command_chars, in their order, or any other.
enum byte_class : unsigned char {
    other,
    plus_byte,
    minus_byte,
    nine_byte,
    h_byte,
    q_byte,
    byte_classes
};

// The pending run that follows, and the character appended to the command
// string (0 appends nothing).
using transition = std::pair<pending_run, char>;

// A command waits to see whether a `-` follows it directly. Any other byte
// settles it: 9, h and q are written as they are, and a `+` or `++` is
// dropped. A third `+` drops the `++` before it and waits alone. A `-`
// with nothing pending switches pairing off and is kept, as is every
// command character after it; when nothing was written before it, the
// command string begins with it and the text is rejected.
// A row for each pending run, in their order: none, +, ++, 9, h, q, off.
// clang-format off
inline constexpr transition pass_table[pending_runs][byte_classes] = {
    // other       +               -                     9            h           q
    {{none, 0},   {plus, 0},      {off, '-'},           {nine, 0},   {h, 0},     {q, 0}},
    {{none, 0},   {plus_plus, 0}, {none, paired("+")},  {nine, 0},   {h, 0},     {q, 0}},
    {{none, 0},   {plus, 0},      {none, paired("++")}, {nine, 0},   {h, 0},     {q, 0}},
    {{none, '9'}, {plus, '9'},    {none, paired("9")},  {nine, '9'}, {h, '9'},   {q, '9'}},
    {{none, 'h'}, {plus, 'h'},    {none, paired("h")},  {nine, 'h'}, {h, 'h'},   {q, 'h'}},
    {{none, 'q'}, {plus, 'q'},    {none, paired("q")},  {nine, 'q'}, {h, 'q'},   {q, 'q'}},
    {{off, 0},    {off, '+'},     {off, '-'},           {off, '9'},  {off, 'h'}, {off, 'q'}},
};
// clang-format on

// What is still pending at the end of the text is kept as it stands.
inline constexpr std::string_view left_pending[pending_runs] = {"", "+", "++", "9", "h", "q", ""};

inline constexpr std::array<byte_class, 256> class_of = [] {
    std::array<byte_class, 256> classes{};
    for (unsigned byte = 0; byte < classes.size(); ++byte) {
        const std::size_t at = command_chars.find(fold_case(static_cast<char>(byte)));
        classes[byte] = at == std::string_view::npos ? other : static_cast<byte_class>(at + 1);
    }
    return classes;
}();

// The columns of the table are the classes, in the order of command_chars.
static_assert(class_of['+'] == plus_byte && class_of['-'] == minus_byte &&
              class_of['9'] == nine_byte && class_of['h'] == h_byte && class_of['q'] == q_byte);

}  // namespace pass

// A stretch of a text: the offset of its first byte and the offset just
// past its last.
using text_span = std::pair<std::size_t, std::size_t>;

// What the pass did at a byte it read: the byte's class, and the cell of
// the table it took there (the pending run that followed, and the
// character written).
using pass_step = std::pair<pass::byte_class, pass::transition>;

// The same pass a byte at a time, for showing it at work: besides the
// command string, the stretch of the text that each of its characters was
// made of. A paired command spans its command through its `-`, a run of
// pluses spans the whole run, and everything else its own byte. On a
// rejection, `commands` is empty and `spans` holds the rejected `-`. Where
// `steps` is given, it gets a step for each byte read, the rejected `-`
// the last of them.
bool trace_quality_control(std::string_view text, command_string& commands,
                           std::vector<text_span>& spans, std::vector<pass_step>* steps = nullptr);

}  // namespace qualm

#endif
