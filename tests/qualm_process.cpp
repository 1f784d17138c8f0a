#include "qualm_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include <gtest/gtest.h>

namespace qualm_test {

namespace {

using clock_type = std::chrono::steady_clock;
constexpr auto deadline_after = std::chrono::seconds(30);

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

int temp_descriptor(std::string_view content) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) fail("tmpfile");
    const int fd = fcntl(fileno(file), F_DUPFD_CLOEXEC, 0);
    std::fclose(file);
    if (fd < 0) fail("dup");
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0) fail("write");
        done += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

std::string read_all(int fd) {
    lseek(fd, 0, SEEK_SET);
    std::string all;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) all.append(buffer, n);
    return all;
}

// In the child: never returns.
[[noreturn]] void start_child(const run_setup& setup, int input_fd, int output_fd,
                              int error_fd) {
    if (setup.input_closed) {
        close(0);
    } else {
        dup2(input_fd, 0);
    }
    if (setup.output == output_target::closed) {
        close(1);
    } else {
        dup2(output_fd, 1);
    }
    dup2(error_fd, 2);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    for (const int sig : setup.ignored_signals) signal(sig, SIG_IGN);
    if (setup.unprivileged && geteuid() == 0) {
        constexpr uid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) {
            _exit(126);
        }
    }

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(QUALM_EXECUTABLE));
    for (const std::string& arg : setup.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(QUALM_EXECUTABLE, argv.data());
    _exit(127);
}

// Reads the child's output until it ends, the limit is reached or the
// deadline passes.
void collect_output(int fd, const run_setup& setup, pid_t child, run_result& result,
                    clock_type::time_point deadline) {
    char buffer[65536];
    while (result.output.size() < setup.read_limit) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - clock_type::now());
        if (left.count() <= 0) {
            result.timed_out = true;
            kill(child, SIGKILL);
            return;
        }
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
        const std::size_t want =
            std::min(sizeof buffer, setup.read_limit - result.output.size());
        const ssize_t n = read(fd, buffer, want);
        if (n <= 0) return;
        result.output.append(buffer, n);
    }
    if (setup.then == at_limit::kill) kill(child, SIGKILL);
}

void await_child(pid_t child, run_result& result, clock_type::time_point deadline) {
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (clock_type::now() > deadline) {
            result.timed_out = true;
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        usleep(1000);
    }
    if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
}

}  // namespace

run_result run_qualm(const run_setup& setup) {
    const int input_fd = temp_descriptor(setup.input);
    const int error_fd = temp_descriptor("");
    int pipe_fds[2] = {-1, -1};
    int output_fd = -1;
    if (setup.output == output_target::pipe) {
        if (pipe2(pipe_fds, O_CLOEXEC) != 0) fail("pipe");
        output_fd = pipe_fds[1];
    } else if (setup.output == output_target::full_device) {
        output_fd = open("/dev/full", O_WRONLY | O_CLOEXEC);
    }

    const auto deadline = clock_type::now() + deadline_after;
    const pid_t child = fork();
    if (child < 0) fail("fork");
    if (child == 0) start_child(setup, input_fd, output_fd, error_fd);

    run_result result;
    if (output_fd >= 0) close(output_fd);
    if (pipe_fds[0] >= 0) {
        collect_output(pipe_fds[0], setup, child, result, deadline);
        close(pipe_fds[0]);
    }
    await_child(child, result, deadline);

    result.input_consumed = lseek(input_fd, 0, SEEK_CUR);
    result.errors = read_all(error_fd);
    close(input_fd);
    close(error_fd);
    return result;
}

run_result run_file(const std::string& path, const std::string& input) {
    run_setup setup;
    setup.args = {path};
    setup.input = input;
    return run_qualm(setup);
}

std::string make_file(std::string_view name, std::string_view content) {
    const std::string path = testing::TempDir() + std::string(name);
    std::ofstream(path, std::ios::binary).write(content.data(), content.size());
    return path;
}

}  // namespace qualm_test
