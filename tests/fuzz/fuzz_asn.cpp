// The ASN reader against the standard library's formatted extraction: the
// same numbers, and reading stops at the same place.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "asn.h"
#include "reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string s(reinterpret_cast<const char *>(data), size);
    std::vector<std::pair<ASN, long>> own;
    const char *p = s.data(), *end = p + s.size();
    ASN v;
    while ((p = readASN(p, end, v)) != nullptr)
        own.emplace_back(v, long(p - s.data()));
    if (own != streamReads(s))
        std::abort();
    return 0;
}
