// Bad input and hostile surroundings: each has a defined result.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <string>

#include "qualm_process.hpp"

namespace {

using qualm_test::make_file;
using qualm_test::run_file;
using qualm_test::run_qualm;
using qualm_test::run_result;
using qualm_test::run_setup;

const std::string hello = "Hello World!\n";

std::string every_byte_descending() {
    std::string bytes;
    for (int b = 255; b >= 0; --b) bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST(hostile_input, dev_null_is_an_empty_program) {
    const run_result result = run_file("/dev/null", "kk");
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.input_consumed, 1);
}

// Every byte value from 0xFF down to 0: q, h, Q, H and 9 run in that
// order, then the `-` at 0x2D finds nothing pending and pairing stops.
TEST(hostile_input, every_byte_value_is_kept_and_only_commands_run) {
    const std::string text = every_byte_descending();
    const run_result song = run_file(make_file("song_only", "9"));
    const run_result result = run_file(make_file("every_byte", text));
    EXPECT_EQ(result.output, text + "\n" + hello + text + "\n" + hello + song.output);
    EXPECT_EQ(result.exit_status, 0);
}

TEST(hostile_input, large_program_file_is_read_whole) {
    std::string text(64 << 20, '\x80');
    text.front() = 'q';
    text.back() = 'h';
    const run_result result = run_file(make_file("large", text));
    EXPECT_EQ(result.exit_status, 0);
    ASSERT_EQ(result.output.size(), text.size() + 1 + hello.size());
    EXPECT_TRUE(result.output == text + "\n" + hello);
}

TEST(hostile_input, unreadable_file_falls_back_to_standard_input) {
    const std::string path = make_file("unreadable", "q");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    run_setup setup;
    setup.args = {path};
    setup.input = "h\n";
    setup.unprivileged = true;
    const run_result result = run_qualm(setup);
    if (result.exit_status == 126 || result.exit_status == 127) {
        GTEST_SKIP() << "the executable cannot be run without privileges here";
    }
    EXPECT_EQ(result.output, hello);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(result.exit_status, 0);
}

}  // namespace
