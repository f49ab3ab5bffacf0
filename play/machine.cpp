// The machine player's move: choosing it (default first move, book, search),
// carrying it out on the board window, recording it and the end-of-game tests.
#include "play/machine.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRandomGenerator>
#include <stdexcept>

#include "app/parametres.h"
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
#include "platform/boites.h"
#include "play/jeu.h"
#include "play/patience.h"
#include "play/plateau.h"
#include "play/navigation.h"

std::string dernier_coup_joue;

namespace {

int profondeur_garde = 0;

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

// The end of the game: the result as the last line of the move list, the
// final position recorded once more for that line, the clocks and automatic
// play stopped, the caption.
void termine_partie(plateau& p, const std::string& resultat, const QString& titre) {
  arret_timers();
  resultat_partie = resultat;
  p.ajoute_ligne_liste(QString::fromStdString(resultat));
  memorise_position();
  p.selectionne_derniere_ligne();
  p.setWindowTitle(texte(169) + titre);
}

// Mate of the side to move: the side that moved last (dernier_trait) wins.
void annonce_mat(plateau& p, bool defile) {
  const bool blancs_gagnent = dernier_trait == BLANC;
  const QString gagnant = texte(blancs_gagnent ? 146 : 147);
  arret_timers();
  plateforme::boite_message(texte(167) + QStringLiteral(" !!! ") + gagnant);
  ajoute_ligne_commentaire(QStringLiteral(" - ") + texte(167) + QStringLiteral(" !!! ") + gagnant, defile);
  termine_partie(p, blancs_gagnent ? "1-0" : "0-1", QStringLiteral(" - ") + texte(167));
}

void annonce_pat(plateau& p, bool defile) {
  arret_timers();
  plateforme::boite_message(QStringLiteral("PAT !! ") + texte(168));
  ajoute_ligne_commentaire(QStringLiteral(" - PAT !! ") + texte(168), defile);
  termine_partie(p, "1/2-1/2", QStringLiteral(" - PAT"));
}

// A move found by the default first move or the book is played only when the
// piece on its source is of the side to move and the move is legal here.
bool coup_jouable(int couleur, int cs, int ls, int cd, int ld) {
  if (cs < 1 || cs > 8 || ls < 1 || ls > 8 || cd < 1 || cd > 8 || ld < 1 || ld > 8) return false;
  const int code = tab_echiquier(cs, ls);
  return code != CASE_VIDE && couleur_piece(code) == couleur && coup_legal(cs, ls, cd, ld);
}

// The profile's default first move for White, when it reads as a legal move.
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

// The machine plays on the game's position: when the navigation shows an
// earlier one, the last recorded position comes back first.
void revient_position_courante(plateau& p) {
  if (historique_positions.empty()) return;
  const std::string& derniere = historique_positions.back();
  if (derniere.size() != 64) return;
  const std::string montree = chaine_position_de([&p](int c, int l) { return p.Echiquier->Piece(c, l); });
  if (montree == derniere) {
    p.recharge_tab_echiquier();
    return;
  }
  montre_position(p, static_cast<int>(historique_positions.size()) - 1);
}

}  // namespace

GardeMachine::GardeMachine() { ++profondeur_garde; }
GardeMachine::~GardeMachine() { --profondeur_garde; }

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

