// Writing to standard output, and the ends of a run that qualm reports on
// standard error: output that cannot be written, memory that runs out.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

// One line on standard error, then status 1.
[[noreturn]] void exit_reporting(const char* what, const char* reason = "") {
    std::fprintf(stderr, "qualm: %s%s\n", what, reason);
    std::exit(EXIT_FAILURE);
}

}  // namespace

void report_out_of_memory() {
    host_hears_ending(ending::out_of_memory);
    exit_reporting("out of memory");
}

void write_out(std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        host_hears_ending(ending::cannot_write);
        exit_reporting("cannot write standard output: ", std::strerror(errno != 0 ? errno : EIO));
    }
}

}  // namespace qualm
