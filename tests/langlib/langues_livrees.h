// What the language library must hold, for the tests of tests/langlib.
#pragma once

#include <array>
#include <vector>

namespace essais_langues {

// The eight languages in id order. `livree` says whether its file
// langlib/textes/<code>.txt is delivered: a delivered language must hold
// every text number, a language not yet delivered must hold none. A
// translator who adds a file turns its line to true.
struct LangueAttendue {
  const char* code;
  bool livree;
};
inline constexpr std::array<LangueAttendue, 8> LANGUES = {{
    {"fr", true},
    {"en", true},
    {"it", true},
    {"es", true},
    {"de", true},
    {"pt", true},
    {"ru", true},
    {"pl", true},
}};

// The text numbers every language holds (Russian and Polish lack 429).
inline std::vector<int> numeros_textes() {
  static const int plages[][2] = {
      {1, 101},   {103, 103}, {105, 118}, {120, 135}, {137, 138}, {140, 178}, {180, 188}, {190, 198},
      {200, 201}, {210, 220}, {225, 227}, {229, 280}, {285, 285}, {287, 298}, {300, 305}, {310, 315},
      {318, 338}, {340, 344}, {400, 400}, {409, 447}, {450, 499}, {510, 511}, {520, 525}, {530, 534},
      {540, 594}, {597, 601}, {604, 615}, {640, 642}, {650, 656}};
  std::vector<int> numeros;
  for (const auto& p : plages)
    for (int n = p[0]; n <= p[1]; ++n) numeros.push_back(n);
  return numeros;
}

// True when language `indice` (0 French ... 7 Polish) has text `numero`.
inline bool a_le_texte(int indice, int numero) { return !(numero == 429 && (indice == 6 || indice == 7)); }

}  // namespace essais_langues
