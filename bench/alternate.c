/* alternate RUNS IN COMMAND-A... -- COMMAND-B...: runs the two commands in
 * turn, RUNS times each, with standard input from IN and standard output
 * to /dev/null, so that both meet the same moments of a shared machine.
 * Prints the median of the rounds' ratios A/B of wall time and of CPU time
 * (user and system), then, for scale, the median wall and CPU times in
 * seconds and the largest peak resident memory in KiB, of A and then B:
 *   wall-ratio cpu-ratio wall-A wall-B cpu-A cpu-B memory-A memory-B
 * Exits 1 if any run failed. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double seconds(struct timeval t) { return (double)t.tv_sec + (double)t.tv_usec / 1e6; }

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

/* Runs the command once; false if it could not start or did not exit 0. */
static int run(char** argv, const char* in, double* wall, double* cpu, long* memory) {
    double start = now();
    pid_t child = fork();
    if (child == 0) {
        int input = open(in, O_RDONLY), output = open("/dev/null", O_WRONLY);
        if (input < 0 || output < 0) _exit(127);
        dup2(input, 0);
        dup2(output, 1);
        execvp(argv[0], argv);
        _exit(127);
    }
    int status;
    struct rusage usage;
    if (child < 0 || wait4(child, &status, 0, &usage) < 0) return 0;
    *wall = now() - start;
    *cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    if (usage.ru_maxrss > *memory) *memory = usage.ru_maxrss;
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
    int split = 3;
    while (split < argc && strcmp(argv[split], "--") != 0) split++;
    int runs = argc > 1 ? atoi(argv[1]) : 0;
    if (argc < 6 || runs < 1 || split == 3 || split >= argc - 1) {
        fprintf(stderr, "usage: alternate RUNS IN COMMAND-A... -- COMMAND-B...\n");
        return 2;
    }
    argv[split] = NULL;
    char** commands[2] = {argv + 3, argv + split + 1};
    /* the times of A and of B; the rounds' ratios A/B of wall and of CPU time */
    double *wall[2], *cpu[2], *ratio[2];
    long memory[2] = {0, 0};
    for (int c = 0; c < 2; c++) {
        wall[c] = calloc((size_t)runs, sizeof(double));
        cpu[c] = calloc((size_t)runs, sizeof(double));
        ratio[c] = calloc((size_t)runs, sizeof(double));
    }
    for (int i = 0; i < runs; i++) {
        for (int c = 0; c < 2; c++) {
            if (!run(commands[c], argv[2], &wall[c][i], &cpu[c][i], &memory[c])) {
                fprintf(stderr, "alternate: %s failed\n", commands[c][0]);
                return 1;
            }
        }
        ratio[0][i] = wall[0][i] / wall[1][i];
        ratio[1][i] = cpu[0][i] / cpu[1][i];
    }
    printf("%.3g %.3g %.6f %.6f %.6f %.6f %ld %ld\n", median(ratio[0], runs),
           median(ratio[1], runs), median(wall[0], runs), median(wall[1], runs),
           median(cpu[0], runs), median(cpu[1], runs), memory[0], memory[1]);
    return 0;
}
