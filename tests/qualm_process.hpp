// Runs the built interpreter as a child process, with its standard streams
// and signal dispositions set up as a test asks, and reports what it did.
#ifndef QUALM_TESTS_QUALM_PROCESS_HPP
#define QUALM_TESTS_QUALM_PROCESS_HPP

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace qualm_test {

enum class output_target { pipe, closed, full_device };
enum class at_limit { kill, close_reader };

struct run_setup {
    std::vector<std::string> args;  // after the program name
    std::string input;              // standard input, served from a regular file
    bool input_closed = false;
    output_target output = output_target::pipe;
    std::size_t read_limit = std::numeric_limits<std::size_t>::max();
    at_limit then = at_limit::kill;  // what happens once read_limit bytes are in
    std::vector<int> ignored_signals;
    bool unprivileged = false;  // when run as root, drop to nobody first
};

struct run_result {
    std::string output;      // standard output, up to the read limit
    std::string errors;      // standard error
    int exit_status = -1;    // set when the process exited
    int signal = 0;          // set when a signal ended it
    long long input_consumed = -1;
    bool timed_out = false;  // it had to be killed after the deadline
};

// Every run is bounded: a process still going after 30 seconds is killed.
run_result run_qualm(const run_setup& setup);

// The program in the file at `path`, with `input` on standard input.
run_result run_file(const std::string& path, const std::string& input = "");

// A file in the test's temporary folder holding `content`; returns its path.
std::string make_file(std::string_view name, std::string_view content);

}  // namespace qualm_test

#endif
