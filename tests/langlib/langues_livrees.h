// What the language library must hold, for the tests of tests/langlib.
#pragma once

#include <array>
#include <vector>

#include "langlib/langue.h"

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

// The text numbers the program's own windows and menus are built from
// (Russian and Polish lack 429).
inline std::vector<int> numeros_d_origine() {
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

// Messages the program adds of its own (refusals, failures, what a library
// said) have numbers from PREMIER_NUMERO_AJOUTE up: whatever the French file
// holds there, every language holds too.
inline constexpr int PREMIER_NUMERO_AJOUTE = 680;
inline constexpr int DERNIER_NUMERO = 989;
inline std::vector<int> numeros_ajoutes() {
  const langue l;
  std::vector<int> numeros;
  for (int n = PREMIER_NUMERO_AJOUTE; n <= DERNIER_NUMERO; ++n)
    if (!l.affiche_texte(10 + n).isEmpty()) numeros.push_back(n);
  return numeros;
}

// Every text number of the library, ascending.
inline std::vector<int> numeros_textes() {
  auto numeros = numeros_d_origine();
  const auto ajoutes = numeros_ajoutes();
  numeros.insert(numeros.end(), ajoutes.begin(), ajoutes.end());
  return numeros;
}

// True when language `indice` (0 French ... 7 Polish) has text `numero`.
inline bool a_le_texte(int indice, int numero) { return !(numero == 429 && (indice == 6 || indice == 7)); }

}  // namespace essais_langues
