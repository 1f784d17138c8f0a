// The console entry routine: intake, quality control, dispatch, the final
// key press.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "interpreter/interpreter.hpp"

int main(int argc, char** argv) {
    // Unbuffered: every piece of output reaches the reader at once.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // A program too large to hold, or to hold twice, as the text and its
    // command string beside it, ends the run wherever memory runs out:
    // nothing is caught, so the commands that end a run by an exception
    // leave it to the runtime.
    std::set_new_handler(qualm::report_out_of_memory);
    qualm::set_up_input();

    // The loaded text is the source that `q` writes: the pass leaves it
    // as it is and builds the command string beside it.
    const qualm::program_text source = qualm::load_program_text(argc, argv);
    qualm::command_string commands;
    const bool accepted = qualm::apply_quality_control(source, commands);
    if (accepted) {
        qualm::execute_commands(commands, source);
    } else {
        qualm::report_syntax_error();
    }
    qualm::wait_for_key();
    if (accepted) qualm::host_hears_ending(qualm::ending::exit);
    return accepted ? EXIT_SUCCESS : EXIT_FAILURE;
}
