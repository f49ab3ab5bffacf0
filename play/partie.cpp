// The one path of a played move, the game's end, and the states of the
// position history.
#include "play/partie.h"

#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/outils.h"
#include "chess/poids.h"
#include "chess/regles.h"
#include "chess/repetitions.h"
#include "localisation/textes_langue.h"
#include "openings/cherche_ouverture.h"
#include "play/entete_partie.h"
#include "openings/comment.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/patience.h"
#include "play/plateau.h"

std::vector<EtatPosition> etats_positions;

namespace {

bool jeton_resultat(const QString& t) {
  return t == QLatin1String("1-0") || t == QLatin1String("0-1") || t == QLatin1String("1/2-1/2") ||
         t == QLatin1String("*");
}

// A movetext (short or long) cut after its first `n` half-moves: move
// numbers ("12." standing alone or before a move) are kept with their move,
// result tokens are dropped.
std::string garde_demi_coups(const std::string& texte, int n) {
  static const QRegularExpression numero(QStringLiteral("^[0-9]+\\.+"));
  const QStringList jetons = QString::fromStdString(texte).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  QStringList gardes;
  int vus = 0;
  for (const QString& j : jetons) {
    if (vus >= n) break;
    if (jeton_resultat(j)) continue;
    gardes << j;
    QString coup = j;
    coup.remove(numero);
    if (!coup.isEmpty()) ++vus;
  }
  return gardes.join(QLatin1Char(' ')).toStdString();
}

// The board window when `controles` are its own: the window parts of a move
// (caption, clocks, questions) are done only then.
plateau* fenetre_de(const ControlesPartie& c) {
  plateau* p = plateau::existante();
  return p && p->Echiquier == c.echiquier && p->List1 == c.liste ? p : nullptr;
}

void titre_etat(const QString& titre) {
  if (!etats_positions.empty() && etats_positions.size() == historique_positions.size())
    etats_positions.back().titre = titre;
}

// The end of the game: the result as the last line of the move list, the
// final position recorded once more for that line, the clocks and automatic
// play stopped, the caption.
void termine_partie(ControlesPartie& c, plateau* p, const std::string& resultat, const QString& titre) {
  resultat_partie = resultat;
  arret_timers();
  ajoute_ligne_selectionnee(c, QString::fromStdString(resultat));
  memorise_controle(c);
  if (p) {
    p->setWindowTitle(texte(169) + titre);
    titre_etat(p->windowTitle());
  }
}

Verdict annonce_mat_ou_pat(ControlesPartie& c, plateau* p, bool mat, bool defile) {
  arret_timers();
  if (mat) {
    // The side that moved last wins.
    const bool blancs_gagnent = dernier_trait == BLANC;
    const QString gagnant = texte(blancs_gagnent ? 146 : 147);
    plateforme::boite_message(texte(167) + QStringLiteral(" !!! ") + gagnant);
    ajoute_ligne_commentaire(QStringLiteral(" - ") + texte(167) + QStringLiteral(" !!! ") + gagnant, defile);
    termine_partie(c, p, blancs_gagnent ? "1-0" : "0-1", QStringLiteral(" - ") + texte(167));
    return Verdict::MAT;
  }
  plateforme::boite_message(QStringLiteral("PAT !! ") + texte(168));
  ajoute_ligne_commentaire(QStringLiteral(" - PAT !! ") + texte(168), defile);
  termine_partie(c, p, "1/2-1/2", QStringLiteral(" - PAT"));
  return Verdict::PAT;
}

// The comment line of a castling or a capture, worded for who moved.
void commente_prise(SourceCoup source, const CoupJoue& coup, int couleur) {
  if (source == SourceCoup::MAIN) {
    if (coup.roque) ajoute_ligne_commentaire(QStringLiteral("- ") + texte(166));
    if (coup.en_passant)
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(162) + nom_piece(coup.code) + texte(165) + texte(163));
    else if (coup.code_pris != CASE_VIDE)
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(162) + nom_piece(coup.code_pris) + texte(163));
  } else if (source == SourceCoup::RESEAU) {
    // Of the opponent's move, only its capture en passant is told.
    if (coup.en_passant)
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(162) + nom_piece(coup.code) + texte(165) + texte(163));
  } else if (source == SourceCoup::MACHINE) {
    if (coup.roque) ajoute_ligne_commentaire(QStringLiteral("- ") + texte(166), false);
    if (coup.en_passant)
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(164) + nom_piece(coup.code) +
                               (couleur == BLANC ? QStringLiteral(" en passant !") : texte(165) + QStringLiteral(" !")));
    else if (coup.code_pris != CASE_VIDE)
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(164) + nom_piece(coup.code_pris) + texte(163));
  }
}

