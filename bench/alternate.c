/* alternate ROUNDS IN HOW COMMAND-A... -- COMMAND-B...: the benchmark's one
 * way of measuring. Runs the two commands in turn, ROUNDS times each, with
 * standard input from IN, so that both meet the same moments of a shared
 * machine. Prints the median of the rounds' ratios A/B of their figures and
 * of their CPU times (user and system), then, for scale, the medians of A's
 * and B's figures and CPU times, and A's largest peak resident memory in KiB.
 * HOW says where standard output goes, and what the figure is:
 *   null  to /dev/null; the wall time in seconds
 *   pipe  into a pipe that this program empties; the wall time
 *   rate  into that pipe; the bytes per second it carries in one second,
 *         after which the command is killed
 *   own   for A, into that pipe, and the first number A writes there;
 *         for B, as null
 * Exits 1 if a command fails (or, measured by its rate, ends by itself). */
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { to_null, to_pipe, rate, own, max_rounds = 1000 };

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

/* Runs the command once: its figure, CPU time and peak memory; false if it failed. */
static int run(char** argv, const char* in, int how, double* figure, double* cpu, long* memory) {
    static char buffer[1 << 20];
    char head[32] = "";
    long long total = 0;
    int ends[2], status;
    if (pipe(ends) < 0) return 0;
    const double start = now();
    const pid_t child = fork();
    if (child < 0) return 0;
    if (child == 0) {
        int input = open(in, O_RDONLY);
        int output = how == to_null ? open("/dev/null", O_WRONLY) : ends[1];
        if (input < 0 || output < 0 || dup2(input, 0) < 0 || dup2(output, 1) < 0) _exit(127);
        close(ends[0]);
        close(ends[1]);
        execvp(argv[0], argv);
        _exit(127);
    }
    /* Empty the pipe until the command ends or, for a rate, for one second. */
    close(ends[1]);
    ssize_t n;
    while (!(how == rate && now() - start >= 1) && (n = read(ends[0], buffer, sizeof buffer)) > 0) {
        if (total == 0) memcpy(head, buffer, n < 31 ? (size_t)n : 31);
        total += n;
    }
    const double drained = now() - start;
    if (how == rate) kill(child, SIGKILL);
    close(ends[0]);
    struct rusage usage;
    if (wait4(child, &status, 0, &usage) < 0) return 0;
    *figure = how == own    ? strtod(head, NULL)
              : how == rate ? (double)total / drained
                            : now() - start;
    *cpu = (double)(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (double)(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (usage.ru_maxrss > *memory) *memory = usage.ru_maxrss;
    if (how == rate) return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

static int by_value(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double median(double* values, int count) {
    qsort(values, (size_t)count, sizeof *values, by_value);
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

int main(int argc, char** argv) {
    static const char* const hows[] = {"null", "pipe", "rate", "own"};
    int rounds = argc > 3 ? atoi(argv[1]) : 0, how = 0, split = 4;
    while (rounds > 0 && how < 4 && strcmp(argv[3], hows[how]) != 0) how++;
    while (split < argc && strcmp(argv[split], "--") != 0) split++;
    if (rounds < 1 || rounds > max_rounds || how == 4 || split == 4 || split >= argc - 1) {
        fprintf(stderr, "usage: alternate ROUNDS IN null|pipe|rate|own A... -- B...\n");
        return 2;
    }
    argv[split] = NULL;
    char** commands[2] = {argv + 4, argv + split + 1};
    /* Round by round: A's and B's figures, their CPU times, and the ratios A/B of both */
    static double v[6][max_rounds];
    long memory[2] = {0, 0};
    for (int i = 0; i < rounds; i++) {
        for (int c = 0; c < 2; c++) {
            const int its_how = how == own && c == 1 ? to_null : how;
            if (!run(commands[c], argv[2], its_how, &v[c][i], &v[2 + c][i], &memory[c])) {
                fprintf(stderr, "alternate: %s failed\n", commands[c][0]);
                return 1;
            }
        }
        v[4][i] = v[0][i] / v[1][i];
        v[5][i] = v[2][i] / v[3][i];
    }
    for (int k = 0; k < 6; k++) printf(k < 2 ? "%.3g " : "%.4g ", median(v[(k + 4) % 6], rounds));
    printf("%ld\n", memory[0]);
    return 0;
}
