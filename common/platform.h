// What the programs ask of the system beyond standard C++ and POSIX, in one
// place: each has a plain fallback that compiles wherever C++17 does, taken
// where the system lacks it or when ASPATHS_PORTABLE is defined (a CMake
// option, so that the fallback is built and tested too).
#ifndef PLATFORM_H
#define PLATFORM_H

#include <cstdint>

// Asks for transparent huge pages on the heap that will hold asdegree's
// neighbour lists, where the system gives them only on request (glibc 2.33
// or later on Linux). Elsewhere, and in the fallback, does nothing.
void adviseHugePages();

// A number drawn at random for this run, to key hashes with: from the
// kernel's random source where there is one, else from std::random_device,
// the clock and the address space.
std::uint64_t randomKey();

#endif
