/* make_data SHAPE BYTES: writes test data of the given shape to standard
 * output, from a fixed seed so every run measures the same bytes.
 *   noncommand  random bytes, none of them a command character
 *   commands    only command characters: plain commands and pairs
 *   random      "h", then random bytes of every value  */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static unsigned next(unsigned long long* state) {
    *state ^= *state << 13;
    *state ^= *state >> 7;
    *state ^= *state << 17;
    return (unsigned)(*state >> 32);
}

int main(int argc, char** argv) {
    static const char* tokens[] = {"h",  "q",   "9",    "H", "Q",  "h-", "q-", "9-",
                                   "+-", "++-", "+++-", "+", "++", "h+", "Q9"};
    const long long size = argc == 3 ? atoll(argv[2]) : 0;
    char* data = malloc((size_t)size + 1);
    if (size < 1 || !data) {
        fprintf(stderr, "usage: make_data noncommand|commands|random BYTES\n");
        return 2;
    }
    const int commands = strcmp(argv[1], "commands") == 0, random = strcmp(argv[1], "random") == 0;
    unsigned long long state = 0x9E3779B97F4A7C15ull;
    for (long long i = 0; i < size;) {
        const int c = commands ? 0 : (int)(next(&state) & 0xff);
        if (commands)
            for (const char* t = tokens[next(&state) % 15]; *t && i < size; ++t) data[i++] = *t;
        else if (random || !c || !strchr("+-9HQhq", c))
            data[i++] = (char)c;
    }
    if (random) data[0] = 'h';
    fwrite(data, 1, (size_t)size, stdout);
    return 0;
}
