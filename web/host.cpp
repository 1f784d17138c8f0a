// The interpreter's host in the WebAssembly module: what the run tells its
// host goes on at once to the host's JavaScript (host.js), the endings by
// their order in the interpreter's list of them (trace.cpp exports their
// names).
#include <cstddef>

#include "interpreter/interpreter.hpp"

extern "C" {
void qualm_command_begins(std::size_t index);
void qualm_ending_taken(unsigned how);
}

namespace qualm {

void host_hears_command(std::size_t index) { qualm_command_begins(index); }

void host_hears_ending(ending how) { qualm_ending_taken(static_cast<unsigned>(how)); }

}  // namespace qualm
