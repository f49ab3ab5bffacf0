#include "chess/evaluation.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "chess/etat.h"
#include "chess/moteur_interne.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"

namespace moteur {

Poids poids;

int profil_verifie() {
  const int p = profil_moteur;
  if (p < 0 || p >= NB_PROFILS)
    throw std::out_of_range("Profil moteur en dehors de la plage : " + std::to_string(p));
  return p;
}

void prend_poids() {
  const int p = profil_verifie();
  Poids& w = poids;
  w.profil = p;
  w.profondeur_max = std::clamp(profondeur_max[p], 0, 3);
  w.alpha_beta = alpha_beta[p];
  for (int t = 0; t < 8; ++t) {
    w.materiel[t] = 0.0f;
    std::fill(std::begin(w.mobilite[t]), std::end(w.mobilite[t]), 0.0f);
  }
  for (int t = TYPE_PION; t <= TYPE_ROI; ++t) {
    w.materiel[t] = note_materiel[indice_type(p, t)];
    const float une_case =
        note_mobilite[indice_type(p, t)] + static_cast<float>(numero_coup) * mobilite_evolutive[indice_type(p, t)];
    float somme = 0.0f;
    for (int n = 1; n < MOBILITE_MAX; ++n) {
      somme += une_case;
      w.mobilite[t][n] = somme;
    }
  }
  w.indice_defense = indice_defense[p];
  w.indice_attaque = indice_attaque[p];
  w.note_centre = note_centre[p];
  w.seuil_centre = seuil_centre[p];
  w.bonus_echec = bonus_echec[p];
  w.seuil_bonus_echec = seuil_bonus_echec[p];
  w.note_promotion = note_promotion[p];
  w.note_roque = note_roque[p];
  w.malus_double = malus_double[p];
  w.malus_roi = malus_roi[p];
  for (int k = 1; k <= 64; ++k) {
    w.defense_fois[k] = w.defense_fois[k - 1] + w.indice_defense;
    w.attaque_fois[k] = w.attaque_fois[k - 1] + w.indice_attaque;
  }
}

void verifie_plateau() {
  const int* b = tab_echiquier.donnees();
  for (int l = 1; l <= 8; ++l)
    for (int c = 1; c <= 8; ++c) {
      const int p = b[c + 9 * l];
      if (p < CASE_VIDE || p > ROI_BLANC)
        throw std::invalid_argument("Code de pièce inconnu (" + std::to_string(p) + ") sur la case " +
                                    std::to_string(c) + ", " + std::to_string(l));
    }
}

namespace {

constexpr Bits CENTRE = bit_de(4, 5) | bit_de(5, 4) | bit_de(5, 5) | bit_de(4, 4);

// Counts of attackers by square, five bits a square (a square has at most
// eight first pieces on its rays, eight knights and two pawns around it):
// bit k of the count of a square is in plan[k].
struct Compteurs {
  Bits plan[5] = {};
  void ajoute(Bits a) {
    const Bits r0 = plan[0] & a;
    plan[0] ^= a;
    const Bits r1 = plan[1] & r0;
    plan[1] ^= r0;
    // A square counted four times or more: rare.
    if (r1) [[unlikely]] {
      const Bits r2 = plan[2] & r1;
      plan[2] ^= r1;
      const Bits r3 = plan[3] & r2;
      plan[3] ^= r2;
      plan[4] ^= r3;
    }
  }
  Bits non_nuls() const { return plan[0] | plan[1] | plan[2] | plan[3] | plan[4]; }
  // The squares whose count is above the other's.
  Bits au_dessus_de(const Compteurs& autre) const {
    Bits plus = 0, egal = ~Bits{0};
    for (int k = 4; k >= 0; --k) {
      plus |= egal & plan[k] & ~autre.plan[k];
      egal &= ~(plan[k] ^ autre.plan[k]);
    }
    return plus;
  }
  int total_sur(Bits cases) const {
    int n = 0;
    for (int k = 0; k < 5; ++k) n += std::popcount(plan[k] & cases) << k;
    return n;
  }
};

// The squares beside the pawns `pions` on the row `pas` further.
inline Bits cases_des_pions(Bits pions, int pas, int cote) {
  return decale_colonne(decale_ligne(pions, pas), cote);
}

}  // namespace

MVD_AVEC_POPCNT int nb_attaques_rapide(const PlateauBits& p, int code, int sq, int couleur) {
  return compte_attaquants(p, ennemis_de(p, couleur), sq, pas_pion(COULEUR[code & 15]));
}

MVD_AVEC_POPCNT float evalue(PlateauBits& p, int couleur) {
  ++nb_positions_evaluees;
  const Poids& w = poids;

  // The first king of each side, column by column from the left, each
  // column from the top: the lowest bit.
  const Bits rois_propres = couleur == BLANC ? p.code[ROI_BLANC] : couleur == NOIR ? p.code[ROI_NOIR] : 0;
  const Bits rois_autres = couleur == BLANC  ? p.code[ROI_NOIR]
                           : couleur == NOIR ? p.code[ROI_BLANC]
                                             : p.code[ROI_BLANC] | p.code[ROI_NOIR];

  // A move that leaves the own king attacked was not a move.
  if (rois_propres) {
    const int sq = tb.sq[std::countr_zero(rois_propres)];
    if (compte_attaquants(p, ennemis_de(p, couleur), sq, pas_pion(couleur)) > 0) return -999999.0f;
  }

  float bonus = 0.0f;
  if (rois_autres) {
    const int i = std::countr_zero(rois_autres);
    const int autre = COULEUR[p.piece[i]];
    if (compte_attaquants(p, ennemis_de(p, autre), tb.sq[i], pas_pion(autre)) > 0) {
      if (sondage_mat(p, autre)) return 999999.0f / static_cast<float>((profondeur_courante + 1) * 10);
      if (w.bonus_echec != 0.0f && numero_coup >= w.seuil_bonus_echec)
        bonus = static_cast<float>(numero_coup) * w.bonus_echec;
    }
  }

  const bool avec_defense = w.indice_defense != 0.0f;
  const bool avec_attaque = w.indice_attaque != 0.0f;
  const bool avec_centre = w.note_centre != 0.0f && numero_coup <= w.seuil_centre;
  const bool cartes = avec_defense || avec_centre;

  // Each piece's squares give its mobility, whether it attacks an enemy
  // piece, and the attackers' counts of its side. The pieces of a side are
  // taken in bit order, so the sums are built in the order of the board scan.
  float materiel[4] = {}, mob[4] = {};
  Compteurs comptes[4];
  Bits attaquantes = 0;  // the pieces that attack at least one enemy piece
  const Bits occupe = p.occupe;
  const Bits vides = ~occupe;
  // The mobility note and the value of the piece on each bit, taken type by
  // type, then added side by side in bit order: the order of the board scan.
  float note_mobilite[64], valeur[64];
  for (int s = BLANC; s <= NOIR; ++s) {
    const int decalage = s == BLANC ? PION_BLANC - PION_NOIR : 0;  // white codes are the black ones + 6
    const Bits ennemis = p.couleur[s == BLANC ? NOIR : BLANC];
    Compteurs compte;
    // Pawns: the square ahead when empty, the second one too from the start
    // row; an enemy piece on a square they take on.
    const int pas = pas_pion(s);
    const Bits pions = p.code[PION_NOIR + decalage];
    const Bits un_pas = pions & decale_ligne(vides, -pas);
    const Bits deux_pas = un_pas & (pas < 0 ? LIGNE_1 << 6 : LIGNE_1 << 1) &
                          decale_ligne(decale_ligne(vides, -pas), -pas);
    const Bits ennemis_derriere = decale_ligne(ennemis, -pas);
    attaquantes |= pions & (decale_colonne(ennemis_derriere, 1) | decale_colonne(ennemis_derriere, -1));
    for (Bits reste = pions; reste; reste &= reste - 1) {
      const int i = std::countr_zero(reste);
      note_mobilite[i] = w.mobilite[TYPE_PION][((un_pas >> i) & 1) + ((deux_pas >> i) & 1)];
      valeur[i] = w.materiel[TYPE_PION];
    }
    // The other pieces: the squares they reach.
    auto pieces = [&](int t, auto&& cases) {
      for (Bits reste = p.code[t + decalage]; reste; reste &= reste - 1) {
        const int i = std::countr_zero(reste);
        const Bits a = cases(tb.sq[i]);
        note_mobilite[i] = w.mobilite[t][std::popcount(a)];
        valeur[i] = w.materiel[t];
        if (cartes) compte.ajoute(a);
        if (a & ennemis) attaquantes |= Bits{1} << i;
      }
    };
    pieces(TYPE_CAVALIER, [](int sq) { return tb.saut[sq]; });
    pieces(TYPE_FOU, [occupe](int sq) { return diagonales_de(sq, occupe); });
    pieces(TYPE_TOUR, [occupe](int sq) { return lignes_de(sq, occupe); });
    pieces(TYPE_DAME, [occupe](int sq) { return lignes_de(sq, occupe) | diagonales_de(sq, occupe); });
    pieces(TYPE_ROI, [](int sq) { return tb.voisin[sq]; });
    float somme_materiel = 0.0f, somme_mobilite = 0.0f;
    for (Bits reste = p.couleur[s]; reste; reste &= reste - 1) {
      const int i = std::countr_zero(reste);
      somme_materiel += valeur[i];
      somme_mobilite += note_mobilite[i];
    }
    materiel[s] = somme_materiel;
    mob[s] = somme_mobilite;
    comptes[s] = compte;
  }

  float defense[4] = {}, attaque[4] = {}, centre[4] = {};
  if (cartes) {
    // A pawn defends the two squares beside it on the row it moves towards
    // and attacks the enemy pieces there; for an orientation other than
    // White or Black at the bottom, the attack counts against a piece look at
    // the row its own pawns move towards, so the two counts differ.
    Compteurs defenseurs[4], attaquants[4];
    const bool meme_rangee = pas_pion(BLANC) == -pas_pion(NOIR);
    for (int s = BLANC; s <= NOIR; ++s) {
      const int o = s == BLANC ? NOIR : BLANC;
      const Bits pions = p.code[s == BLANC ? PION_BLANC : PION_NOIR];
      defenseurs[s] = comptes[s];
      defenseurs[s].ajoute(cases_des_pions(pions, pas_pion(s), 1));
      defenseurs[s].ajoute(cases_des_pions(pions, pas_pion(s), -1));
      if (meme_rangee) {
        attaquants[s] = defenseurs[s];
      } else {
        attaquants[s] = comptes[s];
        attaquants[s].ajoute(cases_des_pions(pions, -pas_pion(o), 1));
        attaquants[s].ajoute(cases_des_pions(pions, -pas_pion(o), -1));
      }
    }
    for (int s = BLANC; s <= NOIR; ++s) {
      const int o = s == BLANC ? NOIR : BLANC;
      if (avec_defense) {
        defense[s] = w.defense_fois[std::popcount(p.couleur[s] & defenseurs[s].au_dessus_de(attaquants[o]))];
        if (avec_attaque)
          attaque[s] = w.attaque_fois[std::popcount(p.couleur[s] & attaquantes & defenseurs[s].non_nuls())];
      }
      if (avec_centre) centre[s] = w.note_centre * static_cast<float>(defenseurs[s].total_sur(CENTRE));
    }
  }

  const int propre = couleur == BLANC ? BLANC : NOIR;
  const int autre = propre == BLANC ? NOIR : BLANC;
  const float note_propre = mob[propre] + materiel[propre] + defense[propre] + centre[propre] + attaque[propre];
  const float note_autre = mob[autre] + materiel[autre] + defense[autre] + centre[autre] + attaque[autre];
  return note_propre - note_autre + bonus;
}

}  // namespace moteur

