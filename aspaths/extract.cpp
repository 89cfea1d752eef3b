#include "extract.h"

#include <cstring>

#include "asn.h"

std::string_view getASPATH(std::string_view line)
{
    const char *p = line.data();
    const char *end = p + line.size();
    for (int bar = 1; bar < pathField; ++bar) {
        const void *hit = std::memchr(p, '|', end - p);
        if (hit == nullptr)
            return {};
        p = static_cast<const char *>(hit) + 1;
    }
    const char *fieldEnd = static_cast<const char *>(std::memchr(p, '|', end - p));
    if (fieldEnd == nullptr)
        fieldEnd = end;
    if (const void *bracket = std::memchr(p, '[', fieldEnd - p))
        fieldEnd = static_cast<const char *>(bracket);
    return {p, static_cast<std::size_t>(fieldEnd - p)};
}

char *writePathLine(char *out, std::string_view line)
{
    const std::string_view path = getASPATH(line);
    const char *p = path.data();
    const char *end = p + path.size();
    ASN last, current;
    if ((p = readASN(p, end, last)) != nullptr) {
        out = writeASN(out, last);
        while ((p = readASN(p, end, current)) != nullptr) {
            if (current != last) {
                *out++ = ' ';
                out = writeASN(out, current);
                last = current;
            }
        }
    }
    *out++ = '\n';
    return out;
}
