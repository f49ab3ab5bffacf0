#include "openings/ligne_eco.h"

#include <sstream>
#include <stdexcept>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/regles.h"

namespace {
bool est_resultat(const std::string& t) { return t == "*" || t == "1-0" || t == "0-1" || t == "1/2-1/2"; }
}  // namespace

std::string movetext_de_ligne(const std::string& coups) {
  place_position_depart();
  dernier_trait = NOIR;
  for (int& r : roque_interdit) r = 0;
  passant_blanc = passant_noir = 0;
  numero_coup = 0;
  style_notation = 2;

  std::string texte;
  std::istringstream flux(coups);
  std::string lu;
  while (flux >> lu) {
    if (est_resultat(lu)) break;
    if (est_annotation(lu)) continue;
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
    std::string token = lu, marques;
    int cs = 0, ls = 0, cd = 0, ld = 0, code = 0;
    decode_coup(couleur, 2, token, cs, ls, cd, ld, code, marques);
    if (code == CASE_VIDE) break;  // a result written with its move number
    if (cs == 0 || ls == 0 || cd == 0 || ld == 0 || !coup_legal(cs, ls, cd, ld) ||
        couleur_piece(tab_echiquier(cs, ls)) != couleur)
      throw std::runtime_error("coup illégal ou illisible : " + lu + " (après \"" + texte + "\")");
    int promotion = 0;
    if (const auto egal = marques.find('='); egal != std::string::npos && egal + 1 < marques.size())
      promotion = code_de_lettre(2, marques[egal + 1]);
    if (couleur == BLANC) ++numero_coup;
    const CoupJoue joue = joue_coup(cs, ls, cd, ld, promotion);
    texte = rogne(texte + joue.texte_court);
  }
  return texte;
}
