// Writing to standard output, and what happens when it cannot be done.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "interpreter/interpreter.hpp"

namespace qualm {

namespace {

[[noreturn]] void report_output_failure(int error) {
    std::fprintf(stderr, "qualm: cannot write standard output: %s\n", std::strerror(error));
    std::exit(EXIT_FAILURE);
}

}  // namespace

void write_out(std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        report_output_failure(errno != 0 ? errno : EIO);
    }
}

}  // namespace qualm
