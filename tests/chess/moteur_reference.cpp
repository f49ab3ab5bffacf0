#include "tests/chess/moteur_reference.h"

#include <algorithm>

#include "chess/attaques.h"
#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/notation.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"

namespace reference {
namespace {

bool sur(int c, int l) { return c >= 1 && c <= 8 && l >= 1 && l <= 8; }
int profondeur_limite() { return std::clamp(profondeur_max[profil_moteur], 0, 3); }

const int lignes[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
const int diagonales[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
const int sauts[8][2] = {{2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, -2}, {1, 2}, {-1, -2}, {-1, 2}};

// Every target of the piece on (x, y) in the order of the search, with the
// family (true for the lines) and whether it is a king's second square.
template <class F>
void cibles(int x, int y, F&& f) {
  const int piece = tab_echiquier(x, y);
  const int t = type_piece(piece);
  for (int famille = 0; famille < 2; ++famille) {
    const bool lignes_ok = famille == 0 && (t == TYPE_DAME || t == TYPE_TOUR || t == TYPE_ROI);
    const bool diag_ok = famille == 1 && (t == TYPE_DAME || t == TYPE_FOU || t == TYPE_ROI);
    if (!lignes_ok && !diag_ok) continue;
    for (int d = 0; d < 4; ++d) {
      const int dc = famille == 0 ? lignes[d][0] : diagonales[d][0];
      const int dl = famille == 0 ? lignes[d][1] : diagonales[d][1];
      for (int k = 1;; ++k) {
        const int x2 = x + k * dc, y2 = y + k * dl;
        if (!sur(x2, y2)) break;
        const bool occupee = tab_echiquier(x2, y2) != CASE_VIDE;
        if (f(x2, y2, famille == 0, k == 2)) return;
        if (occupee) break;
        if (t == TYPE_ROI && (famille == 1 || k == 2)) break;
      }
    }
  }
  if (t == TYPE_CAVALIER)
    for (const auto& s : sauts)
      if (sur(x + s[0], y + s[1]) && f(x + s[0], y + s[1], false, false)) return;
  if (t == TYPE_PION) {
    const int d = couleur_piece(piece) == couleur_joueur ? -1 : 1;
    const int cand[4][2] = {{x, y + d}, {x, y + 2 * d}, {x + 1, y + d}, {x - 1, y + d}};
    for (const auto& c : cand)
      if (sur(c[0], c[1]) && f(c[0], c[1], false, false)) return;
  }
}

// Plays a move as the search does and undoes it when going.
struct Coup {
  int x, y, x2, y2, piece, prise, xp = 0, yp = 0, pion = 0;
  Coup(int x_, int y_, int x2_, int y2_) : x(x_), y(y_), x2(x2_), y2(y2_) {
    piece = tab_echiquier(x, y);
    prise = tab_echiquier(x2, y2);
    if (type_piece(piece) == TYPE_PION && x2 != x && prise == CASE_VIDE) {
      xp = x2;
      yp = y2 - (couleur_piece(piece) == couleur_joueur ? -1 : 1);
      pion = tab_echiquier(xp, yp);
      tab_echiquier(xp, yp) = CASE_VIDE;
    }
    tab_echiquier(x, y) = CASE_VIDE;
    tab_echiquier(x2, y2) = piece;
  }
  ~Coup() {
    tab_echiquier(x2, y2) = prise;
    tab_echiquier(x, y) = piece;
    if (xp) tab_echiquier(xp, yp) = pion;
  }
};

bool roi_attaque_apres(int couleur) {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int p = tab_echiquier(c, l);
      if (type_piece(p) == TYPE_ROI && couleur_piece(p) == couleur) return nb_attaques(p, c, l, couleur) > 0;
    }
  return false;
}

// The search of the checked side at the maximum depth answers "MAT": it has
// no legal move, and its king is attacked or the rule of the depth says so.
bool mat_du_sondage(int couleur) {
  int kc = 0, kl = 0;
  for (int l = 1; l <= 8; ++l)
    for (int c = 1; c <= 8; ++c) {
      const int p = tab_echiquier(c, l);
      if (p == CASE_VIDE || couleur_piece(p) != couleur) continue;
      if (type_piece(p) == TYPE_ROI) kc = c, kl = l;
      bool legal = false;
      cibles(c, l, [&](int x2, int y2, bool, bool) {
        if (!coup_valide(p, c, l, tab_echiquier(x2, y2), x2, y2)) return false;
        Coup coup(c, l, x2, y2);
        legal = !roi_attaque_apres(couleur);
        return legal;
      });
      if (legal) return false;
    }
  if (!kc) return false;
  if (couleur != couleur_joueur && profondeur_limite() > 0) return true;
  return nb_attaques(tab_echiquier(kc, kl), kc, kl, couleur) > 0;
}

float choix(int couleur, int& x1, int& y1, int& x2, int& y2, int& kc, int& kl);

void cherche(int x, int y, int& tx, int& ty, float& meilleure) {
  const int p = profil_moteur;
  const int piece = tab_echiquier(x, y);
  const int cm = couleur_piece(piece);
  const int t = type_piece(piece);
  const int d = cm == couleur_joueur ? -1 : 1;
  const float valeur = note_materiel[indice_type(p, t)];
  const int a0 = nb_attaques(piece, x, y, cm);
  float origine = a0 > 0 ? static_cast<float>(a0) * valeur : 0.0f;
  if (t == TYPE_ROI) origine = origine - malus_roi[p];
  cibles(x, y, [&](int x2, int y2, bool famille_lignes, bool seconde) {
    ++nb_coups_testes;
    if (!coup_valide(piece, x, y, tab_echiquier(x2, y2), x2, y2)) return false;
    Coup coup(x, y, x2, y2);
    float n = reference::evalue_position(cm);
    if (n == -999999.0f) return false;
    const int a2 = nb_attaques(piece, x2, y2, cm);
    if (a2 > 0) n = n - static_cast<float>(a2) * valeur;
    n = origine + n;
    if (t == TYPE_PION) {
      if (tab_echiquier(x2, y2 - d) == piece) n = n - malus_double[p];
      if (y2 == (d < 0 ? 1 : 8)) n = n + note_promotion[p];
    }
    if (profondeur_courante < profondeur_limite() &&
        !(alpha_beta[p] != 0 && n > meilleures_notes[profondeur_courante])) {
      ++profondeur_courante;
      int a, b, c, e, f, g;
      const float r = choix(couleur_adverse(cm), a, b, c, e, f, g);
      if (r != -999999.0f) n = n - r;
      --profondeur_courante;
    }
    if (famille_lignes && t == TYPE_ROI && seconde && y2 == y && roque_interdit[cm] == 0)
      n = n + evalue_roque(x, y, x2, y2);
    if (n > meilleure) {
      meilleure = n;
      tx = x2;
      ty = y2;
    }
    return false;
  });
}

float choix(int couleur, int& x1, int& y1, int& x2, int& y2, int& kc, int& kl) {
  float note = -999999.0f, l_best = -999999.0f;
  int tx = 0, ty = 0;
  kc = kl = 0;
  for (int l = 1; l <= 8; ++l)
    for (int c = 1; c <= 8; ++c) {
      const int p = tab_echiquier(c, l);
      if (p == CASE_VIDE || couleur_piece(p) != couleur) continue;
      ++nb_coups_testes;
      if (type_piece(p) == TYPE_ROI) kc = c, kl = l;
      cherche(c, l, tx, ty, l_best);
      if (l_best > note) {
        note = l_best;
        if (profondeur_courante <= 3 && l_best > meilleures_notes[profondeur_courante])
          meilleures_notes[profondeur_courante] = l_best;
        x1 = c, y1 = l, x2 = tx, y2 = ty;
      }
    }
  return note;
}

}  // namespace

float evalue_position(int c) {
  ++nb_positions_evaluees;
  const int p = profil_moteur;
  bool trouve = false;
  for (int col = 1; col <= 8 && !trouve; ++col)
    for (int l = 1; l <= 8 && !trouve; ++l) {
      const int code = tab_echiquier(col, l);
      if (type_piece(code) == TYPE_ROI && couleur_piece(code) == c) {
        trouve = true;
        if (nb_attaques(code, col, l, c) > 0) return -999999.0f;
      }
    }
  float bonus = 0.0f;
  trouve = false;
  for (int col = 1; col <= 8 && !trouve; ++col)
    for (int l = 1; l <= 8 && !trouve; ++l) {
      const int code = tab_echiquier(col, l);
      if (type_piece(code) == TYPE_ROI && couleur_piece(code) != c) {
        trouve = true;
        if (nb_attaques(code, col, l, couleur_piece(code)) > 0) {
          if (mat_du_sondage(couleur_piece(code)))
            return 999999.0f / static_cast<float>((profondeur_courante + 1) * 10);
          if (bonus_echec[p] != 0.0f && numero_coup >= seuil_bonus_echec[p])
            bonus = static_cast<float>(numero_coup) * bonus_echec[p];
        }
      }
    }
  float mat[4] = {}, mob[4] = {}, def[4] = {}, att[4] = {}, cen[4] = {};
  for (int col = 1; col <= 8; ++col)
    for (int l = 1; l <= 8; ++l) {
      const int code = tab_echiquier(col, l);
      if (code == CASE_VIDE) continue;
      const int s = couleur_piece(code), t = type_piece(code);
      mat[s] += note_materiel[indice_type(p, t)];
      mob[s] += mobilite_piece(col, l);
      int dfd = 0;
      if (indice_defense[p] != 0.0f) {
        const int a = nb_attaques(code, col, l, s);
        dfd = case_attaquee(code, col, l, s);
        if (dfd > a) def[s] += indice_defense[p];
      }
      if (indice_attaque[p] != 0.0f && compte_attaques_lignes(col, l) > 0 && dfd > 0) att[s] += indice_attaque[p];
    }
  if (note_centre[p] != 0.0f && numero_coup <= seuil_centre[p])
    for (int s = BLANC; s <= NOIR; ++s) {
      int total = 0;
      for (const auto& sq : {std::pair{4, 5}, std::pair{5, 4}, std::pair{5, 5}, std::pair{4, 4}})
        total += case_attaquee(0, sq.first, sq.second, s);
      cen[s] = note_centre[p] * static_cast<float>(total);
    }
  const int o = c == BLANC ? BLANC : NOIR, x = o == BLANC ? NOIR : BLANC;
  return mob[o] + mat[o] + def[o] + cen[o] + att[o] - (mob[x] + mat[x] + def[x] + cen[x] + att[x]) + bonus;
}

Choix choix_coup_machine(int couleur) {
  Choix r;
  int kc = 0, kl = 0;
  r.note = choix(couleur, r.col_s, r.lig_s, r.col_d, r.lig_d, kc, kl);
  if (r.note == -999999.0f) {
    if (!kc)
      r.texte = "PAT";
    else if (couleur != couleur_joueur && profondeur_courante > 0)
      r.texte = "MAT";
    else
      r.texte = nb_attaques(tab_echiquier(kc, kl), kc, kl, couleur) > 0 ? "MAT" : "PAT";
  } else if (r.note == 999999.0f) {
    r.texte = "MAT";
  } else {
    r.texte = notation_coup(numero_coup, tab_echiquier(r.col_s, r.lig_s), r.col_s, r.lig_s,
                            tab_echiquier(r.col_d, r.lig_d), r.col_d, r.lig_d, 0);
  }
  return r;
}

}  // namespace reference
