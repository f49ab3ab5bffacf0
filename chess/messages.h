// How the rules and the search speak to the user without knowing any window:
// the program installs a function that shows a message box; by default the
// text goes to the error stream.
#pragma once

#include <functional>
#include <string>

inline constexpr const char* NOM_PROGRAMME = "Morvandel";

// Shows `texte` with the exclamation icon, titled `titre`.
using AfficheurErreur = std::function<void(const std::string& texte, const std::string& titre)>;
void installe_afficheur_erreur(AfficheurErreur f);
void affiche_erreur(const std::string& texte, const std::string& titre);

// While one lives, error messages are dropped: for a caller that judges a
// text itself and says what is wrong in its own words.
class ErreursMuettes {
 public:
  ErreursMuettes();
  ~ErreursMuettes();
  ErreursMuettes(const ErreursMuettes&) = delete;
  ErreursMuettes& operator=(const ErreursMuettes&) = delete;

 private:
  AfficheurErreur ancien_;
};
