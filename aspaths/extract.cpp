#include "extract.h"

#include <cstdint>
#include <cstring>

#include "asn.h"

namespace {

constexpr std::uint64_t ones = 0x0101010101010101ull;
constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;

// The high bit of every byte of W that equals C, and no other bit.
inline std::uint64_t bytesEqual(std::uint64_t w, unsigned char c)
{
    const std::uint64_t t = w ^ (ones * c);
    return ~(((t & low7) + low7) | t | low7);
}

// Returns the position just after the Nth "|" in [P, END), or nullptr if
// there are fewer. Eight bytes at a time: route records' first fields are
// short, and a call per separator would cost more than the scan.
const char *afterNthBar(const char *p, const char *end, int n)
{
    for (; end - p >= 8; p += 8) {
        // A word holds few separators: count them off one by one.
        for (std::uint64_t bars = bytesEqual(load8(p), '|'); bars != 0; bars &= bars - 1)
            if (--n == 0)
                return p + __builtin_ctzll(bars) / 8 + 1;
    }
    for (; p != end; ++p)
        if (*p == '|' && --n == 0)
            return p + 1;
    return nullptr;
}

// Returns the first "|" or "[" in [P, END), or END.
const char *fieldEnd(const char *p, const char *end)
{
    for (; end - p >= 8; p += 8) {
        const std::uint64_t w = load8(p);
        const std::uint64_t hits = bytesEqual(w, '|') | bytesEqual(w, '[');
        if (hits != 0)
            return p + __builtin_ctzll(hits) / 8;
    }
    while (p != end && *p != '|' && *p != '[')
        ++p;
    return p;
}

} // namespace

std::string_view getASPATH(std::string_view line)
{
    const char *end = line.data() + line.size();
    const char *field = afterNthBar(line.data(), end, pathField - 1);
    if (field == nullptr)
        return {};
    return {field, static_cast<std::size_t>(fieldEnd(field, end) - field)};
}

char *writePathLine(char *out, std::string_view line)
{
    const std::string_view path = getASPATH(line);
    const char *p = path.data();
    const char *end = p + path.size();
    ASN last = 0, current;
    bool first = true;
    for (;;) {
        while (p != end && isBlank(static_cast<unsigned char>(*p)))
            ++p;
        const char *token = p;
        if ((p = readASN(p, end, current)) == nullptr)
            break;
        if (first || current != last) {
            if (!first)
                *out++ = ' ';
            // A number written plainly is copied as it stands.
            if (*token >= '1' && *token <= '9') {
                const std::size_t length = p - token;
                if (length <= 8 && line.data() + line.size() - token >= 8)
                    std::memcpy(out, token, 8);
                else
                    std::memcpy(out, token, length);
                out += length;
            } else {
                out = writeASN(out, current);
            }
            last = current;
            first = false;
        }
    }
    *out++ = '\n';
    return out;
}
