// Properties of the quality-control pass that hold for every input.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "quality_control/quality_control.hpp"

namespace {

constexpr std::string_view syntax_error =
    "Syntax error: A quality control operator is not allowed as the first operator!\n";
constexpr std::string_view command_string_chars = "hq9+-#@?0v";

void require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// Standard output goes to a scratch file, emptied before each run, so that
// what the pass writes can be read back.
std::FILE* capture_standard_output() {
    std::FILE* scratch = std::tmpfile();
    require(scratch != nullptr && dup2(fileno(scratch), 1) == 1, "capture set up");
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return scratch;
}

std::string run_pass(std::string& text, bool& accepted) {
    static std::FILE* const scratch = capture_standard_output();
    require(ftruncate(fileno(scratch), 0) == 0 && lseek(1, 0, SEEK_SET) == 0, "reset");
    accepted = qualm::apply_quality_control(text);
    std::string written(static_cast<std::size_t>(lseek(1, 0, SEEK_CUR)), '\0');
    require(pread(fileno(scratch), written.data(), written.size(), 0) ==
                static_cast<ssize_t>(written.size()),
            "read back");
    return written;
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
    const std::string original(reinterpret_cast<const char*>(data), size);

    std::string text = original;
    bool accepted = false;
    const std::string written = run_pass(text, accepted);

    if (accepted) {
        require(written.empty(), "success writes nothing");
        require(text.size() <= original.size(), "never longer than the text");
        require(text.find_first_not_of(command_string_chars) == std::string::npos,
                "only command-string characters");
        const auto paired = std::count_if(text.begin(), text.end(), [](char c) {
            return std::string_view("#@?0v").find(c) != std::string_view::npos;
        });
        require(paired <= std::count(original.begin(), original.end(), '-'),
                "every paired command used up a `-`");
    } else {
        require(written == syntax_error, "the syntax error is the only output");
        require(text == original, "a rejected text is left as it was");
    }

    // Case does not matter, for A to Z only.
    for (int (*fold)(int) : {::tolower, ::toupper}) {
        std::string other = folded(original, fold);
        bool other_accepted = false;
        run_pass(other, other_accepted);
        require(other_accepted == accepted, "case does not change acceptance");
        if (accepted) require(other == text, "case does not change the result");
    }

    // Without `+` and `-` nothing pairs: the commands pass through, folded.
    if (has_no(original, "+-")) {
        std::string plain;
        for (const char c : folded(original, ::tolower)) {
            if (c == 'h' || c == 'q' || c == '9') plain.push_back(c);
        }
        require(accepted && text == plain, "h, q and 9 pass through");
    }
    return 0;
}
