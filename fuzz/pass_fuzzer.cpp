// The quality-control pass against the reference of the language's rules,
// on every input; and the traced walk, which besides agreeing gives each
// character a stretch of the text that holds a command.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "quality_control/quality_control.hpp"
#include "tests/reference_pass.hpp"

#define REQUIRE(property) \
    ((property) ? void() : (std::fprintf(stderr, "broken: %s\n", #property), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto expected = reference::pass(text);
    std::string commands = "left over", traced = "left over";
    std::vector<qualm::text_span> spans(1);
    REQUIRE(qualm::apply_quality_control(text, commands) == expected.has_value() &&
            commands == expected.value_or(""));
    REQUIRE(qualm::trace_quality_control(text, traced, spans) == expected.has_value() &&
            traced == commands && spans.size() == (expected ? commands.size() : 1));
    for (const auto& [first, last] : spans) {
        REQUIRE(first < last && last <= size &&
                text.substr(first, last - first).find_first_of("+-9HQhq") != std::string::npos);
    }
    return 0;
}
