/* The peer of `tarsiltext --utf8 l2v --rtl`: reads UTF-8 lines from standard
 * input, reorders each as a right-to-left paragraph with GNU FriBidi and
 * writes it in UTF-8, one line out per line in.  Buffers grow as needed and
 * are kept from line to line, and output goes through stdio's buffer, so
 * that the measurement is of FriBidi and not of this program. */
#include <fribidi.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/types.h>

static void* Grow(void* p, size_t bytes) {
    void* q = realloc(p, bytes);
    if (q == NULL) {
        fputs("fribidi_lines: out of memory\n", stderr);
        exit(1);
    }
    return q;
}

int main(void) {
    char* line = NULL;
    size_t lineCapacity = 0;
    FriBidiChar* logical = NULL;
    FriBidiChar* visual = NULL;
    char* out = NULL;
    size_t capacity = 0; /* characters that logical and visual hold */
    ssize_t read;
    while ((read = getline(&line, &lineCapacity, stdin)) != -1) {
        size_t bytes = (size_t)read;
        if (bytes > 0 && line[bytes - 1] == '\n') --bytes;
        if (bytes + 1 > capacity) {
            capacity = 2 * (bytes + 1);
            logical = Grow(logical, capacity * sizeof *logical);
            visual = Grow(visual, capacity * sizeof *visual);
            out = Grow(out, capacity * 4 + 2);
        }
        const FriBidiStrIndex n =
            fribidi_charset_to_unicode(FRIBIDI_CHAR_SET_UTF8, line, (FriBidiStrIndex)bytes, logical);
        FriBidiParType direction = FRIBIDI_PAR_RTL;
        if (n > 0 && !fribidi_log2vis(logical, n, &direction, visual, NULL, NULL, NULL)) {
            fputs("fribidi_lines: fribidi_log2vis failed\n", stderr);
            return 1;
        }
        FriBidiStrIndex length = fribidi_unicode_to_charset(FRIBIDI_CHAR_SET_UTF8, visual, n, out);
        out[length++] = '\n';
        fwrite(out, 1, (size_t)length, stdout);
    }
    free(line);
    free(logical);
    free(visual);
    free(out);
    return fflush(stdout) == 0 ? 0 : 1;
}
