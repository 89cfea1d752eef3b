#include "input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include <bzlib.h>
#ifdef ASPATHS_ISAL
#include <isa-l/igzip_lib.h>
#else
#include <zlib.h>
#endif

namespace {

enum class Compression { None, Gzip, Bzip2 };

const char *compressionName(Compression c)
{
    return c == Compression::Gzip ? "gzip" : "bzip2";
}

// Compressed input inside compressed input is undone this many times at most.
constexpr std::size_t maxDecoders = 4;

} // namespace

struct Decoder {
    Compression kind;
    std::vector<unsigned char> in; // compressed bytes; [pos, end) not yet used
    std::size_t pos = 0, end = 0;
    std::uint64_t offset = 0;   // where in[0] stands in the compressed stream
    bool sourceDone = false;    // the compressed stream has ended
    bool memberDone = false;    // a gzip member or bzip2 stream has just ended
    bool finished = false;      // and nothing follows it
    bool live = false;          // the library's state is initialised
#ifdef ASPATHS_ISAL
    inflate_state gz;
#else
    z_stream gz;
#endif
    bz_stream bz;
};

namespace {

// Starts a gzip member or bzip2 stream in D. False if the library cannot.
bool startMember(Decoder &d)
{
    d.memberDone = false;
    if (d.kind == Compression::Gzip) {
#ifdef ASPATHS_ISAL
        if (d.live)
            isal_inflate_reset(&d.gz);
        else
            isal_inflate_init(&d.gz);
        d.gz.crc_flag = ISAL_GZIP;
        d.live = true;
#else
        if (d.live)
            return (inflateReset(&d.gz) == Z_OK);
        d.gz = z_stream{};
        d.live = inflateInit2(&d.gz, 16 + MAX_WBITS) == Z_OK;
#endif
        return d.live;
    }
    d.bz = bz_stream{};
    d.live = BZ2_bzDecompressInit(&d.bz, 0, 0) == BZ_OK;
    return d.live;
}

void endMember(Decoder &d)
{
    if (d.kind == Compression::Bzip2 && d.live) {
        BZ2_bzDecompressEnd(&d.bz);
        d.live = false;
    }
}

ssize_t fail(Input &in, std::string message)
{
    in.error = std::move(message);
    return -1;
}

ssize_t readSource(Input &in, std::size_t depth, char *buf, std::size_t n);

// Refills D's compressed bytes from the stage below it, number INDEX.
// Returns false on failure, with IN.error set.
bool refill(Input &in, std::size_t index, Decoder &d)
{
    const ssize_t r = readSource(in, index, reinterpret_cast<char *>(d.in.data()), d.in.size());
    if (r < 0)
        return false;
    d.offset += d.end;
    d.pos = 0;
    d.end = static_cast<std::size_t>(r);
    if (r == 0)
        d.sourceDone = true;
    return true;
}

// One call of the library on D: decompresses from D's bytes into [OUT,
// OUT + N). Stores how much was made in PRODUCED. False if the data is
// corrupt.
bool inflateSome(Decoder &d, char *out, std::size_t n, std::size_t &produced)
{
    const std::size_t avail = d.end - d.pos;
    std::size_t left = 0, room = 0;
    bool ok = true;
    if (d.kind == Compression::Gzip) {
#ifdef ASPATHS_ISAL
        d.gz.next_in = d.in.data() + d.pos;
        d.gz.avail_in = static_cast<std::uint32_t>(avail);
        d.gz.next_out = reinterpret_cast<std::uint8_t *>(out);
        d.gz.avail_out = static_cast<std::uint32_t>(n);
        ok = isal_inflate(&d.gz) >= 0;
        d.memberDone = ok && d.gz.block_state == ISAL_BLOCK_FINISH;
        left = d.gz.avail_in, room = d.gz.avail_out;
#else
        d.gz.next_in = d.in.data() + d.pos;
        d.gz.avail_in = static_cast<uInt>(avail);
        d.gz.next_out = reinterpret_cast<Bytef *>(out);
        d.gz.avail_out = static_cast<uInt>(n);
        const int ret = inflate(&d.gz, Z_NO_FLUSH);
        ok = ret == Z_OK || ret == Z_STREAM_END || ret == Z_BUF_ERROR;
        d.memberDone = ret == Z_STREAM_END;
        left = d.gz.avail_in, room = d.gz.avail_out;
#endif
    } else {
        d.bz.next_in = reinterpret_cast<char *>(d.in.data() + d.pos);
        d.bz.avail_in = static_cast<unsigned>(avail);
        d.bz.next_out = out;
        d.bz.avail_out = static_cast<unsigned>(n);
        const int ret = BZ2_bzDecompress(&d.bz);
        ok = ret == BZ_OK || ret == BZ_STREAM_END;
        d.memberDone = ret == BZ_STREAM_END;
        left = d.bz.avail_in, room = d.bz.avail_out;
    }
    d.pos += avail - left;
    produced = n - room;
    return ok;
}

// Decompresses into BUF from the decoder number INDEX.
ssize_t decode(Input &in, std::size_t index, char *buf, std::size_t n)
{
    Decoder &d = *in.decoders[index];
    const char *what = compressionName(d.kind);
    for (;;) {
        if (d.finished)
            return 0;
        if (d.pos == d.end && !d.sourceDone && !refill(in, index, d))
            return -1;
        if (d.memberDone) {
            endMember(d);
            if (d.pos == d.end) {
                if (d.sourceDone) {
                    d.finished = true;
                    return 0;
                }
                continue;
            }
            // Another member or stream may follow; anything else may not.
            const unsigned char magic = d.kind == Compression::Gzip ? 0x1f : 'B';
            if (d.in[d.pos] != magic)
                return fail(in, std::string("trailing garbage after ") + what + " data at byte " +
                                    std::to_string(d.offset + d.pos));
            if (!startMember(d))
                return fail(in, std::string("out of memory"));
        }
        std::size_t produced = 0;
        if (!inflateSome(d, buf, n, produced))
            return fail(in, std::string("corrupt ") + what + " data at byte " +
                                std::to_string(d.offset + d.pos));
        if (produced != 0)
            return static_cast<ssize_t>(produced);
        if (!d.memberDone && d.pos == d.end && d.sourceDone)
            return fail(in, std::string(what) + " data cut short at byte " +
                                std::to_string(d.offset + d.end));
    }
}

// Reads into BUF from the stage at DEPTH: the file itself at depth 0, the
// decoder number DEPTH - 1 above it.
ssize_t readSource(Input &in, std::size_t depth, char *buf, std::size_t n)
{
    if (depth != 0)
        return decode(in, depth - 1, buf, n);
    for (;;) {
        const ssize_t r = read(in.fd, buf, n);
        if (r >= 0)
            return r;
        if (errno != EINTR)
            return fail(in, std::strerror(errno));
    }
}

Compression compressionOf(const std::vector<char> &b)
{
    const auto *p = reinterpret_cast<const unsigned char *>(b.data());
    if (b.size() >= 3 && p[0] == 0x1f && p[1] == 0x8b && p[2] == 8)
        return Compression::Gzip;
    static const unsigned char block[] = {0x31, 0x41, 0x59, 0x26, 0x53, 0x59};
    static const unsigned char last[] = {0x17, 0x72, 0x45, 0x38, 0x50, 0x90};
    if (b.size() >= 10 && std::memcmp(p, "BZh", 3) == 0 && p[3] >= '1' && p[3] <= '9' &&
        (std::memcmp(p + 4, block, 6) == 0 || std::memcmp(p + 4, last, 6) == 0))
        return Compression::Bzip2;
    return Compression::None;
}

// The largest subtype MRT defines for TYPE, or -1 for a type it does not.
int maxSubtype(unsigned type)
{
    switch (type) {
    case 5: return 7;   // BGP, 1999-2000
    case 11: return 1;  // OSPFv2
    case 12: return 2;  // TABLE_DUMP
    case 13: return 12; // TABLE_DUMP_V2
    case 16: return 11; // BGP4MP
    case 17: return 11; // BGP4MP_ET
    case 32: case 33: case 48: case 49: return 0; // IS-IS, OSPFv3
    default: return -1;
    }
}

// A record longer than this is not taken for the first of a dump.
constexpr std::uint32_t plausibleLength = 16u << 20;

// True while the bytes B could still begin a binary form that they are too
// few to confirm: reading on is needed to decide.
bool undecided(const std::vector<char> &b, bool allowMRT)
{
    const auto *p = reinterpret_cast<const unsigned char *>(b.data());
    const std::size_t n = b.size();
    if (n == 0)
        return true;
    const bool gzip = p[0] == 0x1f && (n < 2 || p[1] == 0x8b);
    const bool bzip2 = p[0] == 'B' && (n < 2 || p[1] == 'Z') && (n < 3 || p[2] == 'h');
    bool mrt = allowMRT;
    if (mrt && n > 4)
        mrt = p[4] == 0;
    if (mrt && n > 5)
        mrt = maxSubtype(p[5]) >= 0;
    if (mrt && n > 6)
        mrt = p[6] == 0;
    if (mrt && n > 7)
        mrt = p[7] <= maxSubtype(p[5]);
    if (mrt && n > 8)
        mrt = p[8] == 0;
    return (gzip && n < 3) || (bzip2 && n < 10) || (mrt && n < 12);
}

// Reads from the stage at DEPTH into B until its form is decided.
bool readAhead(Input &in, std::size_t depth, std::vector<char> &b, bool allowMRT)
{
    while (undecided(b, allowMRT)) {
        const std::size_t had = b.size();
        b.resize(had + readBlock);
        const ssize_t r = readSource(in, depth, b.data() + had, readBlock);
        b.resize(had + (r > 0 ? r : 0));
        if (r < 0)
            return false;
        if (r == 0)
            break;
    }
    return true;
}

} // namespace

