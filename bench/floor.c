/* The benchmark's floor: the least a single-threaded walk can do for the
 * job zorvane-find does. open + getdents64 with a 64 KiB buffer, one pass
 * per directory, no stat, an ASCII case-insensitive suffix compare, hidden
 * directories skipped, matching paths written through a 64 KiB buffer.
 * Usage: floor ROOT SUFFIX   (e.g. floor /tmp/tree .pas) */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#define BUFFER_SIZE (64 * 1024)
#define MAX_DEPTH 512

static char path[8192];
static char out[BUFFER_SIZE];
static size_t outFilled;
static const char *suffix;
static size_t suffixLength;
static char *buffers[MAX_DEPTH];

static void flushOut(void)
{
    size_t done = 0;
    while (done < outFilled) {
        ssize_t n = write(1, out + done, outFilled - done);
        if (n <= 0) {
            perror("floor: write");
            exit(1);
        }
        done += (size_t)n;
    }
    outFilled = 0;
}

static void emit(size_t length)
{
    if (outFilled + length + 1 > BUFFER_SIZE)
        flushOut();
    memcpy(out + outFilled, path, length);
    out[outFilled + length] = '\n';
    outFilled += length + 1;
}

static int endsWith(const char *name, size_t length)
{
    if (length < suffixLength)
        return 0;
    const char *tail = name + length - suffixLength;
    for (size_t i = 0; i < suffixLength; ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        if (c != suffix[i])
            return 0;
    }
    return 1;
}

/* `path` holds the directory, `length` bytes, ending in '/'. */
static void walk(size_t length, int depth)
{
    if (depth >= MAX_DEPTH)
        return;
    int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (!buffers[depth] && !(buffers[depth] = malloc(BUFFER_SIZE))) {
        perror("floor");
        exit(1);
    }
    char *buffer = buffers[depth];
    ssize_t got;
    while ((got = getdents64(fd, buffer, BUFFER_SIZE)) > 0) {
        for (ssize_t at = 0; at < got;) {
            const struct dirent64 *entry = (const struct dirent64 *)(buffer + at);
            at += entry->d_reclen;
            const char *name = entry->d_name;
            size_t nameLength = strlen(name);
            if (length + nameLength + 2 > sizeof path)
                continue;
            if (entry->d_type == DT_DIR) {
                if (name[0] == '.')
                    continue; /* ".", ".." and hidden directories */
                memcpy(path + length, name, nameLength);
                path[length + nameLength] = '/';
                path[length + nameLength + 1] = '\0';
                walk(length + nameLength + 1, depth + 1);
            } else if (endsWith(name, nameLength)) {
                memcpy(path + length, name, nameLength);
                emit(length + nameLength);
            }
        }
    }
    close(fd);
    path[length] = '\0';
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fputs("usage: floor ROOT SUFFIX\n", stderr);
        return 2;
    }
    suffix = argv[2];
    suffixLength = strlen(suffix);
    size_t length = strlen(argv[1]);
    if (length + 2 > sizeof path)
        return 2;
    memcpy(path, argv[1], length);
    if (length == 0 || path[length - 1] != '/')
        path[length++] = '/';
    path[length] = '\0';
    walk(length, 0);
    flushOut();
    return 0;
}
