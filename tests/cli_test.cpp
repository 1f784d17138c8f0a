// End to end: the built executable, its bytes, its ending, its input.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <thread>

#include "qualm_process.hpp"

namespace {

using namespace std::string_literals;
using qualm_test::at_limit;
using qualm_test::make_file;
using qualm_test::output_target;
using qualm_test::run_file;
using qualm_test::run_qualm;
using qualm_test::run_result;
using qualm_test::run_setup;

const std::string hello = "Hello World!\n";
const std::string syntax_error =
    "Syntax error: A quality control operator is not allowed as the first operator!\n";

std::string bottles(int n) {
    if (n == 0) return "no more bottles";
    return std::to_string(n) + (n == 1 ? " bottle" : " bottles");
}

// The song as the table of its verses reads.
std::string expected_song() {
    std::string song;
    for (int n = 99; n >= 1; --n) {
        song += bottles(n) + " of beer on the wall, " + bottles(n) + " of beer.\n";
        song += "Take one down and pass it around, " + bottles(n - 1) + " of beer.\n\n";
    }
    song += "No more bottles of beer on the wall, no more bottles of beer.\n";
    song += "Go to the store and buy some more, 99 bottles of beer on the wall.\n";
    return song;
}

// Every table row below has a name: gtest prints rows and names the cases by it.
const auto row_name = [](const auto& info) { return std::string(info.param.name); };

std::string repeated(const std::string& piece, std::size_t times) {
    std::string all;
    all.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) all += piece;
    return all;
}

struct normal_run {
    const char* name;
    std::string file;   // the program file's content,
    bool use_file;      // if the program comes from a file at all
    std::string input;  // standard input
    std::string output;
    int status;
    long long consumed;  // bytes of standard input taken
};

// Runs that reach the final key press and exit.
const normal_run normal_runs[] = {
    {"line_qh", "", false, "qh\nx", "qh\n" + hello, 0, 4},
    {"line_case_folded", "", false, "QH\n", "QH\n" + hello, 0, 3},
    {"line_without_newline", "", false, "qh", "qh\n" + hello, 0, 2},
    {"only_first_line_runs", "", false, "h\nq\n", hello, 0, 3},
    {"empty_input", "", false, "", "", 0, 0},
    {"file_keeps_newline", "Q\n", true, "k", "Q\n\n", 0, 1},
    {"file_hq", "Hq\n", true, "", hello + "Hq\n\n", 0, 0},
    {"empty_file", "", true, "xyz", "", 0, 1},
    {"no_commands", "abc xyz", true, "", "", 0, 0},
    {"plus_does_nothing", "h+h", true, "", hello + hello, 0, 0},
    {"unpaired_dash_runs_plain", "hx-h-", true, "", hello + hello, 0, 0},
    {"song", "9", true, "", expected_song(), 0, 0},
    {"song_twice", "9+9", true, "", expected_song() + expected_song(), 0, 0},
    {"quine_exact_bytes", "q\0\x80\xff\r\n"s, true, "", "q\0\x80\xff\r\n\n"s, 0, 0},
    {"syntax_error", "", false, "-h\nxy", syntax_error, 1, 4},
    {"syntax_error_after_dropped_plus", "+x-h", true, "", syntax_error, 1, 0},
};

void PrintTo(const normal_run& row, std::ostream* out) { *out << row.name; }

class normal : public testing::TestWithParam<normal_run> {};

TEST_P(normal, writes_exact_bytes_and_takes_one_key) {
    const normal_run& row = GetParam();
    run_setup setup;
    setup.input = row.input;
    if (row.use_file) setup.args = {make_file(row.name, row.file), "ignored-second-argument"};
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.output, row.output);
    EXPECT_EQ(result.exit_status, row.status);
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.input_consumed, row.consumed);
    EXPECT_EQ(result.errors, "");
}

INSTANTIATE_TEST_SUITE_P(runs, normal, testing::ValuesIn(normal_runs), row_name);

struct abnormal_end {
    const char* name;
    std::string program;
    std::vector<int> ignored_signals;
    std::string output;
    int signal;
};

// Quality-controlled commands end the run: no later command, no key press.
const abnormal_end abnormal_ends[] = {
    {"stream_failure", "h-", {}, "", SIGABRT},
    {"stream_failure_after_hello", "hh-h", {}, hello, SIGABRT},
    {"rethrow_nothing", "++-", {}, "", SIGABRT},
    {"rethrow_after_song", "9++-h", {}, expected_song(), SIGABRT},
    {"division_by_zero", "+-", {}, "", SIGFPE},
    {"division_stops_the_run", "h+-h", {}, hello, SIGFPE},
    {"division_with_sigfpe_ignored", "+-h", {SIGFPE}, "", SIGABRT},
};

void PrintTo(const abnormal_end& row, std::ostream* out) { *out << row.name; }

class abnormal : public testing::TestWithParam<abnormal_end> {};

TEST_P(abnormal, ends_by_signal_without_waiting) {
    const abnormal_end& row = GetParam();
    run_setup setup;
    setup.args = {make_file(row.name, row.program)};
    setup.input = "k";
    setup.ignored_signals = row.ignored_signals;
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.output, row.output);
    EXPECT_EQ(result.signal, row.signal);
    EXPECT_EQ(result.input_consumed, 0);
    EXPECT_FALSE(result.timed_out);
}

