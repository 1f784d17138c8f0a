// The dispatch loop and the two plain commands that write text.
#include "interpreter/interpreter.hpp"
#include "quality_control/quality_control.hpp"

namespace qualm {

namespace {

void write_source(const program_text& source) {
    write_out(source);
    end_line();
}

}  // namespace

void execute_commands(const program_text& commands, const program_text& source) {
    for (const char command : commands) {
        switch (fold_case(command)) {
            case 'h': write_out("Hello World!\n"); break;
            case 'q': write_source(source); break;
            case '9': sing_bottles(); break;
            case '?': sing_forever();
            case '#': raise_stream_failure();
            case '@': echo_forever(source);
            case '0': divide_one_by_zero();
            case 'v': rethrow_without_exception();
            default: break;  // '+', '-' and anything else do nothing
        }
    }
}

}  // namespace qualm
