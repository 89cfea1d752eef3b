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
#include <cstring>

using ASN = std::int32_t;

// True for the white space that formatted extraction skips in the C locale:
// blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool isBlank(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Loads the 8 bytes at P as a word whose lowest byte is the one at P.
inline std::uint64_t load8(const char *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap64(w);
#endif
    return w;
}

// If the 8 bytes at P begin with 1 to 7 decimal digits, stores their value
// in VALUE and returns how many there are; otherwise returns 0. A word at a
// time: the digits are found and combined with a few multiplications.
inline int shortDigits(const char *p, std::uint32_t &value)
{
    const std::uint64_t x = load8(p) ^ 0x3030303030303030ull; // digits to 0..9
    const std::uint64_t other =
        (((x & 0x7F7F7F7F7F7F7F7Full) + 0x7676767676767676ull) | x) & 0x8080808080808080ull;
    if (other == 0)
        return 0; // eight digits or more
    const int length = __builtin_ctzll(other) / 8;
    if (length == 0)
        return 0;
    // Shifted up, the digits stand as the last of eight, after zeros.
    std::uint64_t v = x << (8 * (8 - length));
    v = v * 10 + (v >> 8);
    v = ((v & 0x000000FF000000FFull) * (100 + (1000000ull << 32)) +
         ((v >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32))) >> 32;
    value = static_cast<std::uint32_t>(v);
    return length;
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
    std::uint32_t small;
    if (end - p >= 8) {
        if (const int length = shortDigits(p, small)) {
            out = negative ? -static_cast<ASN>(small) : static_cast<ASN>(small);
            return p + length;
        }
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

// The number of decimal digits of U.
inline int decimalLength(std::uint32_t u)
{
    int n = 1;
    for (std::uint32_t bound = 10; n != 10 && u >= bound; bound *= 10)
        ++n;
    return n;
}

// Writes V in decimal at P, which must have room for 11 characters, and
// returns the position after the last one written. Two digits at a time,
// from the back.
inline char *writeASN(char *p, ASN v)
{
    static constexpr char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    std::uint32_t u = static_cast<std::uint32_t>(v);
    if (v < 0) {
        *p++ = '-';
        u = 0u - u;
    }
    char *const end = p + decimalLength(u);
    char *q = end;
    while (u >= 100) {
        q -= 2;
        std::memcpy(q, pairs + 2 * (u % 100), 2);
        u /= 100;
    }
    if (u >= 10)
        std::memcpy(q - 2, pairs + 2 * u, 2);
    else
        q[-1] = static_cast<char>('0' + u);
    return end;
}

#endif
