/* Reads standard input for the given seconds, then prints how many bytes
 * per second arrived and exits (the writer then meets a closed pipe). */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
    double seconds = argc > 1 ? atof(argv[1]) : 2.0;
    static char buffer[1 << 20];
    long long total = 0;
    double start = now(), elapsed = 0;
    while (elapsed < seconds) {
        ssize_t n = read(0, buffer, sizeof buffer);
        if (n <= 0) break;
        total += n;
        elapsed = now() - start;
    }
    printf("%.0f\n", (double)total / elapsed);
    return 0;
}
