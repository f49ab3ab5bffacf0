// The board window's move input: lifting a piece, putting it down, the
// checks of the move, carrying it out on the board and recording it.
#include <QCursor>
#include <QHash>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QRandomGenerator>
#include <QLabel>
#include <QDir>
#include <QRegularExpression>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/outils.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "openings/cherche_ouverture.h"
#include "openings/comment.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "play/jeu.h"
#include "play/patience.h"
#include "play/machine.h"
#include "play/navigation.h"
#include "play/partie.h"
#include "play/plateau.h"

namespace {

bool est_resultat(const QString& ligne) {
  const QString t = ligne.trimmed();
  return t == QLatin1String("1-0") || t == QLatin1String("0-1") || t == QLatin1String("1/2-1/2") ||
         t == QLatin1String("*");
}

QCursor curseur_piece(int code) {
  const QImage image = mvdechiquier::charge_image(plateau::fichier_icone(code), 32);
  const QPixmap pixmap = QPixmap::fromImage(image.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  return QCursor(pixmap, pixmap.width() / 2, pixmap.height() / 2);
}

}  // namespace

// --- Shared helpers of the window ---------------------------------------------

QString plateau::fichier_icone(int code) {
  return QDir(plateforme::chemin_appli())
      .filePath(QStringLiteral("images/pieces/") + curent_piece + QLatin1Char('/') + QString::number(code) +
                QStringLiteral(".ico"));
}

QIcon plateau::icone(int code) {
  static QHash<QString, QIcon> lues;
  const QString fichier = fichier_icone(code);
  auto it = lues.find(fichier);
  if (it == lues.end()) it = lues.insert(fichier, QIcon(fichier));
  return *it;
}

void plateau::montre_icone(int code) {
  const QIcon i = icone(code);
  if (windowIcon().cacheKey() != i.cacheKey()) setWindowIcon(i);
}

void plateau::prend_icone_souris(int code) { icone_souris = curseur_piece(code); }

void plateau::recharge_tab_echiquier() {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) tab_echiquier(c, l) = Echiquier->Piece(c, l);
}

void plateau::montre_tab_echiquier() {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l)
      if (Echiquier->Piece(c, l) != tab_echiquier(c, l)) Echiquier->Piece(c, l, tab_echiquier(c, l));
}

void plateau::ajoute_ligne_liste(const QString& ligne) { List1->addItem(ligne); }

