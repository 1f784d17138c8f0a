// The quality-control pass, table-driven.
#include <gtest/gtest.h>

#include <string>

#include "quality_control/quality_control.hpp"

namespace {

using namespace std::string_literals;

struct pass_case {
    std::string text;
    std::string commands;  // what the pass leaves
};

// Every row must pass and leave exactly `commands`.
const pass_case accepted[] = {
    {"", ""},
    {"h", "h"},
    {"H", "h"},
    {"q9h+", "q9h+"},
    {"qh+9", "qh9"},
    {"Hq-Q", "h@q"},
    // each command paired with the `-` right after it
    {"h-", "#"}, {"q-", "@"}, {"9-", "?"}, {"+-", "0"}, {"++-", "v"},
    {"H-", "#"}, {"Q-", "@"},
    // runs of pluses: a third `+` drops the pending `++`
    {"+++-", "0"}, {"++++-", "v"}, {"+++++-", "0"}, {"++", "++"}, {"+", "+"},
    {"+h", "h"}, {"h+", "h+"}, {"+ +-", "0"}, {"h++ -", "h-"},
    // anything between a command and `-` settles the command first
    {"9-9", "?9"}, {"h h-", "h#"}, {"h\n-", "h-"}, {"h\0-"s, "h-"},
    // a `-` with nothing to pair switches pairing off for the rest
    {"h--h", "#-h"}, {"hx-q-", "h-q-"}, {"hx-h-", "h-h-"},
    {"h--H+-X9", "#-h+-9"}, {"h -++-", "h-++-"},
    // only A to Z fold; other bytes, 0x80 and up included, are dropped
    {"h\xC8\xD1\xE8\xF1-h"s, "h-h"}, {"h\xAD", "h"}, {"\0h\0q\0"s, "hq"},
    {"#@?0v", ""}, {"abc xyz", ""},
    // line ends: text mode may leave CR bytes, which just settle commands
    {"hq\r\n", "hq"}, {"h\r-", "h-"},
};

TEST(quality_control_pass, turns_text_into_command_string) {
    for (const pass_case& row : accepted) {
        std::string commands = "left over";
        testing::internal::CaptureStdout();
        const bool ok = qualm::apply_quality_control(row.text, commands);
        const std::string written = testing::internal::GetCapturedStdout();
        EXPECT_TRUE(ok) << testing::PrintToString(row.text);
        EXPECT_EQ(commands, row.commands) << testing::PrintToString(row.text);
        EXPECT_EQ(written, "") << testing::PrintToString(row.text);
    }
}

// Rejected: a `-` met while nothing has been produced and nothing is pending.
// (The interpreter writes the syntax error: see the end-to-end tests.)
const std::string rejected[] = {
    "-", "-h", "x-", "+x-", "+ -", "\0-"s, "++x-", "\xC8-", "   -9hq",
};

TEST(quality_control_pass, rejects_operator_before_any_command) {
    for (const std::string& text : rejected) {
        std::string commands = "left over";
        testing::internal::CaptureStdout();
        const bool ok = qualm::apply_quality_control(text, commands);
        const std::string written = testing::internal::GetCapturedStdout();
        EXPECT_FALSE(ok) << testing::PrintToString(text);
        EXPECT_EQ(commands, "") << testing::PrintToString(text);
        EXPECT_EQ(written, "") << testing::PrintToString(text);
    }
}

TEST(quality_control_pass, handles_texts_far_longer_than_any_pending_run) {
    std::string text(1 << 20, 'x');
    text.front() = 'H';
    text[1] = '-';
    text.back() = 'Q';
    std::string commands;
    ASSERT_TRUE(qualm::apply_quality_control(text, commands));
    EXPECT_EQ(commands, "#q");

    const std::string tail = "h-" + std::string(1 << 20, '-');
    ASSERT_TRUE(qualm::apply_quality_control(tail, commands));
    EXPECT_EQ(commands, "#" + std::string(1 << 20, '-'));
}

}  // namespace
