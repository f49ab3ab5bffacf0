#include "openings/hasard.h"

#include <random>

namespace {
std::mt19937& generateur() {
  static std::mt19937 g{std::random_device{}()};
  return g;
}
}  // namespace

double tire_hasard() { return std::uniform_real_distribution<double>(0.0, 1.0)(generateur()); }

std::uint64_t tire_entier(std::uint64_t maxi) {
  return std::uniform_int_distribution<std::uint64_t>(0, maxi)(generateur());
}

void initialise_hasard(std::uint32_t graine) { generateur().seed(graine); }

void initialise_hasard() { generateur().seed(std::random_device{}()); }