void plateau::selectionne_derniere_ligne() {
  if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

void plateau::titre_coup(const QString& coup_court, float note) {
  titre_coup(coup_court, (note >= 0 ? QStringLiteral(" ") : QString()) + QString::fromStdString(texte_nombre(note)));
}

void plateau::titre_coup(const QString& coup_court, const QString& nombre) {
  setWindowTitle(texte(169) + QStringLiteral(" - [") + coup_court + QStringLiteral("] - ") + texte(170) +
                 QStringLiteral(" : [") + nombre + QStringLiteral("]"));
}

int plateau::piece(int colonne, int ligne) const { return Echiquier->Piece(colonne, ligne); }
int plateau::nb_lignes_liste() const { return List1->count(); }
std::string plateau::ligne_liste(int indice) const { return List1->item(indice)->text().toStdString(); }

// --- The click handler ---------------------------------------------------------

void plateau::Echiquier_Click(int colonne, int ligne) {
  // Nothing moves while the machine thinks on the board; a piece clicked
  // still hears why it may not move, and stays where it is.
  if (machine_occupee()) {
    if (etat_clic == 0 && Echiquier->Piece(colonne, ligne) != CASE_VIDE && !partie_terminee_pour_clic())
      piece_refusee(Echiquier->Piece(colonne, ligne));
    return;
  }
  try {
    switch (etat_clic) {
      case 0: clic_depart(colonne, ligne); break;
      case 1: clic_arrivee(colonne, ligne); break;
      case 99: clic_programmation(colonne, ligne); break;
      default: break;
    }
  } catch (const std::exception& e) {
    plateforme::boite_message(QString::fromUtf8(e.what()), boite::EXCLAMATION, QStringLiteral("Attention"));
    unsetCursor();
    sablier(0);
  }
}

void plateau::Echiquier_MouseDown(int, int, int, int Button, int, float, float) {
  if (Button != 2) return;
  if (liens_jeu().menu_partie) liens_jeu().menu_partie();
}

// Once a result is recorded the game takes no more moves, unless the user
// continues it from an earlier move selected in the list.
bool plateau::partie_terminee_pour_clic() const {
  if (partie_en_cours()) return false;
  int dernier_coup = List1->count() - 1;
  while (dernier_coup >= 0 && est_resultat(List1->item(dernier_coup)->text())) --dernier_coup;
  const int i = List1->currentRow();
  return !(i >= 0 && i < dernier_coup);
}

// The opponent's piece against the machine or in a network game, or a
// piece of the side that moved last: refused with the reason.
bool plateau::piece_refusee(int code) {
  if ((mode_jeux == 1 || mode_jeux == 3) && couleur_piece(code) != couleur_joueur) {
    plateforme::boite_message(texte(150), boite::EXCLAMATION);
    return true;
  }
  if (couleur_piece(code) == dernier_trait) {
    plateforme::boite_message(texte(151), boite::EXCLAMATION);
    return true;
  }
  return false;
}

namespace {
// Our draw offer waits for its answer: the answer must be about the position
// both boards show, so no move of ours goes before it (its move may still
// cross the offer on the wire; its answer then follows that move).
bool attend_reponse_nulle() {
  if (mode_jeux != 3 || !liens_jeu().nulle_proposee || !liens_jeu().nulle_proposee()) return false;
  plateforme::boite_message(texte(926), boite::EXCLAMATION);
  return true;
}
}  // namespace

void plateau::clic_depart(int colonne, int ligne) {
  // A network game goes on from its current position only: a click while
  // an earlier one is shown brings the current one back, and is not a move.
  if (mode_jeux == 3 && revient_position_courante(*this)) return;
  const int code = Echiquier->Piece(colonne, ligne);
  if (code == CASE_VIDE) return;
  if (partie_terminee_pour_clic()) return;
  if (piece_refusee(code) || attend_reponse_nulle()) return;
  // The icon first: when it cannot be read the piece stays where it is.
  prend_icone_souris(code);
  piece_levee = code;
  setCursor(icone_souris);
  Echiquier->Piece(colonne, ligne, CASE_VIDE);
  colonne_depart = colonne;
  ligne_depart = ligne;
  etat_clic = 1;
  joue_son(2);
}

void plateau::clic_arrivee(int colonne, int ligne) {
  // The game ended while the piece was held (a clock ran out): it goes back.
  if (partie_terminee_pour_clic() || attend_reponse_nulle()) {
    remet_piece();
    return;
  }
  const int i = List1->currentRow();
  const int n = List1->count();
  // A network game is never cut: both boards must keep the same moves.
  if (mode_jeux != 3 && i != -1 && i != n - 1) {
    const bool noir = List1->item(i)->text().contains(QStringLiteral("..."));
    const bool adverse = (noir && couleur_joueur == BLANC) || (!noir && couleur_joueur == NOIR);
    if (!adverse) {
      plateforme::boite_message(texte(151), boite::EXCLAMATION);
      remet_piece();
      return;
    }
    if (plateforme::boite_message(texte(177), boite::OUI_NON) != boite::OUI) {
      remet_piece();
      return;
    }
    coupe_partie(i);
  }
  if (colonne == colonne_depart && ligne == ligne_depart) {
    remet_piece();
    return;
  }
  joue_coup_humain(colonne, ligne);
}

void plateau::clic_programmation(int colonne, int ligne) {
  if (piece_choisie == 1) {
    unsetCursor();
    Echiquier->Piece(colonne, ligne, piece_levee);
    piece_choisie = 0;
  } else {
    Echiquier->Piece(colonne, ligne, CASE_VIDE);
  }
}

// The lifted piece goes back to its square, on the control and on the board
// array alike.
void plateau::remet_piece() {
  Echiquier->Piece(colonne_depart, ligne_depart, piece_levee);
  tab_echiquier(colonne_depart, ligne_depart) = piece_levee;
  unsetCursor();
  etat_clic = 0;
}

void plateau::remet_piece_levee() {
  if (etat_clic == 1) remet_piece();
}

// The game goes on from line k: later lines, their positions and their part
// of the movetexts go.
void plateau::coupe_partie(int k) {
  ControlesPartie c = controles();
  ::coupe_partie(c, k + 1);
}

// The letter of the promoted piece, in the letters of the notation in use;
// an empty answer (the box cancelled) abandons the move.
int plateau::demande_promotion(int couleur, bool& annule) {
  const QString lettres = style_notation == 1 ? QStringLiteral("DTCF") : QStringLiteral("QRNB");
  const int types[4] = {TYPE_DAME, TYPE_TOUR, TYPE_CAVALIER, TYPE_FOU};
  QString invite = texte(171);
  QString defaut = texte(178);
  if (defaut != lettres.left(1)) {
    // The language's wording names other letters than the notation in use.
    defaut = lettres.left(1);
    invite += QStringLiteral(" (") + QString(lettres).split(QString(), Qt::SkipEmptyParts).join(QLatin1Char(',')) +
              QStringLiteral(")");
  }
  annule = false;
  for (;;) {
    const QString reponse = plateforme::boite_saisie(invite, QString(), defaut).trimmed().toUpper();
    if (reponse.isEmpty()) {
      annule = true;
      return 0;
    }
    if (reponse.size() == 1) {
      const int k = lettres.indexOf(reponse[0]);
      if (k >= 0) return couleur == BLANC ? types[k] + 6 : types[k];
    }
  }
}

void plateau::joue_coup_humain(int colonne, int ligne) {
  // The board array takes what the control shows: the source reads empty.
  recharge_tab_echiquier();
  const int code_avant = tab_echiquier(colonne, ligne);
  const int couleur = couleur_piece(piece_levee);
  int valide = coup_valide(piece_levee, colonne_depart, ligne_depart, code_avant, colonne, ligne);

  // The own king once the piece stands on the destination (and a pawn taken
  // en passant is gone).
  int attaques;
  {
    const EtatPlateau avant = sauve_etat();
    tab_echiquier(colonne, ligne) = piece_levee;
    if (valide && type_piece(piece_levee) == TYPE_PION && code_avant == CASE_VIDE && colonne != colonne_depart)
      tab_echiquier(colonne, ligne_depart) = CASE_VIDE;
    attaques = echecs_au_roi(couleur);
    restaure_etat(avant);
  }
  if (attaques > 0) {
    ajoute_ligne_commentaire(texte(172));
    valide = 0;
  }
  if (valide == 0) {
    ajoute_ligne_commentaire(texte(143));
    remet_piece();
    joue_son(0);
    return;
  }

  int promotion = 0;
  if (type_piece(piece_levee) == TYPE_PION && (ligne == 1 || ligne == 8)) {
    bool annule = false;
    promotion = demande_promotion(couleur, annule);
    // A clock may run out while the question is open: then no move follows.
    if (annule || partie_terminee_pour_clic()) {
      remet_piece();
      return;
    }
  }

  tab_echiquier(colonne_depart, ligne_depart) = piece_levee;
  unsetCursor();
  CoupPartie coup;
  coup.source = SourceCoup::MAIN;
  coup.col_s = colonne_depart;
  coup.lig_s = ligne_depart;
  coup.col_d = colonne;
  coup.lig_d = ligne;
  coup.promotion = promotion;
  ControlesPartie c = controles();
  const Verdict verdict = joue_coup_partie(c, coup);
  if (verdict != Verdict::CONTINUE) {
    sablier(0);
    return;
  }
  if (mode_jeux == 1) reponse_machine();
}
