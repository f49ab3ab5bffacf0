#include "play/controles_partie.h"

#include <QDir>
#include <QListWidget>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/repetitions.h"
#include "platform/chemins.h"
#include "play/partie.h"
#include "play/plateau.h"

namespace {
std::function<ControlesPartie()>& source_controles() {
  static std::function<ControlesPartie()> f;
  return f;
}
}  // namespace

ControlesPartie controles_jeu() {
  if (source_controles()) return source_controles()();
  if (plateau* p = plateau::existante()) return p->controles();
  return {};
}

void installe_controles_jeu(std::function<ControlesPartie()> source) { source_controles() = std::move(source); }

QString dossier_icones() {
  const ControlesPartie c = controles_jeu();
  if (c.echiquier && !c.echiquier->PathImage().isEmpty()) return c.echiquier->PathImage();
  return QDir(plateforme::chemin_appli()).filePath(QStringLiteral("images/pieces/Morvandel")) + QLatin1Char('/');
}

void pose_case(ControlesPartie& controles, int colonne, int ligne, int code) {
  tab_echiquier(colonne, ligne) = code;
  controles.echiquier->Piece(colonne, ligne, code);
}

void montre_tab_echiquier(ControlesPartie& controles) {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l)
      if (controles.echiquier->Piece(c, l) != tab_echiquier(c, l)) controles.echiquier->Piece(c, l, tab_echiquier(c, l));
}

void recharge_depuis_controle(const ControlesPartie& controles) {
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) tab_echiquier(c, l) = controles.echiquier->Piece(c, l);
}

std::string chaine_du_controle(const mvdechiquier::Echiquier& echiquier) {
  return chaine_position_de([&echiquier](int c, int l) { return echiquier.Piece(c, l); });
}

void memorise_controle(const ControlesPartie& controles) {
  historique_positions.push_back(chaine_du_controle(*controles.echiquier));
  memorise_etat();
}

void ajoute_ligne_selectionnee(ControlesPartie& controles, const QString& ligne) {
  controles.liste->addItem(ligne);
  controles.liste->setCurrentRow(controles.liste->count() - 1);
}

void feuille_vierge() {
  texte_partie.clear();
  texte_partie_longue.clear();
  resultat_partie = "*";
  // The tags of the game given up name another game.
  entete_pgn.clear();
  commentaires_coups.assign(1, std::string());
  notes_coups.clear();
  passant_blanc = 0;
  passant_noir = 0;
  nb_demi_coups = 0;
}

std::string chaine_du_tableau(const TableauCases& tableau) {
  return chaine_position_de([&tableau](int c, int l) { return tableau(c, l); });
}

bool tableau_de_chaine(const std::string& chaine, TableauCases& tableau) {
  if (chaine.size() != 64) return false;
  for (char ch : chaine) {
    const int code = static_cast<unsigned char>(ch) - 32;
    if (code < CASE_VIDE || code > ROI_BLANC) return false;
  }
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) tableau(c, l) = piece_de_chaine(chaine, c, l);
  return true;
}
