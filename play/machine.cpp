// The machine player's move: choosing it (default first move, book, search),
// carrying it out on the board window, recording it and the end-of-game tests.
#include "play/machine.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRandomGenerator>
#include <stdexcept>
#include <vector>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "chess/repetitions.h"
#include "localisation/textes_langue.h"
#include "openings/cherche_ouverture.h"
#include "openings/comment.h"
#include "openings/coup_bibliotheque.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "play/entete_partie.h"
#include "play/jeu.h"
#include "play/patience.h"
#include "play/partie.h"
#include "play/plateau.h"
#include "play/navigation.h"
#include "play/nulle_abandon.h"

std::string dernier_coup_joue;

namespace {

int profondeur_garde = 0;
std::vector<std::function<void()>> en_attente;
bool nulle_en_attente = false;

// The work that waited for the machine, including what it queues itself.
void execute_en_attente() {
  while (!en_attente.empty() && !machine_occupee()) {
    std::function<void()> action = std::move(en_attente.front());
    en_attente.erase(en_attente.begin());
    action();
  }
}

constexpr float AUCUN_COUP = -999999.0f;
constexpr std::int32_t JAUNE = 65535;

// What a move changes, to put it back when an error stops the move before it
// is recorded.
struct Instantane {
  EtatPlateau etat;
  int numero = 0;
  int lignes = 0;
  size_t positions = 0;
  std::string texte, longue;
};

Instantane prend_instantane(const plateau& p) {
  Instantane i;
  i.etat = sauve_etat();
  i.numero = numero_coup;
  i.lignes = p.List1->count();
  i.positions = historique_positions.size();
  i.texte = texte_partie;
  i.longue = texte_partie_longue;
  return i;
}

void rend_instantane(plateau& p, const Instantane& i) {
  restaure_etat(i.etat);
  numero_coup = i.numero;
  while (p.List1->count() > i.lignes) delete p.List1->takeItem(p.List1->count() - 1);
  if (historique_positions.size() > i.positions) historique_positions.resize(i.positions);
  texte_partie = i.texte;
  texte_partie_longue = i.longue;
}

// The board control and tab_echiquier show the same position again: the
// control takes tab_echiquier, or, when it cannot show a piece, tab_echiquier
// takes what the control shows.
void accorde_plateau(plateau& p) {
  try {
    p.montre_tab_echiquier();
  } catch (const std::exception&) {
    p.recharge_tab_echiquier();
  }
}

// A move found by the default first move or the book is played only when the
// piece on its source is of the side to move and the move is legal here.
bool coup_jouable(int couleur, int cs, int ls, int cd, int ld) {
  if (cs < 1 || cs > 8 || ls < 1 || ls > 8 || cd < 1 || cd > 8 || ld < 1 || ld > 8) return false;
  const int code = tab_echiquier(cs, ls);
  return code != CASE_VIDE && couleur_piece(code) == couleur && coup_legal(cs, ls, cd, ld);
}

}  // namespace

bool coup_par_defaut(int& cs, int& ls, int& cd, int& ld) {
  const std::string defaut = rogne(ouverture_defaut[profil_moteur].toStdString());
  if (defaut.empty()) return false;
  std::string jeton = defaut;
  int code = 0;
  std::string marques;
  int s1 = 0, s2 = 0, d1 = 0, d2 = 0;
  decode_coup(BLANC, 2, jeton, s1, s2, d1, d2, code, marques);
  if (s1 == 0 || s2 == 0 || !coup_jouable(BLANC, s1, s2, d1, d2)) return false;
  cs = s1, ls = s2, cd = d1, ld = d2;
  return true;
}

namespace {

bool coup_du_livre(int couleur, int& cs, int& ls, int& cd, int& ld, float& note) {
  int s1 = 0, s2 = 0, d1 = 0, d2 = 0;
  std::string marques;
  float n = 0.0f;
  if (!coup_bibliotheque(couleur, texte_partie, s1, s2, d1, d2, marques, n)) return false;
  if (!coup_jouable(couleur, s1, s2, d1, d2)) return false;
  cs = s1, ls = s2, cd = d1, ld = d2;
  note = n;
  return true;
}

}  // namespace

GardeMachine::GardeMachine() {
  if (++profondeur_garde == 1) plateforme::signale_changement();
}
GardeMachine::~GardeMachine() {
  if (--profondeur_garde != 0) return;
  plateforme::signale_changement();
  nulle_en_attente = false;
  execute_en_attente();
}

void arrete_machine() { arrete_recherche(); }

void apres_machine(std::function<void()> action) {
  if (!action) return;
  en_attente.push_back(std::move(action));
  execute_en_attente();
}

