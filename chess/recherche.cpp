#include "chess/recherche.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <string>

#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/messages.h"
#include "chess/moteur_interne.h"
#include "chess/notation.h"
#include "chess/observateur_recherche.h"
#include "chess/outils.h"
#include "chess/regles.h"

int profondeur_courante = 0;
float meilleures_notes[4] = {-999999.0f, -999999.0f, -999999.0f, -999999.0f};
long nb_coups_testes = 0;
long nb_positions_evaluees = 0;

void reinitialise_recherche() {
  profondeur_courante = 0;
  nb_coups_testes = 0;
  nb_positions_evaluees = 0;
  for (float& n : meilleures_notes) n = -999999.0f;
}

namespace moteur {
namespace {

bool en_cours = false;
bool arret = false;

// Marks a search as running for the lifetime of the object; at its end the
// observer shows what it held back.
class GardeRecherche {
 public:
  GardeRecherche() {
    if (en_cours) throw RechercheEnCours();
    en_cours = true;
    arret = false;
  }
  ~GardeRecherche() {
    en_cours = false;
    if (ObservateurRecherche* obs = observateur_recherche()) obs->fin_recherche();
  }
  GardeRecherche(const GardeRecherche&) = delete;
  GardeRecherche& operator=(const GardeRecherche&) = delete;
};

// One level deeper for the lifetime of the object.
class NiveauSuivant {
 public:
  NiveauSuivant() { ++profondeur_courante; }
  ~NiveauSuivant() { --profondeur_courante; }
  NiveauSuivant(const NiveauSuivant&) = delete;
  NiveauSuivant& operator=(const NiveauSuivant&) = delete;
};

// meilleures_notes has the depths 0..3 only.
float meilleure_de_profondeur(int d) { return d >= 0 && d <= 3 ? meilleures_notes[d] : -999999.0f; }

// The pawn test of coup_valide for the targets a pawn's search tries.
bool pion_peut(const int* b, int piece, int depart, int arrivee, int pas) {
  const int couleur = COULEUR[piece];
  const int cible = b[arrivee];
  if (COULEUR[cible] == couleur) return false;
  const int cs = colonne_de(depart), ls = ligne_de(depart), cd = colonne_de(arrivee), ld = ligne_de(arrivee);
  const int dc = std::abs(cd - cs);
  const int passant = couleur == BLANC ? passant_noir : couleur == NOIR ? passant_blanc : -1;
  if (passant > 0 && passant == cd * 10 + ld && dc == 1 && ld == ls + pas) return true;
  if (dc == 0 && ld == ls + pas) return cible == CASE_VIDE;
  if (dc == 0 && ld == ls + 2 * pas)
    return ls == (pas < 0 ? 7 : 2) && cible == CASE_VIDE && b[depart + 9 * pas] == CASE_VIDE;
  return dc == 1 && ld == ls + pas && cible != CASE_VIDE;
}

// Calls `essaie(arrivee, valide, famille_lignes, rang)` for every target of
// the piece on `depart`, in the order of the search: the lines, the diagonals,
// the knight's jumps, the pawn's squares. `essaie` is called with the board as
// it was before the move; a ray stops after an occupied square.
template <class F>
void pour_chaque_cible(int* b, int depart, F&& essaie) {
  const int piece = b[depart];
  const int couleur = COULEUR[piece];
  const int t = TYPE[piece];
  const int cs = colonne_de(depart), ls = ligne_de(depart);
  if (t == TYPE_DAME || t == TYPE_TOUR || t == TYPE_ROI || t == TYPE_FOU) {
    const int premiere = t == TYPE_FOU ? 4 : 0;
    const int derniere = t == TYPE_TOUR ? 4 : 8;
    for (int d = premiere; d < derniere; ++d) {
      const bool lignes = d < 4;
      // A king tries its second square along the lines (castling).
      const int portee = t != TYPE_ROI ? 7 : lignes ? 2 : 1;
      const uint8_t* r = geo.rayon[depart][d];
      const int lg = geo.longueur[depart][d] < portee ? geo.longueur[depart][d] : portee;
      for (int k = 0; k < lg; ++k) {
        const int arrivee = r[k];
        const int q = b[arrivee];
        const bool valide = t == TYPE_ROI && k == 1
                                ? coup_valide(piece, cs, ls, q, colonne_de(arrivee), ligne_de(arrivee)) != 0
                                : COULEUR[q] != couleur;
        if (essaie(arrivee, valide, lignes, k)) return;
        if (q != CASE_VIDE) break;
      }
    }
  } else if (t == TYPE_CAVALIER) {
    for (int k = 0, nk = geo.nb_sauts[depart]; k < nk; ++k) {
      const int arrivee = geo.saut[depart][k];
      if (essaie(arrivee, COULEUR[b[arrivee]] != couleur, false, 0)) return;
    }
  } else if (t == TYPE_PION) {
    const int pas = couleur == couleur_joueur ? -1 : 1;
    const int cibles[4][2] = {{cs, ls + pas}, {cs, ls + 2 * pas}, {cs + 1, ls + pas}, {cs - 1, ls + pas}};
    for (const auto& [c, l] : cibles) {
      if (!sur_plateau(c, l)) continue;
      const int arrivee = c + 9 * l;
      if (essaie(arrivee, pion_peut(b, piece, depart, arrivee, pas), false, 0)) return;
    }
  }
}

// The square of a pawn taken en passant by the move, 0 for none: a pawn
// moving to another column onto an empty square.
inline int case_en_passant(const int* b, int depart, int arrivee) {
  const int piece = b[depart];
  if (TYPE[piece] != TYPE_PION || colonne_de(arrivee) == colonne_de(depart) || b[arrivee] != CASE_VIDE) return 0;
  return arrivee - 9 * pas_pion(COULEUR[piece]);
}

// tab_echiquier as bits, read when a search starts and kept by CoupJoue.
PlateauBits plateau;

float choix(int couleur, int affichage, int& depart, int& arrivee, int& roi);

void cherche_piece_sans_garde(int depart, int& cible, float& meilleure) {
  int* b = tab_echiquier.donnees();
  PlateauBits& p = plateau;
  const int piece = b[depart];
  const int couleur = COULEUR[piece];
  const int t = TYPE[piece];
  const int pas = pas_pion(couleur);
  const int derniere_ligne = pas < 0 ? 1 : 8;

  // A piece under attack earns its value for every attacker when it leaves;
  // a king move always costs malus_roi.
  const int a0 = nb_attaques_rapide(p, piece, depart, couleur);
  float origine = a0 > 0 ? static_cast<float>(a0) * poids.materiel[t] : 0.0f;
  if (t == TYPE_ROI) origine = origine - poids.malus_roi;

  pour_chaque_cible(b, depart, [&](int arrivee, bool valide, bool lignes, int rang) {
    ++nb_coups_testes;
    if (!valide) return false;
    const CoupJoue coup(b, p, depart, arrivee, case_en_passant(b, depart, arrivee));
    float note = evalue(p, couleur);
    if (note == -999999.0f) return false;  // the own king is left attacked
    const int a2 = nb_attaques_rapide(p, piece, arrivee, couleur);
    if (a2 > 0) note = note - static_cast<float>(a2) * poids.materiel[t];
    note = origine + note;
    if (t == TYPE_PION) {
      if (b[arrivee - 9 * pas] == piece) note = note - poids.malus_double;
      if (ligne_de(arrivee) == derniere_ligne) note = note + poids.note_promotion;
    }
    if (profondeur_courante < poids.profondeur_max &&
        !(poids.alpha_beta != 0 && note > meilleure_de_profondeur(profondeur_courante))) {
      const NiveauSuivant niveau;
      int d = 0, a = 0, r = 0;
      const float reponse = choix(couleur_adverse(couleur), 0, d, a, r);
      if (reponse != -999999.0f) note = note - reponse;
    }
    if (lignes && t == TYPE_ROI && rang == 1 && ligne_de(arrivee) == ligne_de(depart) && roque_interdit[couleur] == 0)
      note = note + evalue_roque(colonne_de(depart), ligne_de(depart), colonne_de(arrivee), ligne_de(arrivee));
    if (note > meilleure) {
      meilleure = note;
      cible = arrivee;
    }
    return false;
  });
}

// An error ends this piece's search only; the moves made are undone by then.
void cherche_piece(int depart, int& cible, float& meilleure) {
  try {
    cherche_piece_sans_garde(depart, cible, meilleure);
  } catch (const std::exception& e) {
    affiche_erreur(e.what(), NOM_PROGRAMME);
  }
}

std::string texte_coup(int depart, int arrivee) {
  const int* b = tab_echiquier.donnees();
  return notation_coup(numero_coup, b[depart], colonne_de(depart), ligne_de(depart), b[arrivee],
                       colonne_de(arrivee), ligne_de(arrivee), 0);
}

// choix_coup_machine without its result text: the best note, the move (set
// only when a note above -999999 is found) and the last own king met.
float choix(int couleur, int affichage, int& depart, int& arrivee, int& roi) {
  ObservateurRecherche* obs = observateur_recherche();
  int* b = tab_echiquier.donnees();
  float note = -999999.0f;
  float meilleure = -999999.0f;  // one running best for every piece in turn
  int cible = 0;
  roi = 0;
  for (int l = 1; l <= 8; ++l)
    for (int sq = 1 + 9 * l; sq <= 8 + 9 * l; ++sq) {
      const int piece = b[sq];
      if (piece == CASE_VIDE || COULEUR[piece] != couleur) continue;
      ++nb_coups_testes;
      if (TYPE[piece] == TYPE_ROI) roi = sq;
      if (obs) {
        // The settings may have changed while events ran; the depth stays
        // the one the search started with.
        if (obs->laisse_passer_si_du()) {
          const int profondeur = poids.profondeur_max;
          prend_poids();
          poids.profondeur_max = profondeur;
        }
        if (arret) return note;
      }
      cherche_piece(sq, cible, meilleure);
      if (meilleure > note) {
        note = meilleure;
        if (profondeur_courante >= 0 && profondeur_courante <= 3 && meilleure > meilleures_notes[profondeur_courante])
          meilleures_notes[profondeur_courante] = meilleure;
        depart = sq;
        arrivee = cible;
        if (affichage && obs) {
          const std::string coup = rogne(texte_coup(depart, arrivee));
          const std::string valeur = texte_nombre(meilleure);
          if (obs->trace_active() && profondeur_courante == 0)
            obs->ligne_trace(" ... " + coup + " - note : (" + valeur + ")");
          obs->icone_piece(b[depart]);
          obs->titre(coup + "... ");
          if (obs->affiche_commentaire())
            obs->definit_texte_calcul("..." + coup + "(" + valeur + ")" + obs->texte_calcul());
        }
      }
    }
  if (obs) {
    obs->compteurs(nb_coups_testes, nb_positions_evaluees, note);
    if (obs->barre_profondeur() != profondeur_courante) obs->definit_barre_profondeur(profondeur_courante);
  }
  return note;
}

bool a_un_coup_legal(PlateauBits& p, int depart) {
  int* b = tab_echiquier.donnees();
  const int couleur = COULEUR[b[depart]];
  const int roi = couleur == BLANC ? ROI_BLANC : ROI_NOIR;
  bool trouve = false;
  pour_chaque_cible(b, depart, [&](int arrivee, bool valide, bool, int) {
    if (!valide) return false;
    const CoupJoue coup(b, p, depart, arrivee, case_en_passant(b, depart, arrivee));
    // The first king of the side column by column: the lowest bit.
    const Bits rois = p.code[roi];
    trouve = !rois || compte_attaquants(p, ennemis_de(p, couleur), tb.sq[std::countr_zero(rois)], pas_pion(couleur)) == 0;
    return trouve;
  });
  return trouve;
}

std::string espaces_profondeur() { return std::string(4 * static_cast<size_t>(std::max(0, profondeur_courante)), ' '); }

}  // namespace

MVD_AVEC_POPCNT bool sondage_mat(PlateauBits& p, int couleur) {
  const int* b = tab_echiquier.donnees();
  int roi = 0;
  for (int l = 1; l <= 8; ++l)
    for (int sq = 1 + 9 * l; sq <= 8 + 9 * l; ++sq) {
      const int piece = b[sq];
      if (piece == CASE_VIDE || COULEUR[piece] != couleur) continue;
      if (TYPE[piece] == TYPE_ROI) roi = sq;
      if (a_un_coup_legal(p, sq)) return false;
    }
  // No legal move: what the search answers at the maximum depth.
  if (!roi) return false;
  if (couleur != couleur_joueur && poids.profondeur_max > 0) return true;
  return nb_attaques_rapide(p, b[roi], roi, couleur) > 0;
}

}  // namespace moteur

