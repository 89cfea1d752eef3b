// Block input split into lines, and output that is checked.
#ifndef IO_H
#define IO_H

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <unistd.h>

// Size of one read(): large enough that system calls cost nothing, small
// enough that a block stays in the cache while it is split and parsed.
constexpr std::size_t readBlock = 256 * 1024;

// Reads FD to its end and calls ON_LINE(BEGIN, END) for every line, the
// newline not included; a last line without a newline is still a line.
// A line longer than the buffer grows the buffer, so lines of any length
// are whole when ON_LINE sees them. BEFORE_READ() is called before every
// read(), which may block. Returns 0 at the end of input, or the errno of
// the read that failed.
template <class OnLine, class BeforeRead>
int forEachLine(int fd, OnLine &&onLine, BeforeRead &&beforeRead)
{
    std::vector<char> buf(readBlock);
    std::size_t kept = 0; // bytes of an unfinished line at the front of buf
    for (;;) {
        if (kept == buf.size())
            buf.resize(buf.size() * 2);
        beforeRead();
        ssize_t n = read(fd, buf.data() + kept, buf.size() - kept);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        const char *p = buf.data();
        if (n == 0) {
            if (kept != 0)
                onLine(p, p + kept);
            return 0;
        }
        const char *end = p + kept + n;
        const char *scan = p + kept; // the kept part holds no newline
        while (const void *hit = std::memchr(scan, '\n', end - scan)) {
            const char *nl = static_cast<const char *>(hit);
            onLine(p, nl);
            p = scan = nl + 1;
        }
        kept = end - p;
        std::memmove(buf.data(), p, kept);
    }
}

// Writes all of [P, P + N) to FD. Returns 0, or the errno of the failure.
inline int writeAll(int fd, const char *p, std::size_t n)
{
    while (n != 0) {
        ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += w;
        n -= w;
    }
    return 0;
}

// Ends the program PROG after a failed read or write (WHAT) with errno ERR:
// one line on standard error and exit status 1. A reader that went away
// (EPIPE, when SIGPIPE is ignored) ends it quietly, like SIGPIPE would.
[[noreturn]] inline void ioFailure(const char *prog, const char *what, int err)
{
    if (err != EPIPE)
        std::fprintf(stderr, "%s: %s error: %s\n", prog, what, std::strerror(err));
    std::exit(1);
}

// Writes [P, P + N) to standard output; a failure ends PROG.
inline void writeOut(const char *prog, const char *p, std::size_t n)
{
    if (int err = writeAll(STDOUT_FILENO, p, n))
        ioFailure(prog, "write", err);
}

#endif
