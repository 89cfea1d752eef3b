// The straightforward aspaths a first reading suggests: getline, a string
// stream per record, a flush after every line. Kept for comparison.
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::size_t pos = 0;
        bool ok = true;
        for (int i = 0; i < 6 && ok; ++i) {
            pos = line.find('|', pos);
            ok = pos != std::string::npos;
            ++pos;
        }
        std::string field;
        if (ok) {
            field = line.substr(pos, line.find('|', pos) - pos);
            field = field.substr(0, field.find('['));
        }
        std::istringstream in(field);
        std::int32_t last, current;
        if (in >> last) {
            std::cout << last;
            while (in >> current)
                if (current != last)
                    std::cout << ' ' << current, last = current;
        }
        std::cout << '\n' << std::flush;
    }
}
