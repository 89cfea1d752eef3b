// Block input split into lines, and output that is checked.
#ifndef IO_H
#define IO_H

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <unistd.h>

#include "input.h"

// Reads IN to its end and calls ON_LINE(BEGIN, END) for every line, the
// newline not included; a last line without a newline is still a line.
// A line longer than the buffer grows the buffer, so lines of any length
// are whole when ON_LINE sees them. BEFORE_READ() is called before every
// read, which may block. Returns true at the end of input, false if reading
// failed (IN.error says why); an unfinished last line is then dropped.
template <class OnLine, class BeforeRead>
bool forEachLine(Input &in, OnLine &&onLine, BeforeRead &&beforeRead)
{
    std::vector<char> buf(readBlock);
    std::size_t kept = 0; // bytes of an unfinished line at the front of buf
    for (;;) {
        if (kept == buf.size())
            buf.resize(buf.size() * 2);
        beforeRead();
        const ssize_t n = readInput(in, buf.data() + kept, buf.size() - kept);
        if (n < 0)
            return false;
        const char *p = buf.data();
        if (n == 0) {
            if (kept != 0)
                onLine(p, p + kept);
            return true;
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

// The name of the running program, for its messages.
extern const char *programName;

// Ends the program after a failed write with errno ERR: one line on standard
// error and exit status 1. A reader that went away (EPIPE, when SIGPIPE is
// ignored) ends it quietly, like SIGPIPE would.
[[noreturn]] inline void writeFailure(int err)
{
    if (err != EPIPE)
        std::fprintf(stderr, "%s: write error: %s\n", programName, std::strerror(err));
    std::exit(1);
}

// Writes [P, P + N) to standard output; a failure ends the program.
inline void writeOut(const char *p, std::size_t n)
{
    if (int err = writeAll(STDOUT_FILENO, p, n))
        writeFailure(err);
}

// Says on standard error that the input IN failed, and why.
inline void inputFailure(const Input &in)
{
    std::fprintf(stderr, "%s: %s: %s\n", programName, in.name.c_str(), in.error.c_str());
}

#endif
