/* make_data SHAPE BYTES: writes test data of the given shape to standard
 * output, from a fixed seed so every run measures the same bytes.
 *   noncommand  random bytes, none of them a command character
 *   commands    only command characters: plain commands and pairs
 *   random      "h", then random bytes of every value
 *   final_h     noncommand bytes, the last one replaced by "h"  */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static unsigned long long state = 0x9E3779B97F4A7C15ull;
static unsigned next(void) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return (unsigned)(state >> 32);
}

static int is_command(int c) { return c && strchr("+-9HQhq", c) != NULL; }

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make_data SHAPE BYTES\n");
        return 2;
    }
    const char* shape = argv[1];
    long long size = atoll(argv[2]);
    static const char* tokens[] = {"h",  "q",   "9",    "H", "Q",  "h-", "q-", "9-",
                                   "+-", "++-", "+++-", "+", "++", "h+", "Q9"};
    char* data = malloc((size_t)size);
    long long i = 0;
    if (strcmp(shape, "commands") == 0) {
        while (i < size) {
            const char* t = tokens[next() % (sizeof tokens / sizeof *tokens)];
            for (; *t && i < size; ++t) data[i++] = *t;
        }
    } else if (strcmp(shape, "random") == 0) {
        data[i++] = 'h';
        while (i < size) data[i++] = (char)next();
    } else {
        while (i < size) {
            int c = (int)(next() & 0xff);
            if (!is_command(c)) data[i++] = (char)c;
        }
        if (strcmp(shape, "final_h") == 0) data[size - 1] = 'h';
    }
    fwrite(data, 1, (size_t)size, stdout);
    return 0;
}
