#include "play/modif_coup.h"

#include <QListWidget>
#include <cctype>
#include <exception>

#include "boardcontrol/echiquier.h"
#include "chess/repetitions.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "play/partie.h"
#include "play/rejoue.h"

namespace {

bool est_resultat(const std::string& t) { return t == "1-0" || t == "0-1" || t == "1/2-1/2" || t == "*"; }

// The move of a short or long text, without its move number: "12.Nf3" gives "Nf3".
std::string sans_numero(const std::string& coup) {
  size_t i = 0;
  while (i < coup.size() && std::isdigit(static_cast<unsigned char>(coup[i]))) ++i;
  if (i == 0 || i >= coup.size() || coup[i] != '.') return coup;
  while (i < coup.size() && coup[i] == '.') ++i;
  return coup.substr(i);
}


// Whether `chaine` (a history entry) holds `code` on the screen square
// (colonne, ligne).
bool tient(const std::string& chaine, int colonne, int ligne, int code) {
  return chaine.size() == 64 && piece_de_chaine(chaine, colonne, ligne) == code;
}

// Gives back the castling rights the last move (history entry n - 1 before
// it, n after it) may have taken away. Rights only shrink, so a wing held now
// was held before. A wing lost now was held before the move when the move
// castled on it, or when the game began at the start position and the king
// and that wing's rook stood on their first squares in every entry up to
// n - 1; otherwise it stays lost.
void roques_avant_dernier_coup(int couleur_du_coup, const QString& derniere, size_t n) {
  const TableauCases partie = tab_echiquier;
  place_position_depart();
  const bool depuis_le_depart = historique_positions[0] == chaine_du_tableau(tab_echiquier);
  tab_echiquier = partie;
  const bool grand_roque = derniere.contains(QStringLiteral("O-O-O"));
  const bool petit_roque = !grand_roque && derniere.contains(QStringLiteral("O-O"));
  for (int couleur : {BLANC, NOIR}) {
    const int rangee = rangee_roi(couleur);
    const int roi = couleur == BLANC ? ROI_BLANC : ROI_NOIR;
    const int tour = couleur == BLANC ? TOUR_BLANCHE : TOUR_NOIRE;
    bool ailes[2];
    for (int aile : {AILE_ROI, AILE_DAME}) {
      bool tenue = roque_permis(couleur, aile);
      if (!tenue && couleur == couleur_du_coup) tenue = aile == AILE_ROI ? petit_roque : grand_roque;
      if (!tenue && depuis_le_depart) {
        tenue = true;
        for (size_t i = 0; i < n && tenue; ++i)
          tenue = tient(historique_positions[i], colonne_roi_depart(), rangee, roi) &&
                  tient(historique_positions[i], colonne_du_coin(aile), rangee, tour);
      }
      ailes[aile] = tenue;
    }
    definit_roques(couleur, ailes[AILE_ROI], ailes[AILE_DAME]);
  }
}

}  // namespace

std::string remplace_dernier_coup(const std::string& texte, const std::string& nouveau) {
  // Words from the end: [debut, fin) of the last one that is not a result.
  size_t fin = texte.size();
  while (true) {
    while (fin > 0 && std::isspace(static_cast<unsigned char>(texte[fin - 1]))) --fin;
    if (fin == 0) return texte;
    size_t debut = fin;
    while (debut > 0 && !std::isspace(static_cast<unsigned char>(texte[debut - 1]))) --debut;
    const std::string mot = texte.substr(debut, fin - debut);
    if (est_resultat(mot)) {
      fin = debut;
      continue;
    }
    const std::string coup = sans_numero(mot);
    const std::string numero = mot.substr(0, mot.size() - coup.size());
    return texte.substr(0, debut) + numero + nouveau + texte.substr(fin);
  }
}

