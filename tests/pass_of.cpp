// Prints the command string that the quality-control pass makes of standard
// input, or "rejected"; with "spans", each character of it with the stretch
// of the text it was made of; with "steps", each byte read, what was left
// pending after it in brackets ("off" once pairing is off), and what it
// wrote. Both walks of the pass, the fast one and the
// traced one, run on every input and are checked against the reference of
// the language's rules: where either differs, it fails loudly. The strings
// they fill hold text beforehand, which the pass must replace, as it must
// leave nothing on a rejection.
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "quality_control/quality_control.hpp"
#include "tests/reference_pass.hpp"

int main(int argc, char** argv) {
    const std::string text(std::istreambuf_iterator<char>(std::cin), {});
    const auto expected = reference::pass(text);
    std::string commands = "left over", traced = "left over";
    std::vector<qualm::text_span> spans(1);
    std::vector<qualm::pass_step> steps(1);
    const bool accepted = qualm::apply_quality_control(text, commands);
    const bool traced_accepted = qualm::trace_quality_control(text, traced, spans, &steps);
    if (accepted != expected.has_value() || commands != expected.value_or("") ||
        traced_accepted != accepted || traced != commands) {
        std::cout << "PASS DIFFERS: reference [" << expected.value_or("rejected") << "], fast ["
                  << commands << "], traced [" << traced << "]\n";
        return 1;
    }
    const std::string mode = argc > 1 ? argv[1] : "";
    std::cout << (accepted ? "" : mode == "steps" ? "rejected: " : "rejected");
    if (mode == "steps") {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const auto [left, written] = steps[i].second;
            std::cout << (i == 0 ? "" : " ") << text[i] << '['
                      << (left == qualm::pass::off ? "off" : qualm::pass::left_pending[left]) << ']'
                      << std::string(written != 0, written);
        }
    } else if (mode == "spans") {
        for (std::size_t i = 0; i < spans.size(); ++i) {
            std::cout << (accepted ? commands.substr(i, 1) : "") << '['
                      << text.substr(spans[i].first, spans[i].second - spans[i].first) << "] ";
        }
    } else {
        std::cout << commands;
    }
    std::cout << '\n';
}