void sonne(SourceCoup source, const std::string& texte_coup, int echecs) {
  const double r = QRandomGenerator::global()->generateDouble();
  switch (source) {
    case SourceCoup::MAIN: {
      int son = 3;
      if (texte_coup.back() == '?')
        son = static_cast<int>(3 * r + 1) == 1 ? 11 : 3;
      else if (texte_coup.back() == '!')
        son = static_cast<int>(3 * r + 1) == 1 ? 9 : 3;
      else if (echecs > 0)
        son = static_cast<int>(2 * r + 1) == 1 ? 8 : 3;
      joue_son(son);
      break;
    }
    case SourceCoup::MACHINE:
      joue_son(echecs > 0 && static_cast<int>(2 * r + 1) == 1 ? 13 : 3);
      break;
    case SourceCoup::RESEAU:
    case SourceCoup::CORRESPONDANCE:
      joue_son(3);
      break;
    case SourceCoup::REJEU:
    case SourceCoup::MODIFICATION:
      break;
  }
}

}  // namespace

bool partie_en_cours() { return resultat_partie == "*"; }

bool position_repetee() {
  const int demi_coups = nb_demi_coups;
  const bool repetee = compte_repetitions() >= 2;
  // The count reads the list, which knows no promotion: the counter stays ours.
  nb_demi_coups = demi_coups;
  return repetee;
}

namespace {
int profondeur_coup = 0;
struct GardeCoup {
  GardeCoup() { ++profondeur_coup; }
  ~GardeCoup() { --profondeur_coup; }
};
}  // namespace

bool coup_en_traitement() { return profondeur_coup > 0; }

void termine_par_resultat(const std::string& resultat) {
  if (!partie_en_cours() || resultat == "*" || !jeton_resultat(QString::fromStdString(resultat))) return;
  ControlesPartie c = controles_jeu();
  if (!c.liste) return;
  termine_partie(c, fenetre_de(c), resultat, QStringLiteral(" - ") + QString::fromStdString(resultat));
}

Verdict joue_coup_partie(const CoupPartie& coup) {
  ControlesPartie c = controles_jeu();
  return joue_coup_partie(c, coup);
}

