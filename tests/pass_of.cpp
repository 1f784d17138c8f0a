// Prints the command string that the quality-control pass makes of standard
// input, or "rejected". The string it is put into holds text beforehand,
// which the pass must replace, as it must leave nothing on a rejection.
// With "spans", it traces the pass instead, and prints each character of
// the command string with the stretch of the text it was made of.
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "quality_control/quality_control.hpp"

int main(int argc, char** argv) {
    const std::string text(std::istreambuf_iterator<char>(std::cin), {});
    std::string commands = "left over";
    if (argc > 1 && std::string(argv[1]) == "spans") {
        std::vector<qualm::text_span> spans(1);
        const bool accepted = qualm::trace_quality_control(text, commands, spans);
        std::cout << (accepted ? "" : "rejected" + commands);
        for (std::size_t i = 0; i < spans.size(); ++i) {
            std::cout << (accepted ? commands.substr(i, 1) : "") << '['
                      << text.substr(spans[i].first, spans[i].second - spans[i].first) << "] ";
        }
        std::cout << '\n';
        return 0;
    }
    const bool accepted = qualm::apply_quality_control(text, commands);
    std::cout << (accepted ? commands : "rejected" + commands) << '\n';
}