bool joue_machine() {
  if (machine_occupee()) return false;
  QPointer<plateau> p = plateau::existante();
  if (!p || etat_clic == 99 || resultat_partie != "*") return false;
  const GardeMachine garde;

  bool instantane_pris = false;
  bool coup_enregistre = false;
  Instantane avant;
  const int numero_avant = numero_coup;
  try {
    p->remet_piece_levee();
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
      if (numero_coup == 0 && coup_par_defaut(cs, ls, cd, ld)) {
        note = 0.0f;
        trouve = true;
      }
      ++numero_coup;
    }
    if (!trouve) trouve = coup_du_livre(couleur, cs, ls, cd, ld, note);
    if (!trouve) {
      cs = ls = cd = ld = 0;
      choix_coup_machine(cs, ls, cd, ld, couleur, note, 1);
      trouve = note != AUCUN_COUP && cs != 0;
    }
    // While the machine thought, the window may have gone or the game ended
    // (a clock ran out).
    if (!p) return false;
    if (resultat_partie != "*") {
      numero_coup = numero_avant;
      return false;
    }
    if (!trouve) {
      numero_coup = numero_avant;
      // No move: mate when the king is attacked, else stalemate.
      if (echecs_au_roi(couleur) > 0)
        annonce_mat(*p, false);
      else
        annonce_pat(*p, false);
      sablier(0);
      return false;
    }
    if (couleur == BLANC) premier_coup = 0;

    if (machine_trace_coup == 1) {
      p->Echiquier->trace_ligne(static_cast<float>(cs), static_cast<float>(ls), static_cast<float>(cd),
                                static_cast<float>(ld), JAUNE, 0.5f, 1, 2);
      p->Echiquier->trace_cercle(static_cast<float>(cd), static_cast<float>(ld), JAUNE, 0.5f, 1, 2);
    }

    // Carry out the move.
    avant = prend_instantane(*p);
    instantane_pris = true;
    const int code = tab_echiquier(cs, ls);
    p->piece_levee = code;
    const CoupJoue coup = p->joue_et_montre(cs, ls, cd, ld, 0);
    if (coup.roque) ajoute_ligne_commentaire(QStringLiteral("- ") + texte(166), false);
    if (coup.en_passant) {
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(164) + nom_piece(code) +
                               (couleur == BLANC ? QStringLiteral(" en passant !") : texte(165) + QStringLiteral(" !")));
    } else if (coup.code_pris != CASE_VIDE) {
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(164) + nom_piece(coup.code_pris) + texte(163));
    }
    etat_clic = 0;
    const int echecs = echecs_au_roi(couleur_adverse(couleur));

    const QString texte_liste = QString::fromStdString(coup.texte_long);
    if (couleur == NOIR) {
      p->ajoute_ligne_liste(QStringLiteral("    .....") + texte_liste);
    } else {
      dernier_coup_joue = std::to_string(cs) + std::to_string(ls) + std::to_string(cd) + std::to_string(ld);
      p->ajoute_ligne_liste(texte_liste);
    }
    memorise_position();
    // The game record holds the move whatever follows, a draw by repetition
    // included.
    const std::string court = rogne(coup.texte_court);
    const std::string long_rogne = rogne(coup.texte_long);
    texte_partie = rogne(texte_partie + coup.texte_court);
    texte_partie_longue = rogne(texte_partie_longue + " " + long_rogne);
    coup_enregistre = true;

    if (compte_repetitions() >= 2) {
      bool nulle = true;
      if (mode_jeux != 4) {
        nulle = plateforme::boite_message(texte(337), boite::OUI_NON) == boite::OUI;
        // The clocks run while the question is open: a flag that fell
        // meanwhile ended the game first, and its result stands.
        if (resultat_partie != "*") {
          sablier(0);
          return false;
        }
      } else {
        const float eb = evalue_position(BLANC);
        const float en = evalue_position(NOIR);
        if (eb < seuil_partie_nulle) {
          termine_partie(*p, "0-1", QStringLiteral(" - ") + texte(144));
          sablier(0);
          return false;
        }
        if (en < seuil_partie_nulle) {
          termine_partie(*p, "1-0", QStringLiteral(" - ") + texte(145));
          sablier(0);
          return false;
        }
      }
      if (nulle) {
        termine_partie(*p, "1/2-1/2", QStringLiteral(" - ") + texte(168));
        sablier(0);
        return false;
      }
    }

    p->titre_coup(QString::fromStdString(court), note);
    p->panneau(1)->setText(texte_liste);
    derniere_note = note;
    p->selectionne_derniere_ligne();
    notes_coups.resize(static_cast<size_t>(numero_coup) + 1, 0.0f);
    notes_coups[static_cast<size_t>(numero_coup)] = note;

    const double r = QRandomGenerator::global()->generateDouble();
    joue_son(echecs > 0 && static_cast<int>(2 * r + 1) == 1 ? 13 : 3);
    bascule_horloge(couleur);
    if (analyse_ouverture == 1) cherche_ouverture(1, texte_partie);

    // Has the other side a move left?
    const int adverse = couleur_adverse(couleur);
    if (!a_un_coup_legal(adverse)) {
      if (echecs_au_roi(adverse) > 0)
        annonce_mat(*p, true);
      else
        annonce_pat(*p, true);
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    plateforme::boite_message(QString::fromUtf8(e.what()), boite::EXCLAMATION);
    if (p) {
      if (!coup_enregistre) {
        if (instantane_pris) rend_instantane(*p, avant);
        numero_coup = numero_avant;
      }
      accorde_plateau(*p);
    }
    return false;
  }
}
