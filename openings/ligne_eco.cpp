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

void position_de_depart() {
  place_debut_partie();
  style_notation = 2;
}

// Plays `jeton` for the side to move; false (nothing played) when it is no
// legal move. `texte` receives the move's short text.
bool joue_jeton(const std::string& jeton, std::string& texte) {
  const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
  int cs = 0, ls = 0, cd = 0, ld = 0, promotion = 0;
  if (!lit_coup_legal(couleur, jeton, cs, ls, cd, ld, promotion)) return false;
  if (couleur == BLANC) ++numero_coup;
  const CoupJoue joue = joue_coup(cs, ls, cd, ld, promotion);
  texte = rogne(texte + joue.texte_court);
  return true;
}
}  // namespace

std::string movetext_de_ligne(const std::string& coups) {
  position_de_depart();
  std::string texte;
  std::istringstream flux(coups);
  std::string lu;
  while (flux >> lu) {
    if (est_resultat(lu)) break;
    if (est_annotation(lu)) continue;
    std::string token = lu, marques;
    int cs = 0, ls = 0, cd = 0, ld = 0, code = 0;
    decode_coup(dernier_trait == BLANC ? NOIR : BLANC, 2, token, cs, ls, cd, ld, code, marques);
    if (code == CASE_VIDE) break;  // a result written with its move number
    if (!joue_jeton(lu, texte))
      throw std::runtime_error("coup illégal ou illisible : " + lu + " (après \"" + texte + "\")");
  }
  return texte;
}

std::vector<std::string> prefixes_de_coups(const std::vector<std::string>& coups, int max_demi_coups) {
  PositionGardee garde;
  couleur_joueur = BLANC;
  position_de_depart();
  std::vector<std::string> prefixes;
  std::string texte;
  for (const std::string& lu : coups) {
    if (static_cast<int>(prefixes.size()) >= max_demi_coups) break;
    if (est_resultat(lu) || !joue_jeton(lu, texte)) break;
    prefixes.push_back(texte);
  }
  return prefixes;
}

bool LecteurLignes::lit(const std::vector<std::string>& coups, std::string& texte, std::size_t& lus) {
  PositionGardee garde;
  couleur_joueur = BLANC;
  std::size_t commun = 0;
  while (commun < coups.size() && commun < pas_.size() && pas_[commun].coup == coups[commun]) ++commun;
  pas_.resize(commun);
  position_de_depart();
  if (commun > 0) {
    restaure_etat(pas_.back().apres);
    numero_coup = pas_.back().numero;
    texte = pas_.back().texte;
  } else {
    texte.clear();
  }
  for (lus = commun; lus < coups.size(); ++lus) {
    if (est_resultat(coups[lus]) || !joue_jeton(coups[lus], texte)) return false;
    pas_.push_back({coups[lus], sauve_etat(), numero_coup, texte});
  }
  return true;
}
