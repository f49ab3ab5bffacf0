// The paste command on a bare board control: any clipboard text. A text
// taken leaves a board with both kings on the control and on the shared
// board alike; a text refused changes nothing.
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "fuzz/cibles/cibles.h"
#include "platform/chemins.h"
#include "platform/fichiers_texte.h"
#include "play/position_presse_papiers.h"

namespace fuzz {

namespace {

bool deux_rois(const TableauCases& t) {
  int blancs = 0, noirs = 0;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      blancs += t(c, l) == ROI_BLANC;
      noirs += t(c, l) == ROI_NOIR;
    }
  return blancs >= 1 && noirs >= 1;
}

}  // namespace

std::string chaine_position(const std::uint8_t* donnees, std::size_t taille) {
  static mvdechiquier::Echiquier* echiquier = new mvdechiquier::Echiquier;
  static QListWidget* liste = new QListWidget;
  ControlesPartie controles{echiquier, liste};
  reinitialise_etat_jeu();
  liste->clear();
  // A new game on the board, half the inputs in each orientation.
  couleur_joueur = taille % 2 ? NOIR : BLANC;
  echiquier->init_echiquier(couleur_joueur, plateforme::chemin_appli() + QStringLiteral("/images/pieces/Morvandel/"),
                            QString());
  recharge_depuis_controle(controles);
  historique_positions.clear();
  memorise_controle(controles);
  const TableauCases avant = tab_echiquier;
  QGuiApplication::clipboard()->setText(
      plateforme::decode_texte(QByteArray(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille))));
  const CollageLu lu = colle_position(controles);
  if (lu == CollageLu::RIEN) {
    if (!(tab_echiquier == avant)) faute("a refused paste changed the board");
    return "rien";
  }
  if (!deux_rois(tab_echiquier)) faute("a paste was taken without both kings");
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l)
      if (echiquier->Piece(c, l) != tab_echiquier(c, l)) faute("the board control and the board differ");
  if (historique_positions.size() != 1) faute("the pasted position is not the only one of the history");
  return lu == CollageLu::CHAINE ? "chaîne" : "fen";
}

}  // namespace fuzz
