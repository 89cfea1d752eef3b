// aspaths' work on a whole input: lines split from a file descriptor, the
// path field cut and written, against the plain version. Exactly one line
// out per line in.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

#include "extract.h"
#include "io.h"
#include "reference.h"

const char *programName = "fuzz_aspaths";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    const int fd = memfd_create("input", 0);
    if (fd < 0 || writeAll(fd, input.data(), input.size()) != 0 || lseek(fd, 0, SEEK_SET) != 0)
        std::abort();
    std::string got;
    std::size_t lines = 0;
    auto onLine = [&](const char *begin, const char *end) {
        const std::string_view line(begin, end - begin);
        std::vector<char> out(pathLineRoom(line.size()));
        const char *outEnd = writePathLine(out.data(), line);
        if (outEnd == out.data() || outEnd[-1] != '\n' ||
            std::string_view(out.data(), outEnd - out.data() - 1).find('\n') != std::string_view::npos)
            std::abort(); // not exactly one line
        got.append(out.data(), outEnd - out.data());
        ++lines;
    };
    Input in;
    in.fd = fd;
    if (!forEachLine(in, onLine, [] {}))
        std::abort();
    close(fd);

    std::string expected;
    const std::vector<std::string> records = referenceLines(input);
    for (const std::string &record : records)
        expected += referencePathLine(record);
    if (lines != records.size() || got != expected)
        std::abort();
    return 0;
}
