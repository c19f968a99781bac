/* Adler-32 style checksum over standard input, written in plain C. */
#include <stdio.h>
#include <string.h>

#define MOD_ADLER 65521u
#define BLOCK 5552

typedef unsigned long checksum_t;

static checksum_t update(checksum_t sum, const unsigned char *data, size_t len)
{
    unsigned long a = sum & 0xffff, b = (sum >> 16) & 0xffff;
    while (len > 0) {
        size_t n = len < BLOCK ? len : BLOCK;
        len -= n;
        while (n--) {
            a += *data++;
            b += a;
        }
        a %= MOD_ADLER;
        b %= MOD_ADLER;
    }
    return (b << 16) | a;
}

int main(void)
{
    unsigned char buffer[4096];
    checksum_t sum = 1;
    size_t got;
    double kib = 0.0;
    while ((got = fread(buffer, 1, sizeof buffer, stdin)) != 0) {
        sum = update(sum, buffer, got);
        kib += got / 1024.;
    }
    if (ferror(stdin)) {
        fputs("read error\n", stderr);
        return 2;
    }
    printf("%08lx  %.1f KiB\n", sum, kib);
    return 0;
}
