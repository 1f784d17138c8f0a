// Properties of the quality-control pass that hold for every input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "quality_control/quality_control.hpp"

namespace {

constexpr std::string_view command_string_chars = "+-9hq#@?0v";
constexpr std::string_view paired_chars = "#@?0v";

void require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

std::string folded(std::string text, int (*fold)(int)) {
    for (char& c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80) c = static_cast<char>(fold(byte));
    }
    return text;
}

bool has_no(std::string_view text, std::string_view chars) {
    return text.find_first_of(chars) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string commands;
    const bool accepted = qualm::apply_quality_control(text, commands);

    if (accepted) {
        require(commands.size() <= text.size(), "never longer than the text");
        require(commands.find_first_not_of(command_string_chars) == std::string::npos,
                "only command-string characters");
        require(commands.empty() || commands.front() != '-', "accepted text does not start unpaired");
        const auto paired = std::count_if(commands.begin(), commands.end(), [](char c) {
            return paired_chars.find(c) != std::string_view::npos;
        });
        require(paired <= std::count(text.begin(), text.end(), '-'),
                "every paired command used up a `-`");
    } else {
        require(commands.empty(), "a rejected text leaves no command string");
        require(!has_no(text, "-"), "only a `-` rejects a text");
    }

    // Case does not matter, for A to Z only.
    for (int (*fold)(int) : {::tolower, ::toupper}) {
        std::string other;
        require(qualm::apply_quality_control(folded(text, fold), other) == accepted &&
                    other == commands,
                "case changes neither acceptance nor the result");
    }

    // Without `+` and `-` nothing pairs: the commands pass through, folded.
    if (has_no(text, "+-")) {
        std::string plain;
        for (const char c : folded(text, ::tolower)) {
            if (c == '9' || c == 'h' || c == 'q') plain.push_back(c);
        }
        require(accepted && commands == plain, "9, h and q pass through");
    }
    return 0;
}