bool looksLikeMRT(const unsigned char *p, std::size_t n)
{
    if (n < 12)
        return false;
    const unsigned type = p[4] << 8 | p[5], subtype = p[6] << 8 | p[7];
    const std::uint32_t length = std::uint32_t(p[8]) << 24 | p[9] << 16 | p[10] << 8 | p[11];
    const int most = maxSubtype(type);
    return most >= 0 && subtype <= unsigned(most) && length <= plausibleLength;
}

bool openInput(Input &in, const std::string &operand, bool allowMRT)
{
    if (operand == "-") {
        in.name = "standard input";
        in.fd = STDIN_FILENO;
    } else {
        in.name = operand;
        in.fd = open(operand.c_str(), O_RDONLY | O_CLOEXEC);
        if (in.fd < 0) {
            in.error = std::strerror(errno);
            return false;
        }
        in.ownsFd = true;
    }
    std::vector<char> ahead;
    for (;;) {
        if (!readAhead(in, in.decoders.size(), ahead, allowMRT))
            return false;
        const Compression c = compressionOf(ahead);
        if (c == Compression::None || in.decoders.size() == maxDecoders)
            break;
        Decoder *d = new Decoder{};
        in.decoders.push_back(d);
        d->kind = c;
        d->in.resize(std::max(readBlock, ahead.size()));
        std::memcpy(d->in.data(), ahead.data(), ahead.size());
        d->end = ahead.size();
        ahead.clear();
        if (!startMember(*d)) {
            in.error = "out of memory";
            return false;
        }
    }
    const auto *p = reinterpret_cast<const unsigned char *>(ahead.data());
    in.content = allowMRT && looksLikeMRT(p, ahead.size()) ? Content::MRT : Content::Text;
    in.head = std::move(ahead);
    in.headUsed = 0;
    return true;
}

ssize_t readInput(Input &in, char *buf, std::size_t n)
{
    if (in.headUsed != in.head.size()) {
        const std::size_t k = std::min(n, in.head.size() - in.headUsed);
        std::memcpy(buf, in.head.data() + in.headUsed, k);
        in.headUsed += k;
        if (in.headUsed == in.head.size()) {
            in.head.clear();
            in.head.shrink_to_fit();
            in.headUsed = 0;
        }
        return static_cast<ssize_t>(k);
    }
    return readSource(in, in.decoders.size(), buf, n);
}

void closeInput(Input &in)
{
    for (Decoder *d : in.decoders) {
        if (d->live) {
            if (d->kind == Compression::Bzip2)
                BZ2_bzDecompressEnd(&d->bz);
#ifndef ASPATHS_ISAL
            else
                inflateEnd(&d->gz);
#endif
        }
        delete d;
    }
    in.decoders.clear();
    if (in.ownsFd)
        close(in.fd);
    in.fd = -1;
    in.ownsFd = false;
}
