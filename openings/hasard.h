// The program's uniform pseudo-random generator.
#pragma once

#include <cstdint>

// A number drawn uniformly in [0, 1).
double tire_hasard();
// A whole number drawn uniformly from 0 to `maxi`, both included, whatever
// its size.
std::uint64_t tire_entier(std::uint64_t maxi);
// Starts the sequence again from `graine` (tests), or from the clock and the
// system's entropy when none is given (the start of the program).
void initialise_hasard(std::uint32_t graine);
void initialise_hasard();