float evalue_position(int couleur) {
  moteur::verifie_plateau();
  moteur::prend_poids();
  moteur::PlateauBits p;
  p.lit(tab_echiquier.donnees());
  return moteur::evalue(p, couleur);
}

float mobilite_piece(int colonne, int ligne) {
  const int piece = tab_echiquier(colonne, ligne);
  const int t = type_piece(piece);
  if (t == TYPE_AUCUN) return 0.0f;
  const int p = moteur::profil_verifie();
  const float une_case =
      note_mobilite[indice_type(p, t)] + static_cast<float>(numero_coup) * mobilite_evolutive[indice_type(p, t)];
  float note = 0.0f;
  auto vide = [](int c, int l) { return moteur::sur_plateau(c, l) && tab_echiquier(c, l) == CASE_VIDE; };
  if (t == TYPE_PION) {
    const bool vers_le_haut = couleur_piece(piece) == couleur_joueur;
    const int pas = vers_le_haut ? -1 : 1;
    if (vide(colonne, ligne + pas)) {
      note += une_case;
      if (ligne == (vers_le_haut ? 7 : 2) && vide(colonne, ligne + 2 * pas)) note += une_case;
    }
    return note;
  }
  if (t == TYPE_CAVALIER) {
    for (int k = 0; k < 8; ++k)
      if (moteur::sur_plateau(colonne + moteur::SC[k], ligne + moteur::SL[k])) note += une_case;
    return note;
  }
  for (int d = 0; d < 8; ++d) {
    if (d < 4 && t == TYPE_FOU) continue;
    if (d >= 4 && t == TYPE_TOUR) continue;
    int c = colonne + moteur::DC[d], l = ligne + moteur::DL[d];
    while (moteur::sur_plateau(c, l)) {
      note += une_case;
      if (t == TYPE_ROI || tab_echiquier(c, l) != CASE_VIDE) break;
      c += moteur::DC[d];
      l += moteur::DL[d];
    }
  }
  return note;
}

float evalue_roque(int colonne, int ligne, int col_d, int lig_d) {
  const int roi = tab_echiquier(col_d, lig_d);
  const int couleur = couleur_piece(roi);
  if (lig_d != (couleur == couleur_joueur ? 8 : 1)) return 0.0f;
  const int pas = col_d > colonne ? 1 : -1;
  const int coin = pas > 0 ? 8 : 1;
  int c = col_d + pas;
  if (c < 1 || c > 8) return 0.0f;
  while (c != coin && tab_echiquier(c, lig_d) == CASE_VIDE) c += pas;
  const int tour = tab_echiquier(c, lig_d);
  if (c != coin || type_piece(tour) != TYPE_TOUR || couleur_piece(tour) != couleur) return 0.0f;
  const int devant = couleur == couleur_joueur ? lig_d - 1 : lig_d + 1;
  if (!moteur::sur_plateau(col_d, devant) || tab_echiquier(col_d, devant) == CASE_VIDE) return 0.0f;
  return note_roque[moteur::profil_verifie()];
}