Verdict joue_coup_partie(ControlesPartie& c, const CoupPartie& demande) {
  const GardeCoup garde;
  plateau* p = fenetre_de(c);
  const SourceCoup source = demande.source;
  const int code = tab_echiquier(demande.col_s, demande.lig_s);
  const int couleur = couleur_piece(code);

  // Carry the move out. A White move takes the next number.
  if (couleur == BLANC) ++numero_coup;
  const CoupJoue coup = joue_coup(demande.col_s, demande.lig_s, demande.col_d, demande.lig_d, demande.promotion);
  const int demi_coups = coup.code_pris != CASE_VIDE || type_piece(code) == TYPE_PION ? 0 : nb_demi_coups + 1;
  nb_demi_coups = demi_coups;
  etat_clic = 0;
  // The machine draws its move before playing it; any other mark belongs to
  // an earlier position.
  if (source != SourceCoup::MACHINE) c.echiquier->clear_all();
  montre_tab_echiquier(c);
  commente_prise(source, coup, couleur);

  // Its judgement and its line.
  // This side makes no evaluation of the opponent's move over the network.
  const float note = source == SourceCoup::RESEAU ? 0.0f : demande.a_note ? demande.note : evalue_position(couleur);
  const int echecs = echecs_au_roi(couleur_adverse(couleur));
  std::string texte_coup = coup.texte_long;
  if (source == SourceCoup::MAIN) {
    if (note < seuil_note_bas)
      texte_coup += "?";
    else if (note > seuil_note_haut)
      texte_coup += "!";
  } else if (source == SourceCoup::REJEU || source == SourceCoup::RESEAU) {
    texte_coup += demande.annotations;
  }
  // A move made here in a network game goes to the opponent as soon as its
  // text is known, before any box its recording may open (a sound, mate or
  // stalemate): the other board shows it at once, whatever the user does
  // with the box. Every such move gets there, also the one that ends the
  // game. The move that repeats the position waits for its mover's answer:
  // the opponent may not move while the draw is still being claimed here.
  const bool au_reseau = source == SourceCoup::MAIN && mode_jeux == 3;
  auto envoie = [&] {
    if (au_reseau && liens_jeu().envoie_coup_reseau)
      liens_jeu().envoie_coup_reseau(demande.col_s, demande.lig_s, demande.col_d, demande.lig_d,
                                     QString::fromStdString(rogne(texte_coup)));
  };
  if (p) sonne(source, texte_coup, echecs);
  const QString texte_liste = QString::fromStdString(texte_coup);
  ajoute_ligne_selectionnee(c, couleur == NOIR ? QStringLiteral("    .....") + texte_liste : texte_liste);
  memorise_controle(c);
  // Only the mover is asked about a repetition: over the network the
  // opponent's board asks, and its answer comes as a message.
  const bool repetee = p && source != SourceCoup::REJEU && source != SourceCoup::RESEAU && position_repetee();
  if (!repetee) envoie();
  const std::string court = rogne(coup.texte_court);
  texte_partie = rogne(texte_partie + coup.texte_court);
  texte_partie_longue = rogne(texte_partie_longue + " " + rogne(texte_coup));
  // Against the machine, the chart shows the machine's judgement of each move number.
  if (!(source == SourceCoup::MAIN && mode_jeux == 1)) {
    notes_coups.resize(static_cast<size_t>(numero_coup) + 1, 0.0f);
    notes_coups[static_cast<size_t>(numero_coup)] = note;
  }
  derniere_note = note;
  if (p) {
    if (source == SourceCoup::RESEAU)
      p->titre_coup(QString::fromStdString(court), QString());
    else
      p->titre_coup(QString::fromStdString(court), note);
    titre_etat(p->windowTitle());
    p->panneau(1)->setText(texte_liste);
    p->montre_icone(code);
  }

  // The verdict.
  const int adverse = couleur_adverse(couleur);
  if (repetee) {
    if (mode_jeux == 4) {
      if (evalue_position(BLANC) < seuil_partie_nulle) {
        termine_partie(c, p, "0-1", QStringLiteral(" - ") + texte(144));
        return Verdict::GAIN_REPETITION;
      }
      if (evalue_position(NOIR) < seuil_partie_nulle) {
        termine_partie(c, p, "1-0", QStringLiteral(" - ") + texte(145));
        return Verdict::GAIN_REPETITION;
      }
      termine_partie(c, p, "1/2-1/2", QStringLiteral(" - ") + texte(168));
      return Verdict::NULLE_REPETITION;
    }
    const bool nulle = plateforme::boite_message(texte(337), boite::OUI_NON) == boite::OUI;
    envoie();
    // The clocks run while the question is open: a flag that fell
    // meanwhile ended the game first, and its result stands.
    if (!partie_en_cours()) {
      sablier(0);
      return Verdict::PERTE_TEMPS;
    }
    if (nulle) {
      termine_partie(c, p, "1/2-1/2", QStringLiteral(" - ") + texte(168));
      // The repetition claimed here ends the game there too, as an agreed draw.
      if (au_reseau && liens_jeu().envoie_reseau) liens_jeu().envoie_reseau(QStringLiteral("!A"));
      sablier(0);
      return Verdict::NULLE_REPETITION;
    }
  }
  if (!a_un_coup_legal(adverse)) {
    const bool mat = echecs_au_roi(adverse) > 0;
    if (source == SourceCoup::REJEU || !p) return mat ? Verdict::MAT : Verdict::PAT;
    return annonce_mat_ou_pat(c, p, mat, true);
  }
  if (p && partie_en_cours()) {
    bascule_horloge(couleur);
    if (analyse_ouverture == 1 && source != SourceCoup::REJEU) {
      // The base's lines run from the usual start: they name no opening of a
      // game begun from a position of its own, nor offer it lines.
      if (partie_depuis_debut())
        cherche_ouverture(1, texte_partie);
      else
        definit_ouvertures_a_montrer(false);
    }
  }
  return Verdict::CONTINUE;
}