bool recherche_en_cours() { return moteur::en_cours; }

void arrete_recherche() {
  if (moteur::en_cours) moteur::arret = true;
}
bool recherche_arretee() { return moteur::arret; }

std::string choix_coup_machine(int& col_s, int& lig_s, int& col_d, int& lig_d, int couleur, float& note,
                               int affichage) {
  using namespace moteur;
  const GardeRecherche garde;
  verifie_plateau();
  prend_poids();
  plateau.lit(tab_echiquier.donnees());
  ObservateurRecherche* obs = observateur_recherche();
  const bool trace = affichage && obs && obs->trace_active();
  note = -999999.0f;
  if (trace)
    obs->ligne_trace(espaces_profondeur() + obs->texte(330) + std::to_string(numero_coup) +
                     obs->texte(couleur == BLANC ? 331 : 332) + obs->heure());

  int depart = 0, arrivee = 0, roi = 0;
  const float meilleure = choix(couleur, affichage, depart, arrivee, roi);
  note = meilleure;
  std::string resultat;
  if (meilleure == -999999.0f) {
    // No move: a side without a king is never mated; elsewhere, below the top
    // of the search the side of the top of the board is mated.
    const int* b = tab_echiquier.donnees();
    if (!roi)
      resultat = "PAT";
    else if (couleur != couleur_joueur && profondeur_courante > 0)
      resultat = "MAT";
    else
      resultat = nb_attaques_rapide(plateau, b[roi], roi, couleur) > 0 ? "MAT" : "PAT";
  } else {
    col_s = colonne_de(depart);
    lig_s = ligne_de(depart);
    col_d = colonne_de(arrivee);
    lig_d = ligne_de(arrivee);
    resultat = meilleure == 999999.0f ? "MAT" : texte_coup(depart, arrivee);
  }
  if (trace)
    obs->ligne_trace(espaces_profondeur() + " * Selection : (" + resultat + ") note (" + texte_nombre(meilleure) +
                     ") - end : " + obs->heure());
  return resultat;
}

void cherche_coup_piece(int colonne, int ligne, int& col_d, int& lig_d, float& meilleure) {
  using namespace moteur;
  const GardeRecherche garde;
  if (!sur_plateau(colonne, ligne))
    throw std::out_of_range("Case en dehors de l'échiquier (" + std::to_string(colonne) + ", " +
                            std::to_string(ligne) + ")");
  verifie_plateau();
  prend_poids();
  plateau.lit(tab_echiquier.donnees());
  int cible = -1;
  cherche_piece(colonne + 9 * ligne, cible, meilleure);
  if (cible >= 0) {
    col_d = colonne_de(cible);
    lig_d = ligne_de(cible);
  }
}
