// Every program in examples/ against the output and ending written beside it.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "qualm_process.hpp"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "missing " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `.end` holds "exit N", "signal NAME" or "repeats" (the output repeats
// without end; the run is stopped after three rounds).
void check_example(const fs::path& program) {
    SCOPED_TRACE(program.filename().string());
    const std::string expected = slurp(fs::path(program).replace_extension(".out"));
    std::string how, detail;
    std::ifstream(fs::path(program).replace_extension(".end")) >> how >> detail;

    qualm_test::run_setup setup;
    setup.args = {program.string()};
    setup.input = "\n";
    if (how == "repeats") setup.read_limit = 3 * expected.size();
    const qualm_test::run_result result = qualm_test::run_qualm(setup);

    const std::map<std::string, int> signals = {
        {"SIGABRT", SIGABRT}, {"SIGFPE", SIGFPE}, {"SIGKILL", SIGKILL}};
    if (how == "repeats") {
        EXPECT_EQ(result.output, expected + expected + expected);
        EXPECT_EQ(result.signal, SIGKILL) << "it should still have been running";
    } else if (how == "exit") {
        EXPECT_EQ(result.output, expected);
        EXPECT_EQ(result.exit_status, std::stoi(detail));
    } else if (how == "signal") {
        EXPECT_EQ(result.output, expected);
        EXPECT_EQ(result.signal, signals.at(detail));
    } else {
        ADD_FAILURE() << "unknown ending '" << how << "'";
    }
}

TEST(examples, each_runs_as_documented) {
    int checked = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(QUALM_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".qlm") continue;
        check_example(entry.path());
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

}  // namespace