void modifie_dernier_coup(ControlesPartie& controles) {
  QListWidget& liste = *controles.liste;
  const int n = liste.count();
  if (n == 0) return;
  const QString derniere = liste.item(n - 1)->text();
  // A finished game ends with its result line: no move to change.
  if (!derniere.contains(QLatin1Char('.'))) return;
  if (static_cast<int>(historique_positions.size()) < n + 1) return;

  const EtatPlateau avant = sauve_etat();
  const int numero_avant = numero_coup;
  const int demi_avant = nb_demi_coups;
  auto remet = [&] {
    restaure_etat(avant);
    numero_coup = numero_avant;
    nb_demi_coups = demi_avant;
  };
  try {
    const QString reponse = plateforme::boite_saisie(texte(112) + derniere + QStringLiteral("]\r\n") + texte(113));
    if (reponse.trimmed().isEmpty()) return;

    // The position before the last move, with its whole state, on the shared
    // board for the rules.
    const int couleur = derniere.contains(QStringLiteral("...")) ? NOIR : BLANC;
    if (!restaure_position(n - 1)) {
      // A history without states: the board of the entry, the castling
      // rights as they stood before the move.
      TableauCases position;
      if (!tableau_de_chaine(historique_positions[static_cast<size_t>(n - 1)], position)) return;
      for (int c = 1; c <= 8; ++c)
        for (int l = 1; l <= 8; ++l) tab_echiquier(c, l) = position(c, l);
      roques_avant_dernier_coup(couleur, derniere, static_cast<size_t>(n));
      dernier_trait = couleur_adverse(couleur);
      if (couleur == BLANC) --numero_coup;
    }

    std::string jeton = reponse.toStdString();
    int cs = 0, ls = 0, cd = 0, ld = 0, code = 0;
    std::string marques;
    decode_coup(couleur, style_notation, jeton, cs, ls, cd, ld, code, marques);
    const bool source = cs != 0 && ls != 0 && cd != 0 && ld != 0 && tab_echiquier(cs, ls) != CASE_VIDE &&
                        couleur_piece(tab_echiquier(cs, ls)) == couleur;
    if (!source || !coup_legal(cs, ls, cd, ld)) {
      remet();
      plateforme::boite_message(texte(520), boite::EXCLAMATION);
      return;
    }

    // The new move's text, to be confirmed.
    const int promotion = code_promotion_marques(marques, couleur);
    std::string long_rogne;
    {
      const EtatPlateau avant_coup = sauve_etat();
      const int numero = numero_coup;
      if (couleur == BLANC) ++numero_coup;
      long_rogne = rogne(joue_coup(cs, ls, cd, ld, promotion).texte_long);
      restaure_etat(avant_coup);
      numero_coup = numero;
    }
    if (plateforme::boite_message(texte(521) + QString::fromStdString(long_rogne) + texte(522), boite::OUI_NON) !=
        boite::OUI) {
      remet();
      return;
    }

    // The last move goes, the new one is played in its place.
    const std::string court_avant = texte_partie, long_avant = texte_partie_longue;
    const EtatPlateau position_avant = sauve_etat();
    const int numero = numero_coup, demi = nb_demi_coups;
    coupe_partie(controles, n - 1);
    restaure_etat(position_avant);
    numero_coup = numero;
    nb_demi_coups = demi;
    CoupPartie coup;
    coup.source = SourceCoup::MODIFICATION;
    coup.col_s = cs;
    coup.lig_s = ls;
    coup.col_d = cd;
    coup.lig_d = ld;
    coup.promotion = promotion;
    joue_coup_partie(controles, coup);
    // A loaded movetext keeps its comments and layout: only its last move
    // changes.
    auto dernier_mot = [](const std::string& t) {
      const std::string r = rogne(t);
      return sans_numero(r.substr(r.rfind(' ') == std::string::npos ? 0 : r.rfind(' ') + 1));
    };
    texte_partie = remplace_dernier_coup(court_avant, dernier_mot(texte_partie));
    texte_partie_longue = remplace_dernier_coup(long_avant, dernier_mot(texte_partie_longue));
  } catch (const std::exception& e) {
    remet();
    plateforme::boite_erreur(QString::fromStdString(e.what()));
  }
}
