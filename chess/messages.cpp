#include "chess/messages.h"

#include <iostream>

namespace {
AfficheurErreur& afficheur() {
  static AfficheurErreur f;
  return f;
}
}  // namespace

void installe_afficheur_erreur(AfficheurErreur f) { afficheur() = std::move(f); }

void affiche_erreur(const std::string& texte, const std::string& titre) {
  if (afficheur())
    afficheur()(texte, titre);
  else
    std::cerr << titre << ": " << texte << '\n';
}

ErreursMuettes::ErreursMuettes() : ancien_(afficheur()) {
  afficheur() = [](const std::string&, const std::string&) {};
}
ErreursMuettes::~ErreursMuettes() { afficheur() = std::move(ancien_); }
