// The MRT decoder on records of any content: the input is cut into records
// by their headers, as a dump is, and each is decoded. Nothing may be read
// outside a record, and every line made must be a path line: numbers of at
// most 2147483647, one blank apart, no number twice in a row.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "mrt.h"

const char *programName = "fuzz_mrt";

namespace {

// Aborts unless [P, END) is whole path lines.
void checkLines(const char *p, const char *end)
{
    while (p != end) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', end - p));
        if (nl == nullptr)
            std::abort(); // a line without its end
        std::uint64_t last = ~0ull;
        for (const char *token = p; token != nl;) {
            const char *stop = token;
            std::uint64_t value = 0;
            while (stop != nl && *stop >= '0' && *stop <= '9' && value <= 2147483647u)
                value = value * 10 + (*stop++ - '0');
            if (stop == token || value > 2147483647u || (*token == '0' && stop - token > 1) || value == last)
                std::abort(); // not a number, too large, leading zeros, a repeat
            last = value;
            if (stop != nl && (*stop != ' ' || stop + 1 == nl))
                std::abort(); // not one blank between two numbers
            token = stop == nl ? nl : stop + 1;
        }
        p = nl + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const bool quiet = dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO) >= 0;
    (void)quiet;
    MRTState state;
    PathOutput out;
    for (std::size_t at = 0; size - at >= mrtHeader;) {
        const std::uint64_t length = std::uint64_t(data[at + 8]) << 24 | data[at + 9] << 16 |
                                     data[at + 10] << 8 | data[at + 11];
        if (length > size - at - mrtHeader)
            break;
        // The record alone in a buffer of its own size: reading past it is caught.
        std::uint8_t *record = static_cast<std::uint8_t *>(std::malloc(mrtHeader + length));
        std::memcpy(record, data + at, mrtHeader + length);
        const std::size_t before = out.used;
        const bool sound = recordPaths(state, record, mrtHeader + length, out);
        std::free(record);
        if (!sound && out.used != before)
            std::abort(); // a malformed record must write nothing
        if (out.used >= before)
            checkLines(out.buf.data() + before, out.buf.data() + out.used);
        out.used = 0;
        at += mrtHeader + length;
    }
    return 0;
}
