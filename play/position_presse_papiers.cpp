#include "play/position_presse_papiers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <exception>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/messages.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"

namespace {

// The board takes a new position as the start of a game of its own.
void nouvelle_partie_sur(ControlesPartie& controles) {
  controles.echiquier->clear_all();
  controles.liste->clear();
  historique_positions.clear();
  feuille_vierge();
}

}  // namespace

bool lit_chaine_position(const QString& texte, TableauCases& cases, int* numero_texte) {
  if (numero_texte) *numero_texte = 0;
  const QString chaine = texte.trimmed();
  if (chaine.size() != 64 || chaine.contains(QLatin1Char('/'))) return false;
  // Every character must be a piece code (characters outside Latin-1
  // become "?", which is none).
  TableauCases lu;
  if (!tableau_de_chaine(chaine.toLatin1().toStdString(), lu)) return false;
  // Both kings must stand on the board.
  bool roi_blanc = false, roi_noir = false;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      roi_blanc = roi_blanc || lu(c, l) == ROI_BLANC;
      roi_noir = roi_noir || lu(c, l) == ROI_NOIR;
    }
  if (!roi_blanc || !roi_noir) {
    if (numero_texte) *numero_texte = 176;
    return false;
  }
  cases = lu;
  return true;
}

void copie_position(const ControlesPartie& controles, int index) {
  try {
    std::string texte;
    if (index == 1) {
      texte = chaine_du_controle(*controles.echiquier);
    } else if (index == 2) {
      const mvdechiquier::Echiquier& e = *controles.echiquier;
      texte = ecrit_fen([&e](int c, int l) { return e.Piece(c, l); });
    } else {
      return;
    }
    QClipboard* presse_papiers = QGuiApplication::clipboard();
    presse_papiers->clear();
    presse_papiers->setText(QString::fromLatin1(texte.data(), static_cast<int>(texte.size())));
  } catch (const std::exception& e) {
    plateforme::boite_erreur(QString::fromStdString(e.what()));
  }
}

CollageLu colle_position(ControlesPartie& controles) {
  try {
    const QString contenu = QGuiApplication::clipboard()->text().trimmed();
    const bool barre = contenu.contains(QLatin1Char('/'));
    if (!barre && contenu.size() == 64) {
      TableauCases cases;
      int numero = 0;
      if (!lit_chaine_position(contenu, cases, &numero)) {
        if (numero != 0)
          plateforme::boite_message(texte(numero), boite::EXCLAMATION);
        return CollageLu::RIEN;
      }
      // Every picture is read before the game in hand is given up.
      controles.echiquier->lit_icones();
      nouvelle_partie_sur(controles);
      for (int c = 1; c <= 8; ++c)
        for (int l = 1; l <= 8; ++l) pose_case(controles, c, l, cases(c, l));
      roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
      numero_coup = 0;
      memorise_controle(controles);
      return CollageLu::CHAINE;
    }
    if (barre && contenu.size() < 100) {
      const std::optional<PositionFen> position = lit_fen(contenu.toStdString(), couleur_joueur);
      if (!position) {
        plateforme::boite_message(texte(338), boite::EXCLAMATION);
        return CollageLu::RIEN;
      }
      controles.echiquier->lit_icones();
      nouvelle_partie_sur(controles);
      applique_position_fen(*position);
      montre_tab_echiquier(controles);
      memorise_controle(controles);
      return CollageLu::FEN;
    }
  } catch (const std::exception& e) {
    plateforme::boite_erreur(QString::fromStdString(e.what()));
  }
  return CollageLu::RIEN;
}
