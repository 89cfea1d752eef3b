// AS numbers as both programs read and write them.
//
// An AS number (ASN) is a signed 32-bit integer. It is read exactly as
// formatted extraction of an int32_t from a C-locale stream reads it:
// white space is skipped, then an optional '+' or '-' and a run of decimal
// digits (leading zeros allowed) make the value. The digits end at the first
// character that is not a digit, whatever it is. A read fails when it finds
// no digit or when the value lies outside the signed 32-bit range.
#ifndef ASN_H
#define ASN_H

#include <cstddef>
#include <cstdint>

using ASN = std::int32_t;

// True for the white space that formatted extraction skips in the C locale:
// blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool isBlank(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads one ASN from [P, END). On success stores it in OUT and returns the
// position just after its last digit; on failure returns nullptr and leaves
// OUT alone.
inline const char *readASN(const char *p, const char *end, ASN &out)
{
    while (p != end && isBlank(static_cast<unsigned char>(*p)))
        ++p;
    if (p == end)
        return nullptr;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        if (++p == end)
            return nullptr;
    }
    unsigned d = static_cast<unsigned char>(*p) - '0';
    if (d > 9)
        return nullptr;
    // Leading zeros add nothing and may be arbitrarily many.
    while (d == 0) {
        if (++p == end) {
            out = 0;
            return p;
        }
        d = static_cast<unsigned char>(*p) - '0';
        if (d > 9) {
            out = 0;
            return p;
        }
    }
    // Ten significant digits at most: an eleventh means out of range.
    const char *stop = end - p > 10 ? p + 10 : end;
    std::uint64_t value = d;
    while (++p != stop && (d = static_cast<unsigned char>(*p) - '0') <= 9)
        value = value * 10 + d;
    if (p != end && static_cast<unsigned>(static_cast<unsigned char>(*p) - '0') <= 9)
        return nullptr;
    if (value > (negative ? 2147483648u : 2147483647u))
        return nullptr;
    out = negative ? static_cast<ASN>(-static_cast<std::int64_t>(value))
                   : static_cast<ASN>(value);
    return p;
}

// Writes V in decimal at P, which must have room for 11 characters, and
// returns the position after the last one written.
inline char *writeASN(char *p, ASN v)
{
    std::uint32_t u = static_cast<std::uint32_t>(v);
    if (v < 0) {
        *p++ = '-';
        u = 0u - u;
    }
    char tmp[10];
    int n = 0;
    do {
        tmp[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    while (n != 0)
        *p++ = tmp[--n];
    return p;
}

#endif
