// The console as the interpreter's host: a run shows how it ends by its
// status, its signal and its streams alone, so the console hears nothing
// more of it.
#include "interpreter/interpreter.hpp"

namespace qualm {

void host_hears_command(std::size_t /*index*/) {}

void host_hears_ending(ending /*how*/) {}

}  // namespace qualm
