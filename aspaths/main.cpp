// aspaths: reads route records, one per line, and writes the AS path of each
// as a line of AS numbers, prepending collapsed, cut at the first "[".
//
// Every line made is written before aspaths next waits for input, so a reader
// downstream sees each path as soon as its record is in; the lines made from
// one block of input go out together in one write.
#include <vector>

#include "extract.h"
#include "io.h"

int main()
{
    std::vector<char> out(1 << 20);
    std::size_t used = 0;
    auto flush = [&] {
        if (used == 0)
            return;
        writeOut("aspaths", out.data(), used);
        used = 0;
    };
    auto onLine = [&](const char *begin, const char *end) {
        const std::size_t room = pathLineRoom(end - begin);
        if (out.size() - used < room) {
            flush();
            if (out.size() < room)
                out.resize(room);
        }
        used = writePathLine(out.data() + used, {begin, std::size_t(end - begin)}) - out.data();
    };
    int err = forEachLine(STDIN_FILENO, onLine, flush);
    flush();
    if (err != 0)
        ioFailure("aspaths", "read", err);
    return 0;
}
