// Prints the command string that the quality-control pass makes of standard
// input, or "rejected". The string it is put into holds text beforehand,
// which the pass must replace, as it must leave nothing on a rejection.
#include <iostream>
#include <iterator>
#include <string>

#include "quality_control/quality_control.hpp"

int main() {
    const std::string text(std::istreambuf_iterator<char>(std::cin), {});
    std::string commands = "left over";
    const bool accepted = qualm::apply_quality_control(text, commands);
    std::cout << (accepted ? commands : "rejected" + commands) << '\n';
}
