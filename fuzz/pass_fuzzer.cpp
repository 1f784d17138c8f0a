// Properties of the quality-control pass that hold for every input.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "quality_control/quality_control.hpp"

#define REQUIRE(property) \
    ((property) ? void() : (std::fprintf(stderr, "broken: %s\n", #property), std::abort()))

namespace {

long count(const std::string& text, const std::string& chars) {
    return std::count_if(text.begin(), text.end(),
                         [&](char c) { return chars.find(c) != std::string::npos; });
}

// The text with A to Z, and only those, folded by `fold`.
std::string folded(std::string text, int (*fold)(int)) {
    for (char& c : text) c = (c & 0x80) ? c : static_cast<char>(fold(c));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string commands = "left over";
    const bool accepted = qualm::apply_quality_control(text, commands);
    REQUIRE(commands.size() <= text.size());
    REQUIRE(count(commands, "+-9hq#@?0v") == static_cast<long>(commands.size()));
    REQUIRE(count(commands, "#@?0v") <= count(text, "-"));  // each paired command used up a `-`
    // Rejected only for an unpaired `-` before any command, leaving nothing.
    REQUIRE(accepted ? commands.empty() || commands[0] != '-'
                     : commands.empty() && count(text, "-") > 0);
    for (int (*fold)(int) : {::tolower, ::toupper}) {
        std::string other;
        REQUIRE(qualm::apply_quality_control(folded(text, fold), other) == accepted &&
                other == commands);
    }
    // Without `+` and `-` nothing pairs: 9, h and q pass through, folded.
    std::string plain = folded(text, ::tolower);
    plain.erase(
        std::remove_if(plain.begin(), plain.end(), [](char c) { return count({c}, "9hq") == 0; }),
        plain.end());
    REQUIRE(count(text, "+-") > 0 || (accepted && commands == plain));
    // The traced pass agrees, with a span of the text for each character
    // (for the rejected `-` when rejected), each holding a command.
    std::string traced;
    std::vector<qualm::text_span> spans;
    REQUIRE(qualm::trace_quality_control(text, traced, spans) == accepted && traced == commands &&
            spans.size() == (accepted ? commands.size() : 1));
    for (const auto& [first, last] : spans)
        REQUIRE(first < last && last <= size &&
                count(text.substr(first, last - first), "+-9HQhq") > 0);
    return 0;
}
