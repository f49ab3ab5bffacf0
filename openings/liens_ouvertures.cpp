#include "openings/liens_ouvertures.h"

#include "localisation/textes_langue.h"

LiensOuvertures& liens_ouvertures() {
  static LiensOuvertures liens;
  return liens;
}

bool commentaire_coche() {
  const auto& l = liens_ouvertures();
  return l.affiche_commentaire && l.affiche_commentaire();
}

QString texte_ouvertures(int numero) {
  const auto& l = liens_ouvertures();
  return l.texte ? l.texte(numero) : texte(numero);
}

FenetreProgression* progression_ouvertures() {
  const auto& l = liens_ouvertures();
  return l.patience ? l.patience() : nullptr;
}

int profil_en_vigueur() {
  const auto& l = liens_ouvertures();
  const int p = l.profil_moteur ? l.profil_moteur() : 1;
  return p == 2 ? 2 : 1;
}

bool partie_du_debut() {
  const auto& l = liens_ouvertures();
  return !l.partie_depuis_debut || l.partie_depuis_debut();
}
