// Prints the command string that the quality-control pass makes of standard
// input, or "rejected"; with "spans", each character of it with the stretch
// of the text it was made of. Both walks of the pass run on every input, the
// fast one and the traced one, and where they differ it fails loudly. The
// strings they fill hold text beforehand, which the pass must replace, as it
// must leave nothing on a rejection.
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "quality_control/quality_control.hpp"

int main(int argc, char** argv) {
    const std::string text(std::istreambuf_iterator<char>(std::cin), {});
    std::string commands = "left over";
    std::string traced = "left over";
    std::vector<qualm::text_span> spans(1);
    const bool accepted = qualm::apply_quality_control(text, commands);
    if (qualm::trace_quality_control(text, traced, spans) != accepted || traced != commands) {
        std::cout << "WALKS DIFFER: fast [" << commands << "], traced [" << traced << "]\n";
        return 1;
    }
    std::cout << (accepted ? "" : "rejected");
    if (argc > 1 && std::string(argv[1]) == "spans") {
        for (std::size_t i = 0; i < spans.size(); ++i) {
            std::cout << (accepted ? commands.substr(i, 1) : "") << '['
                      << text.substr(spans[i].first, spans[i].second - spans[i].first) << "] ";
        }
    } else {
        std::cout << commands;
    }
    std::cout << '\n';
}
