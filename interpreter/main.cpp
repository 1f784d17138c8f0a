// The console entry routine: intake, quality control, dispatch, the final
// key press.
#include <cstdio>
#include <cstdlib>

#include "interpreter/interpreter.hpp"

int main(int argc, char** argv) {
    // Unbuffered both ways: every piece of output reaches the reader at
    // once, and input is taken a character at a time, so the program
    // consumes exactly the line and the one key it reads, no more.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stdin, nullptr, _IONBF, 0);

    // The loaded text is the source that `q` writes: the pass leaves it
    // as it is and builds the command string beside it.
    const qualm::program_text source = qualm::load_program_text(argc, argv);
    qualm::program_text commands;
    const bool accepted = qualm::apply_quality_control(source, commands);
    if (accepted) {
        qualm::execute_commands(commands, source);
    } else {
        qualm::report_syntax_error();
    }
    qualm::wait_for_key();
    return accepted ? EXIT_SUCCESS : EXIT_FAILURE;
}