INSTANTIATE_TEST_SUITE_P(runs, abnormal, testing::ValuesIn(abnormal_ends), row_name);

// The endless commands: a bounded prefix, which must repeat exactly.
TEST(endless, song_repeats_from_its_first_verse) {
    run_setup setup;
    setup.args = {make_file("endless_song", "h9-h")};
    const std::string song = expected_song();
    setup.read_limit = hello.size() + 3 * song.size();
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.output, hello + repeated(song, 3));
    EXPECT_EQ(result.signal, SIGKILL) << "it was still singing";
}

TEST(endless, echo_runs_for_millions_of_repetitions) {
    run_setup setup;
    setup.input = "Q-\n";
    const std::size_t repetitions = 3'000'000;
    setup.read_limit = repetitions * 3;
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.output, repeated("Q-\n", repetitions));
    EXPECT_EQ(result.signal, SIGKILL) << "it was still echoing";
}

TEST(endless, echo_writes_the_text_as_loaded) {
    run_setup setup;
    const std::string text = "hq-\0\xfe\n"s;
    setup.args = {make_file("echo_exact", text)};
    setup.read_limit = (hello.size() + 1000 * (text.size() + 1));
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.output, hello + repeated(text + "\n", 1000));
}

// Intake from files that have no size to measure, or are not files.
TEST(intake, reads_a_fifo_to_its_end) {
    const std::string path = testing::TempDir() + "program_fifo";
    unlink(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(path) << "hq"; });
    run_setup setup;
    setup.args = {path};
    const run_result result = run_qualm(setup);
    writer.join();
    EXPECT_EQ(result.output, hello + "hq\n");
    EXPECT_EQ(result.exit_status, 0);
}

TEST(intake, reads_a_file_that_reports_size_zero) {
    // It holds the program's own name.
    const run_result result = run_file("/proc/self/comm");
    EXPECT_EQ(result.output, "qualm\n\n");
}

TEST(intake, reads_dev_stdin_as_a_file) {
    const run_result result = run_file("/dev/stdin", "q\nh");
    EXPECT_EQ(result.output, "q\nh\n" + hello);
    EXPECT_EQ(result.exit_status, 0);
}

TEST(intake, falls_back_to_standard_input_silently) {
    for (const std::string& path : {testing::TempDir(), "/nonexistent/program"s}) {
        const run_result result = run_file(path, "h\nk");
        EXPECT_EQ(result.output, hello) << path;
        EXPECT_EQ(result.errors, "") << path;
        EXPECT_EQ(result.input_consumed, 3) << path;
    }
}

// Output that cannot be written is never reported as success.
struct output_failure {
    const char* name;
    std::string program;
    output_target output;
    std::string reason;
};

const output_failure output_failures[] = {
    {"closed_hello", "h", output_target::closed, "Bad file descriptor"},
    {"full_hello", "h", output_target::full_device, "No space left on device"},
    {"full_syntax_error", "-", output_target::full_device, "No space left on device"},
    {"full_endless_song", "9-", output_target::full_device, "No space left on device"},
    {"full_endless_echo", "q-", output_target::full_device, "No space left on device"},
    {"closed_endless_echo", "q-", output_target::closed, "Bad file descriptor"},
};

void PrintTo(const output_failure& row, std::ostream* out) { *out << row.name; }

class unwritable : public testing::TestWithParam<output_failure> {};

TEST_P(unwritable, reports_on_standard_error_and_fails) {
    const output_failure& row = GetParam();
    run_setup setup;
    setup.args = {make_file(row.name, row.program)};
    setup.output = row.output;
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_FALSE(result.timed_out);
    EXPECT_EQ(result.errors, "qualm: cannot write standard output: " + row.reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(runs, unwritable, testing::ValuesIn(output_failures), row_name);

TEST(unwritable, nothing_to_write_is_success) {
    run_setup setup;
    setup.args = {make_file("nothing_to_write", "+")};
    setup.output = output_target::closed;
    EXPECT_EQ(run_qualm(setup).exit_status, 0);
}

TEST(broken_pipe, ends_by_sigpipe_by_default) {
    run_setup setup;
    setup.args = {make_file("pipe_song", "9-")};
    setup.read_limit = 100;
    setup.then = at_limit::close_reader;
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.signal, SIGPIPE);
    EXPECT_EQ(result.errors, "");
}

TEST(broken_pipe, reports_when_sigpipe_is_ignored) {
    run_setup setup;
    setup.args = {make_file("pipe_echo", "q-")};
    setup.read_limit = 100;
    setup.then = at_limit::close_reader;
    setup.ignored_signals = {SIGPIPE};
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.errors, "qualm: cannot write standard output: Broken pipe\n");
}

TEST(standard_input, closed_reads_as_empty) {
    run_setup setup;
    setup.input_closed = true;
    EXPECT_EQ(run_qualm(setup).exit_status, 0);
    setup.args = {make_file("stdin_closed", "h")};
    const run_result result = run_qualm(setup);
    EXPECT_EQ(result.output, hello);
    EXPECT_EQ(result.exit_status, 0);
}

}  // namespace
