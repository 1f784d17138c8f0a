/* read_whole FILE: reads the file into one fresh buffer and does nothing
 * else: the floor for any run that must hold a program text in memory. */
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv) {
    if (argc != 2) return 2;
    FILE *f = fopen(argv[1], "r");
    if (!f) return 1;
    fseek(f, 0, SEEK_END);
    long size = ftell(f);
    fseek(f, 0, SEEK_SET);
    char *text = malloc((size_t)size + 1);
    size_t got = fread(text, 1, (size_t)size + 1, f);
    fclose(f);
    return got == (size_t)size && text[got / 2] != 0x7f ? 0 : 0;
}
