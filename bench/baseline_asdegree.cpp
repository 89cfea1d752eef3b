// The straightforward asdegree a first reading suggests: getline, a string
// stream per line, sort and unique to compact (amortised). For comparison.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

std::vector<std::pair<std::int32_t, std::vector<std::int32_t>>> table;
std::vector<std::size_t> compacted;
std::unordered_map<std::int32_t, std::int32_t> slots;

void compact(std::size_t s)
{
    auto &l = table[s].second;
    std::sort(l.begin(), l.end());
    l.erase(std::unique(l.begin(), l.end()), l.end());
    compacted[s] = l.size();
}

void add(std::int32_t a, std::int32_t b)
{
    auto it = slots.find(a);
    if (it == slots.end()) {
        slots.emplace(a, table.size());
        table.push_back({a, {b}});
        compacted.push_back(0);
        return;
    }
    auto &l = table[it->second].second;
    l.push_back(b);
    if (l.size() > std::max<std::size_t>(5000, 2 * compacted[it->second]))
        compact(it->second);
}

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::int32_t prev, cur;
        in >> prev;
        while (in >> cur)
            add(prev, cur), add(cur, prev), prev = cur;
    }
    for (std::size_t s = 0; s < table.size(); ++s)
        compact(s);
    for (int k = 0; k < 10 && !table.empty(); ++k) {
        auto best = table.begin();
        for (auto it = table.begin(); it != table.end(); ++it)
            if (it->second.size() > best->second.size() ||
                (it->second.size() == best->second.size() && it->first < best->first))
                best = it;
        std::cout << best->first << ": " << best->second.size() << std::endl;
        table.erase(best);
    }
}
