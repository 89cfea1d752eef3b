// The path lines aspaths has made and not yet written.
#ifndef OUTPUT_H
#define OUTPUT_H

#include <cstddef>
#include <vector>

#include "io.h"

struct PathOutput {
    std::vector<char> buf = std::vector<char>(1 << 20);
    std::size_t used = 0; // bytes of buf that hold lines
};

// Writes the lines held in OUT; a failure ends the program.
inline void flushPaths(PathOutput &out)
{
    if (out.used == 0)
        return;
    writeOut(out.buf.data(), out.used);
    out.used = 0;
}

// Returns where the next line goes, with room for N characters after it:
// the lines held are written first if the room is not there.
inline char *roomFor(PathOutput &out, std::size_t n)
{
    if (out.buf.size() - out.used < n) {
        flushPaths(out);
        if (out.buf.size() < n)
            out.buf.resize(n);
    }
    return out.buf.data() + out.used;
}

#endif
