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

constexpr int CENTRE[4] = {4 + 9 * 5, 5 + 9 * 4, 5 + 9 * 5, 4 + 9 * 4};

// Pawns of the colour set `m` standing beside sq on the row ligne + pas.
inline int pions_voisins(const int* b, uint16_t m, int sq, int pas) {
  const int c = colonne_de(sq), l = ligne_de(sq) + pas;
  if (l < 1 || l > 8) return 0;
  int n = 0;
  if (c + 1 <= 8 && dans(m, b[c + 1 + 9 * l])) ++n;
  if (c - 1 >= 1 && dans(m, b[c - 1 + 9 * l])) ++n;
  return n;
}

}  // namespace

float evalue(int couleur) {
  ++nb_positions_evaluees;
  const int* b = tab_echiquier.donnees();
  const Poids& w = poids;

  // The pieces, column by column from the left, each column from the top;
  // the first king of each side met in that order.
  uint8_t pieces[64];
  int nb = 0, roi_propre = 0, roi_autre = 0;
  for (int c = 1; c <= 8; ++c)
    for (int sq = c + 9; sq <= c + 72; sq += 9) {
      const int p = b[sq];
      if (p == CASE_VIDE) continue;
      pieces[nb++] = static_cast<uint8_t>(sq);
      if (TYPE[p] == TYPE_ROI) {
        if (COULEUR[p] == couleur) {
          if (!roi_propre) roi_propre = sq;
        } else if (!roi_autre) {
          roi_autre = sq;
        }
      }
    }

  // A move that leaves the own king attacked was not a move.
  if (roi_propre && nb_attaques_rapide(b, b[roi_propre], roi_propre, couleur) > 0) return -999999.0f;

  float bonus = 0.0f;
  if (roi_autre) {
    const int autre = COULEUR[b[roi_autre]];
    if (nb_attaques_rapide(b, b[roi_autre], roi_autre, autre) > 0) {
      if (sondage_mat(autre)) return 999999.0f / static_cast<float>((profondeur_courante + 1) * 10);
      if (w.bonus_echec != 0.0f && numero_coup >= w.seuil_bonus_echec)
        bonus = static_cast<float>(numero_coup) * w.bonus_echec;
    }
  }

  // One walk per piece over the squares it reaches gives its mobility, the
  // enemy pieces it attacks, and the count of attackers of every square by
  // colour (pawns apart: their two squares are looked at directly).
  uint8_t attaquants[4][81];
  std::memset(attaquants, 0, sizeof attaquants);
  uint8_t mobilite[64], attaques[64];
  const int cj = couleur_joueur;
  // With White or Black at the bottom, a pawn attacks and defends the two
  // squares it takes on, and the maps can hold the pawns too; any other value
  // of couleur_joueur gives the two counts different rows, looked at apart.
  const bool pions_dans_cartes = cj == BLANC || cj == NOIR;
  for (int i = 0; i < nb; ++i) {
    const int sq = pieces[i];
    const int p = b[sq];
    const int s = COULEUR[p];
    const int t = TYPE[p];
    const uint16_t ennemis = ENNEMIS[s].piece;
    uint8_t* carte = attaquants[s];
    int n = 0, a = 0;
    if (t == TYPE_PION) {
      const int pas = s == cj ? -1 : 1;
      const int c = colonne_de(sq), l = ligne_de(sq);
      // Squares ahead (a pawn on its last row has none).
      if (l + pas >= 1 && l + pas <= 8 && b[sq + 9 * pas] == CASE_VIDE) {
        ++n;
        if (l == (s == cj ? 7 : 2) && b[sq + 18 * pas] == CASE_VIDE) ++n;
      }
      if (l + pas >= 1 && l + pas <= 8) {
        // The squares it takes on; with the usual orientation they are also
        // the squares it attacks and defends.
        if (c + 1 <= 8) {
          if (dans(ennemis, b[sq + 1 + 9 * pas])) ++a;
          if (pions_dans_cartes) ++carte[sq + 1 + 9 * pas];
        }
        if (c - 1 >= 1) {
          if (dans(ennemis, b[sq - 1 + 9 * pas])) ++a;
          if (pions_dans_cartes) ++carte[sq - 1 + 9 * pas];
        }
      }
    } else if (t == TYPE_CAVALIER) {
      const int nk = geo.nb_sauts[sq];
      for (int k = 0; k < nk; ++k) {
        const int cible = geo.saut[sq][k];
        ++carte[cible];
        if (dans(ennemis, b[cible])) ++a;
      }
      n = nk;
    } else {
      const int premiere = t == TYPE_FOU ? 4 : 0;
      const int derniere = t == TYPE_TOUR ? 4 : 8;
      const int portee = t == TYPE_ROI ? 1 : 7;
      for (int d = premiere; d < derniere; ++d) {
        const uint8_t* r = geo.rayon[sq][d];
        const int lg = std::min<int>(geo.longueur[sq][d], portee);
        for (int k = 0; k < lg; ++k) {
          const int cible = r[k];
          ++carte[cible];
          ++n;
          const int q = b[cible];
          if (q != CASE_VIDE) {
            if (dans(ennemis, q)) ++a;
            break;
          }
        }
      }
    }
    mobilite[i] = static_cast<uint8_t>(n);
    attaques[i] = static_cast<uint8_t>(a);
  }

  // Sums by side, pieces taken in scan order.
  float materiel[4] = {}, mob[4] = {}, defense[4] = {}, attaque[4] = {}, centre[4] = {};
  const bool avec_defense = w.indice_defense != 0.0f;
  const bool avec_attaque = w.indice_attaque != 0.0f;
  for (int i = 0; i < nb; ++i) {
    const int sq = pieces[i];
    const int p = b[sq];
    const int s = COULEUR[p];
    const int t = TYPE[p];
    materiel[s] += w.materiel[t];
    mob[s] += w.mobilite[t][mobilite[i]];
    int defenseurs = 0;
    if (avec_defense) {
      const int o = s == BLANC ? NOIR : BLANC;
      // Attackers: enemy pawns on the row the piece's own pawns move towards;
      // defenders: own pawns on the row behind.
      int a = attaquants[o][sq];
      defenseurs = attaquants[s][sq];
      if (!pions_dans_cartes) {
        a += pions_voisins(b, ENNEMIS[s].pion, sq, s == cj ? -1 : 1);
        defenseurs += pions_voisins(b, AMIS[s].pion, sq, s == cj ? 1 : -1);
      }
      if (defenseurs > a) defense[s] += w.indice_defense;
    }
    if (avec_attaque && attaques[i] > 0 && defenseurs > 0) attaque[s] += w.indice_attaque;
  }
  if (w.note_centre != 0.0f && numero_coup <= w.seuil_centre) {
    for (int s = BLANC; s <= NOIR; ++s) {
      int total = 0;
      for (int sq : CENTRE) {
        total += attaquants[s][sq];
        if (!pions_dans_cartes) total += pions_voisins(b, AMIS[s].pion, sq, s == cj ? 1 : -1);
      }
      centre[s] = w.note_centre * static_cast<float>(total);
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
  return moteur::evalue(couleur);
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