Verdict termine_sans_coup(bool defile) {
  ControlesPartie c = controles_jeu();
  const int trait = dernier_trait == BLANC ? NOIR : BLANC;
  return annonce_mat_ou_pat(c, fenetre_de(c), echecs_au_roi(trait) > 0, defile);
}

// --- The states of the position history -----------------------------------

void memorise_etat() {
  if (historique_positions.empty()) return;
  etats_positions.resize(historique_positions.size() - 1);
  EtatPosition e;
  e.chaine = historique_positions.back();
  e.etat = sauve_etat();
  e.numero = numero_coup;
  e.demi_coups = nb_demi_coups;
  if (plateau* p = plateau::existante()) e.titre = p->windowTitle();
  etats_positions.push_back(std::move(e));
}

const EtatPosition* etat_position(int k) {
  if (k < 0 || static_cast<size_t>(k) >= etats_positions.size() || static_cast<size_t>(k) >= historique_positions.size())
    return nullptr;
  const EtatPosition& e = etats_positions[static_cast<size_t>(k)];
  return e.chaine == historique_positions[static_cast<size_t>(k)] ? &e : nullptr;
}

bool restaure_position(int k) {
  const EtatPosition* e = etat_position(k);
  if (!e) return false;
  restaure_etat(e->etat);
  numero_coup = e->numero;
  nb_demi_coups = e->demi_coups;
  return true;
}

void coupe_partie(ControlesPartie& c, int lignes) {
  if (lignes < 0) lignes = 0;
  texte_partie = garde_demi_coups(texte_partie, lignes);
  texte_partie_longue = garde_demi_coups(texte_partie_longue, lignes);
  resultat_partie = "*";
  const bool etat_connu = restaure_position(lignes);
  for (int i = c.liste->count() - 1; i >= lignes; --i) {
    const QString l = c.liste->item(i)->text();
    // Without a recorded state, the number follows the White moves taken back.
    if (!etat_connu && !l.contains(QStringLiteral("...")) && l.contains(QLatin1Char('.')) && l != QLatin1String("*"))
      --numero_coup;
    delete c.liste->takeItem(i);
  }
  // n lines go with n + 1 positions, whatever result lines stood in the list.
  if (historique_positions.size() > static_cast<size_t>(lignes) + 1)
    historique_positions.resize(static_cast<size_t>(lignes) + 1);
  if (etats_positions.size() > historique_positions.size()) etats_positions.resize(historique_positions.size());
  if (plateau* p = fenetre_de(c))
    if (const EtatPosition* e = etat_position(lignes)) p->setWindowTitle(e->titre);
  // The game is on again.
  plateforme::signale_changement();
}