void propose_nulle_apres_recherche() {
  if (machine_occupee()) nulle_en_attente = true;
}

bool machine_occupee() { return profondeur_garde > 0 || recherche_en_cours(); }

bool a_un_coup_legal(int couleur) {
  for (int cs = 1; cs <= 8; ++cs)
    for (int ls = 1; ls <= 8; ++ls) {
      const int code = tab_echiquier(cs, ls);
      if (code == CASE_VIDE || couleur_piece(code) != couleur) continue;
      for (int cd = 1; cd <= 8; ++cd)
        for (int ld = 1; ld <= 8; ++ld)
          if ((cd != cs || ld != ls) && coup_legal(cs, ls, cd, ld)) return true;
    }
  return false;
}

namespace {

// `ouvertures`: the default first move and the book may give the move (a
// game begun from the usual start).
bool joue_coup_machine(bool ouvertures) {
  if (machine_occupee()) return false;
  QPointer<plateau> p = plateau::existante();
  if (!p || etat_clic == 99 || !partie_en_cours()) return false;
  const GardeMachine garde;

  bool instantane_pris = false;
  bool coup_enregistre = false;
  Instantane avant;
  const int numero_avant = numero_coup;
  try {
    p->remet_piece_levee();
    // The machine plays on the game's position, not on one looked at.
    revient_position_courante(*p);
    p->Echiquier->clear_all();
    if (commentaire_coche()) vide_calcul();

    reinitialise_recherche();
    float note = AUCUN_COUP;
    int cs = 0, ls = 0, cd = 0, ld = 0;
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;

    // White's move N is chosen and written with numero_coup at N.
    bool trouve = false;
    if (couleur == BLANC) {
      if (ouvertures && numero_coup == 0 && coup_par_defaut(cs, ls, cd, ld)) {
        note = 0.0f;
        trouve = true;
      }
      ++numero_coup;
    }
    if (!trouve && ouvertures) trouve = coup_du_livre(couleur, cs, ls, cd, ld, note);
    bool cherche = false;
    if (!trouve) {
      cs = ls = cd = ld = 0;
      cherche = true;
      choix_coup_machine(cs, ls, cd, ld, couleur, note, 1);
      trouve = note != AUCUN_COUP && cs != 0;
    }
    // While the machine thought, the window may have gone, the game ended
    // (a clock ran out) or the search been stopped.
    if (!p) return false;
    if (!partie_en_cours() || (cherche && recherche_arretee())) {
      numero_coup = numero_avant;
      return false;
    }
    // A draw offer made meanwhile is judged on the position before the move.
    if (nulle_en_attente) {
      nulle_en_attente = false;
      const int numero_pendant = numero_coup;
      numero_coup = numero_avant;
      juge_nulle();
      if (!partie_en_cours() || !p) return false;
      numero_coup = numero_pendant;
    }
    if (!trouve) {
      numero_coup = numero_avant;
      // No move: mate when the king is attacked, else stalemate.
      termine_sans_coup(false);
      sablier(0);
      return false;
    }
    if (couleur == BLANC) premier_coup = 0;

    if (machine_trace_coup == 1) {
      p->Echiquier->trace_ligne(static_cast<float>(cs), static_cast<float>(ls), static_cast<float>(cd),
                                static_cast<float>(ld), JAUNE, 0.5f, 1, 2);
      p->Echiquier->trace_cercle(static_cast<float>(cd), static_cast<float>(ld), JAUNE, 0.5f, 1, 2);
    }

    // Carry out the move and record it.
    avant = prend_instantane(*p);
    instantane_pris = true;
    // numero_coup is raised again by the move path.
    if (couleur == BLANC) --numero_coup;
    p->piece_levee = tab_echiquier(cs, ls);
    if (couleur == BLANC)
      dernier_coup_joue = std::to_string(cs) + std::to_string(ls) + std::to_string(cd) + std::to_string(ld);
    ControlesPartie c = p->controles();
    const Verdict verdict = joue_coup_partie(c, CoupPartie::de_la_machine(cs, ls, cd, ld, note));
    if (verdict != Verdict::CONTINUE) sablier(0);
    return verdict == Verdict::CONTINUE;
  } catch (const std::exception& e) {
    plateforme::boite_message(QString::fromUtf8(e.what()), boite::EXCLAMATION);
    if (p) {
      // Once its position is in the history, the move is recorded.
      coup_enregistre = instantane_pris && historique_positions.size() > avant.positions;
      if (!coup_enregistre) {
        if (instantane_pris) rend_instantane(*p, avant);
        numero_coup = numero_avant;
      }
      accorde_plateau(*p);
    }
    return false;
  }
}

}  // namespace

bool joue_machine() { return joue_coup_machine(partie_depuis_debut()); }
