// The fuzz targets: each takes the bytes of one input, hands them to one of
// the program's readers and checks what the reader promises. The same
// functions run under libFuzzer (fuzz/entree.cpp, built with clang) and in
// the unit test that replays the corpus and the inputs that once failed
// (tests/fuzz).
//
// A target returns a short word saying what the reader made of the input
// ("refusé", "accepté 3", ...), so that a replayed input can be checked
// against what it must give. A promise the reader breaks is reported
// through faute(), which aborts under libFuzzer and throws in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fuzz {

// Thrown by faute() when the target runs outside libFuzzer.
struct Faute : std::logic_error {
  using std::logic_error::logic_error;
};

// A broken promise: aborts under libFuzzer (after printing `quoi`), throws
// Faute otherwise.
[[noreturn]] void faute(const std::string& quoi);
// Chooses how faute() ends: true under libFuzzer.
void faute_arrete(bool arrete);

// Once per process, before the first input: the program folder (where the
// board control finds its images), the settings reset, a folder of its own
// for the files the targets write, message boxes answered by nobody
// (recorded, never shown), the rules' messages silenced. Needs a
// QApplication.
void prepare(const std::string& dossier_programme);
// After each input: the boxes recorded are forgotten.
void apres_entree();
// The folder where the targets write their files.
std::string dossier_travail();

#define MVD_CIBLE_DECL(nom) std::string nom(const std::uint8_t* donnees, std::size_t taille);
MVD_CIBLE_DECL(fen)
MVD_CIBLE_DECL(chaine_position)
MVD_CIBLE_DECL(decode_coup)
MVD_CIBLE_DECL(parametres)
MVD_CIBLE_DECL(parametres_moteur)
MVD_CIBLE_DECL(csv_eco)
MVD_CIBLE_DECL(reseau)
MVD_CIBLE_DECL(version)
MVD_CIBLE_DECL(pgn)
MVD_CIBLE_DECL(xml)
MVD_CIBLE_DECL(corres)
#undef MVD_CIBLE_DECL

// The targets by name, for the replaying test.
using FonctionCible = std::string (*)(const std::uint8_t*, std::size_t);
FonctionCible cible(std::string_view nom);

}  // namespace fuzz
