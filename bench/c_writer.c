/* The baselines: minimal C programs doing what qualm does and nothing more.
 *   c_writer song FILE N        the song in FILE, N times (N = 0: without
 *                               end), in the writes qualm makes: one ends
 *                               after each line that an empty line follows,
 *                               after each empty line, and at the end
 *   c_writer echo FILE          the file's bytes and "\n" in one write,
 *                               without end
 *   c_writer read FILE          reads the file into one fresh buffer and
 *                               looks at each byte once, for an "h": the
 *                               floor for a run that holds a program
 *   c_writer hello              writes "Hello World!\n" and reads one
 *                               character: the floor for starting up
 * and the data that the benchmark runs on, from a fixed seed, so that every
 * run measures the same bytes:
 *   c_writer data SHAPE BYTES   noncommand: random bytes, none a command
 *                               character; commands: only commands and
 *                               pairs; random: "h", then random bytes */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static void write_piece(const char* p, size_t n) {
    if (write(1, p, n) != (ssize_t)n) exit(1);
}

/* The whole file in a fresh buffer with a byte to spare; exits if unreadable. */
static char* load_file(const char* path, size_t* size) {
    FILE* f = fopen(path, "rb");
    if (!f || fseek(f, 0, SEEK_END) != 0) exit(1);
    *size = (size_t)ftell(f);
    rewind(f);
    char* text = malloc(*size + 1);
    if (!text || fread(text, 1, *size, f) != *size) exit(1);
    fclose(f);
    return text;
}

static int sing(const char* path, long songs) {
    size_t size, pieces = 0;
    const char* text = load_file(path, &size);
    size_t* ends = malloc((size + 1) * sizeof *ends);
    for (size_t i = 0; i < size; ++i)
        if (i + 1 == size ||
            (text[i] == '\n' && (text[i + 1] == '\n' || (i > 0 && text[i - 1] == '\n'))))
            ends[pieces++] = i + 1;
    for (long s = 0; songs == 0 || s < songs; ++s)
        for (size_t p = 0, start = 0; p < pieces; start = ends[p++])
            write_piece(text + start, ends[p] - start);
    return 0;
}

static unsigned next(unsigned long long* state) {
    *state ^= *state << 13;
    *state ^= *state >> 7;
    *state ^= *state << 17;
    return (unsigned)(*state >> 32);
}

static int make_data(const char* shape, long long size) {
    static const char* tokens[] = {"h",  "q",   "9",    "H", "Q",  "h-", "q-", "9-",
                                   "+-", "++-", "+++-", "+", "++", "h+", "Q9"};
    char* data = malloc((size_t)size + 1);
    if (size < 1 || !data) return 2;
    const int commands = strcmp(shape, "commands") == 0, random = strcmp(shape, "random") == 0;
    unsigned long long state = 0x9E3779B97F4A7C15ull;
    for (long long i = 0; i < size;) {
        const int c = commands ? 0 : (int)(next(&state) & 0xff);
        if (commands)
            for (const char* t = tokens[next(&state) % 15]; *t && i < size; ++t) data[i++] = *t;
        else if (random || !c || !strchr("+-9HQhq", c))
            data[i++] = (char)c;
    }
    if (random) data[0] = 'h';
    return fwrite(data, 1, (size_t)size, stdout) != (size_t)size;
}

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    if (argc == 4 && strcmp(mode, "data") == 0) return make_data(argv[2], atoll(argv[3]));
    if (argc == 4 && strcmp(mode, "song") == 0) return sing(argv[2], atol(argv[3]));
    size_t size;
    char* text = argc == 3 ? load_file(argv[2], &size) : NULL;
    if (text && strcmp(mode, "echo") == 0) {
        text[size] = '\n';
        for (;;) write_piece(text, size + 1);
    }
    /* Any reader of a program looks at every byte of it: on some virtual
     * machines the first look at a page the kernel filled is the dear part. */
    if (text && strcmp(mode, "read") == 0) return memchr(text, 'h', size) == NULL;
    if (argc == 2 && strcmp(mode, "hello") == 0) {
        fputs("Hello World!\n", stdout);
        getchar();
        return 0;
    }
    fputs("usage: c_writer song FILE N | echo|read FILE | hello | data SHAPE N\n", stderr);
    return 2;
}
