// The input layer on any bytes: recognising and decompressing them must
// never fail unsafely. And any bytes, gzip'd or bzip2'd by the libraries
// themselves, must come back as they would unpacked: exactly, if they are
// not compressed data themselves, also when split into two members.
#include <bzlib.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "input.h"
#include "io.h"

const char *programName = "fuzz_input";

namespace {

// Everything BYTES give as an input; false if reading failed. DECODERS
// is how many compressions they are found to be wrapped in.
bool readAll(const std::string &bytes, std::string &content, std::size_t &decoders)
{
    const int fd = memfd_create("input", 0);
    if (fd < 0 || writeAll(fd, bytes.data(), bytes.size()) != 0 || lseek(fd, 0, SEEK_SET) != 0)
        std::abort();
    Input in;
    bool ok = openInput(in, "/proc/self/fd/" + std::to_string(fd), true);
    decoders = in.decoders.size();
    char buf[4096];
    for (ssize_t n; ok && (n = readInput(in, buf, sizeof buf)) != 0;) {
        if (n < 0)
            ok = false;
        else
            content.append(buf, n);
    }
    closeInput(in);
    close(fd);
    return ok;
}

std::string gzipped(const std::string &s)
{
    z_stream z{};
    if (deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        std::abort();
    std::string out(deflateBound(&z, s.size()) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(s.data()));
    z.avail_in = uInt(s.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        std::abort();
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string bzipped(const std::string &s)
{
    std::string out(s.size() + s.size() / 100 + 700, '\0');
    unsigned size = unsigned(out.size());
    if (BZ2_bzBuffToBuffCompress(out.data(), &size, const_cast<char *>(s.data()), unsigned(s.size()), 1, 0, 0) != BZ_OK)
        std::abort();
    out.resize(size);
    return out;
}

bool compressedStart(const std::string &s)
{
    return !s.empty() && (s[0] == '\x1f' || s[0] == 'B');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    std::string raw, content;
    std::size_t layers = 0, ignored = 0;
    const bool rawOk = readAll(bytes, raw, layers);
    if (layers <= 1) // wrapped twice more, still within the layers undone
        for (const std::string &packed : {gzipped(bytes), bzipped(bytes), gzipped(bzipped(bytes))}) {
            content.clear();
            const bool ok = readAll(packed, content, ignored);
            if (ok != rawOk || (ok && content != raw))
                std::abort();
        }
    const std::string first = bytes.substr(0, size / 2), second = bytes.substr(size / 2);
    if (!compressedStart(first) && !compressedStart(second))
        for (const std::string &packed : {gzipped(first) + gzipped(second), bzipped(first) + bzipped(second)}) {
            content.clear();
            if (!readAll(packed, content, ignored) || content != bytes)
                std::abort();
        }
    return 0;
}
