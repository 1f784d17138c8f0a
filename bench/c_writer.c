/* The baselines: minimal C programs doing what qualm does and nothing more.
 *   c_writer song N        N songs, 199 writes each (N = 0: without end)
 *   c_writer stdio-song N  the same through unbuffered stdio, one fwrite a piece
 *   c_writer echo FILE     the file's bytes and "\n" in one write, without end
 *   c_writer read FILE     reads the file into one fresh buffer and looks at
 *                          each byte once, for an "h", then exits:
 *                          the floor for a run that holds a program in memory
 *   c_writer hello         writes "Hello World!\n" and reads one character:
 *                          the floor for starting up
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int through_stdio;

static void write_piece(const char* p, size_t n) {
    if (through_stdio) {
        if (fwrite(p, 1, n, stdout) != n) exit(1);
        return;
    }
    while (n > 0) {
        ssize_t w = write(1, p, n);
        if (w <= 0) exit(1);
        p += w;
        n -= (size_t)w;
    }
}

static char song[16384];
static size_t piece_end[200];

static void compose_song(void) {
    size_t len = 0, pieces = 0;
    for (int n = 99; n >= 1; --n) {
        char left[32];
        if (n == 1)
            strcpy(left, "no more bottles");
        else
            snprintf(left, sizeof left, "%d bottle%s", n - 1, n - 1 == 1 ? "" : "s");
        len += (size_t)sprintf(song + len,
                               "%d bottle%s of beer on the wall, %d bottle%s of beer.\n"
                               "Take one down and pass it around, %s of beer.\n",
                               n, n == 1 ? "" : "s", n, n == 1 ? "" : "s", left);
        piece_end[pieces++] = len;
        song[len++] = '\n';
        piece_end[pieces++] = len;
    }
    len += (size_t)sprintf(song + len,
                           "No more bottles of beer on the wall, no more bottles of beer.\n"
                           "Go to the store and buy some more, 99 bottles of beer on the wall.\n");
    piece_end[pieces++] = len;
}

/* The whole file in a fresh buffer with a byte to spare; exits if unreadable. */
static char* load_file(const char* path, size_t* size) {
    FILE* f = fopen(path, "rb");
    if (!f) exit(1);
    fseek(f, 0, SEEK_END);
    *size = (size_t)ftell(f);
    fseek(f, 0, SEEK_SET);
    char* text = malloc(*size + 1);
    if (!text || fread(text, 1, *size, f) != *size) exit(1);
    fclose(f);
    return text;
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "stdio-song") == 0) {
        through_stdio = 1;
        setvbuf(stdout, NULL, _IONBF, 0);
        argv[1] = "song";
    }
    if (argc == 3 && strcmp(argv[1], "song") == 0) {
        long songs = atol(argv[2]);
        compose_song();
        for (long s = 0; songs == 0 || s < songs; ++s) {
            size_t start = 0;
            for (int i = 0; i < 199; ++i) {
                write_piece(song + start, piece_end[i] - start);
                start = piece_end[i];
            }
        }
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "echo") == 0) {
        size_t size;
        char* line = load_file(argv[2], &size);
        line[size] = '\n';
        for (;;) write_piece(line, size + 1);
    }
    if (argc == 3 && strcmp(argv[1], "read") == 0) {
        size_t size;
        char* text = load_file(argv[2], &size);
        /* Any reader of a program looks at every byte of it: on some virtual
         * machines the first look at a page the kernel filled is the dear part. */
        const int found = memchr(text, 'h', size) != NULL;
        free(text);
        return !found;
    }
    if (argc == 2 && strcmp(argv[1], "hello") == 0) {
        fputs("Hello World!\n", stdout);
        getchar();
        return 0;
    }
    fprintf(stderr,
            "usage: c_writer song|stdio-song N | c_writer echo|read FILE | c_writer hello\n");
    return 2;
}
