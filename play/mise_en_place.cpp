#include "play/mise_en_place.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <exception>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/messages.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "platform/boites.h"
#include "play/commandes_partie.h"
#include "play/controles_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/plateau.h"
#include "play/position_presse_papiers.h"

namespace {

// The colour drawn at the bottom while set-up lasts.
int orientation_mise_en_place = BLANC;

QPixmap image_piece(int code, int cote) {
  return QPixmap::fromImage(mvdechiquier::charge_image(plateau::fichier_icone(code), cote)
                                .scaled(cote, cote, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

void entre_mise_en_place(plateau& p) {
  mvdechiquier::Echiquier& e = *p.Echiquier;
  e.clear_all();
  for (int code = PION_NOIR; code <= ROI_BLANC; ++code) {
    try {
      p.Piece[code]->setPixmap(image_piece(code, 32));
    } catch (const std::exception& erreur) {
      // A picture missing from the piece set: its letter stands in the palette.
      p.Piece[code]->setText(QString(QLatin1Char(lettre_piece(2, code))));
      plateforme::boite_erreur(QString::fromStdString(erreur.what()));
    }
  }
  // The board turned with White at the bottom, then emptied.
  couleur_joueur = BLANC;
  dernier_trait = NOIR;
  orientation_mise_en_place = BLANC;
  e.init_echiquier(BLANC, e.PathImage(), QString());
  e.Init(CASE_VIDE);
  reperes_selon_orientation(p);
  p.List1->clear();
  historique_positions.clear();
  tab_echiquier.vide();
  feuille_vierge();
  roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
  piece_choisie = 0;
  p.unsetCursor();
  etat_clic = 99;
  p.Frame1->setVisible(true);
  p.Command3->setEnabled(false);
}

void Command2_Click(plateau& p) {
  if (machine_occupee()) return;
  if (plateforme::boite_message(texte(92), boite::OUI_NON) != boite::OUI) return;
  entre_mise_en_place(p);
}

void Piece_Click(plateau& p, int Index) {
  if (Index < PION_NOIR || Index > ROI_BLANC) return;
  if (piece_choisie == 0) {
    try {
      const QPixmap image = image_piece(Index, 32);
      p.setCursor(QCursor(image, image.width() / 2, image.height() / 2));
    } catch (const std::exception&) {
      p.setCursor(Qt::CrossCursor);
    }
    p.piece_levee = Index;
    piece_choisie = 1;
  } else {
    piece_choisie = 0;
    p.unsetCursor();
  }
}

bool Command4_Click(plateau& p) {
  if (machine_occupee()) return false;
  mvdechiquier::Echiquier& e = *p.Echiquier;
  TableauCases posees;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) posees(c, l) = e.Piece(c, l);
  // The position must be one a game can reach, White to move: the checks of
  // a pasted or loaded position.
  if (const DefautPosition defaut = defaut_position(posees, orientation_mise_en_place, NOIR);
      defaut != DefautPosition::AUCUN) {
    plateforme::boite_message(refus_position(defaut), boite::EXCLAMATION);
    return false;
  }
  bool nombre = false;
  const int numero = p.texte_coup->text().trimmed().toInt(&nombre);
  if (!nombre || numero < 1 || numero > 32767) {
    plateforme::boite_message(texte(233), boite::EXCLAMATION);
    return false;
  }

  ajoute_ligne_commentaire(texte(175));
  if (couleur_joueur == BLANC) {
    ajoute_ligne_commentaire(texte(152));
    ajoute_ligne_commentaire(texte(154));
  } else {
    ajoute_ligne_commentaire(texte(153));
  }

  quitte_mise_en_place(p);
  // The human's colour changed while the pieces were placed: the board turns
  // so that it stays at the bottom, the position stays the same.
  if (couleur_joueur != orientation_mise_en_place) {
    TableauCases pose;
    for (int c = 1; c <= 8; ++c)
      for (int l = 1; l <= 8; ++l) pose(9 - c, 9 - l) = e.Piece(c, l);
    e.init_echiquier(couleur_joueur, e.PathImage(), QString());
    for (int c = 1; c <= 8; ++c)
      for (int l = 1; l <= 8; ++l) e.Piece(c, l, pose(c, l));
    reperes_selon_orientation(p);
    orientation_mise_en_place = couleur_joueur;
  }
  ControlesPartie controles = p.controles();
  recharge_depuis_controle(controles);
  p.List1->clear();
  feuille_vierge();
  // A wing may castle while its king and rook stand on their first squares.
  for (const int couleur : {BLANC, NOIR})
    roque_interdit[couleur] = roques_en_place(tab_echiquier, couleur, couleur_joueur);
  dernier_trait = NOIR;
  numero_coup = numero - 1;
  // Recorded with its state, White to move at that number: the game's start.
  historique_positions.clear();
  memorise_controle(controles);

  // The machine opens the game when it has White (its search's move, unless
  // the pieces stand as at the usual start).
  if (couleur_joueur == NOIR && mode_jeux == 1) joue_machine();
  return true;
}

void commande_mise_en_place() {
  if (machine_occupee()) return;
  plateau* p = affiche_plateau();
  if (!p) return;
  entre_mise_en_place(*p);
}
