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

QString texte_defaut_position(DefautPosition defaut) {
  switch (defaut) {
    case DefautPosition::AUCUN: return QString();
    case DefautPosition::TEXTE: return texte(701);
    case DefautPosition::ROI_ABSENT:
    case DefautPosition::ROIS: return texte(702);
    case DefautPosition::PION_EXTREME: return texte(703);
    case DefautPosition::ECHEC: return texte(704);
    case DefautPosition::HOMMES: return texte(705);
    case DefautPosition::PIONS: return texte(706);
    case DefautPosition::PROMUES: return texte(707);
    case DefautPosition::PASSANT: return texte(708);
    case DefautPosition::DEUX_ECHECS: return texte(710);
  }
  return QString();
}

QString refus_position(DefautPosition defaut) {
  if (defaut == DefautPosition::AUCUN) return QString();
  if (defaut == DefautPosition::ROI_ABSENT) return texte(176);
  return texte(709).arg(texte_defaut_position(defaut));
}

bool lit_chaine_position(const QString& texte, TableauCases& cases, QString* refus, int dernier) {
  if (refus) refus->clear();
  const QString chaine = texte.trimmed();
  if (chaine.size() != 64 || chaine.contains(QLatin1Char('/'))) return false;
  // Every character must be a piece code (characters outside Latin-1
  // become "?", which is none).
  TableauCases lu;
  if (!tableau_de_chaine(chaine.toLatin1().toStdString(), lu)) return false;
  // A position a game can reach, the same checks as a FEN text's.
  const DefautPosition defaut = defaut_position(lu, couleur_joueur, dernier);
  if (defaut != DefautPosition::AUCUN) {
    if (refus) *refus = refus_position(defaut);
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
      QString refus;
      if (!lit_chaine_position(contenu, cases, &refus, dernier_trait)) {
        if (!refus.isEmpty()) plateforme::boite_message(refus, boite::EXCLAMATION);
        return CollageLu::RIEN;
      }
      // Every picture is read before the game in hand is given up.
      controles.echiquier->lit_icones();
      nouvelle_partie_sur(controles);
      for (int c = 1; c <= 8; ++c)
        for (int l = 1; l <= 8; ++l) pose_case(controles, c, l, cases(c, l));
      for (const int couleur : {BLANC, NOIR}) roque_interdit[couleur] = roques_en_place(cases, couleur, couleur_joueur);
      numero_coup = 0;
      memorise_controle(controles);
      return CollageLu::CHAINE;
    }
    if (barre && contenu.size() < 100) {
      DefautPosition defaut = DefautPosition::AUCUN;
      const std::optional<PositionFen> position = lit_fen(contenu.toStdString(), couleur_joueur, &defaut);
      if (!position) {
        plateforme::boite_message(defaut == DefautPosition::TEXTE ? texte(338) : refus_position(defaut),
                                  boite::EXCLAMATION);
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
