#include "play/entete_partie.h"

#include <algorithm>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/poids.h"
#include "openings/reglages_ouvertures.h"
#include "play/parametres.h"
#include "play/partie.h"

QString elo_du_niveau(int profil) {
  if (profil < 0 || profil >= NB_PROFILS) return {};
  const int niveau = profondeur_max[profil];
  if (niveau < 0 || niveau > 4) return {};
  QString e = table_elo[niveau];
  e.remove(QChar(0));
  return e.trimmed();
}

JoueursPartie joueurs_partie(int mode) {
  JoueursPartie j;
  if (mode == 4) {
    const int second = profil2_charge ? 2 : 1;
    j.blanc = nom_moteur[1];
    j.noir = nom_moteur[second];
    j.elo_blanc = elo_du_niveau(1);
    j.elo_noir = elo_du_niveau(second);
    return j;
  }
  const int p = std::clamp(profil_moteur, 1, 2);
  const QString humain = nom_joueur[p];
  const QString classement = QString::number(niveau_elo[p]);
  const QString machine = nom_moteur[1];
  const QString force = elo_du_niveau(p);
  if (couleur_joueur == BLANC) {
    j = {humain, machine, classement, force};
  } else {
    j = {machine, humain, force, classement};
  }
  return j;
}

std::string ligne_tag(std::string_view nom, const QString& valeur) {
  QString v;
  v.reserve(valeur.size());
  for (QChar c : valeur) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
      v += QLatin1Char('\\');
    else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      c = QLatin1Char(' ');
    v += c;
  }
  return "[" + std::string(nom) + " \"" + v.toStdString() + "\"]\r\n";
}

std::string entete_construite(const QString& evenement, const QString& date) {
  const JoueursPartie j = joueurs_partie(mode_jeux);
  // The opening named by the base is that of a game from the usual start; a
  // game begun from a position of its own is named by none, whatever an
  // earlier game left.
  const bool nommee = partie_depuis_debut();
  const QString inconnu = QStringLiteral("inconnu");
  return ligne_tag("Event", evenement) + ligne_tag("Site", lieu_jeu) + ligne_tag("Date", date) +
         ligne_tag("Round", QStringLiteral("1")) + ligne_tag("White", j.blanc) + ligne_tag("Black", j.noir) +
         ligne_tag("WhiteElo", j.elo_blanc) + ligne_tag("BlackElo", j.elo_noir) +
         ligne_tag("Result", QString::fromStdString(resultat_partie)) + ligne_tag("ECO", nommee ? eco_courant : inconnu) +
         ligne_tag("Opening", nommee ? ouverture_courante : inconnu) + ligne_tag("Variation", QStringLiteral("a modifier")) + "\r\n";
}

namespace {

const char* const FEN_DEBUT = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// The state recorded for the start of the game, when there is one.
const EtatPosition* etat_depart() { return etat_position(0); }

bool a_un_tag_fen(const std::string& entete) {
  std::size_t i = 0;
  while (i < entete.size()) {
    std::size_t fin = entete.find('\n', i);
    if (fin == std::string::npos) fin = entete.size();
    std::size_t d = entete.find_first_not_of(" \t", i);
    if (d < fin && entete.compare(d, 4, "[FEN") == 0 && d + 4 < fin &&
        (entete[d + 4] == ' ' || entete[d + 4] == '"'))
      return true;
    i = fin + 1;
  }
  return false;
}

}  // namespace

std::string fen_depart_partie() {
  if (!etat_depart()) return {};
  std::string fen;
  {
    PositionGardee garde;
    restaure_position(0);
    fen = ecrit_fen([](int c, int l) { return tab_echiquier(c, l); });
  }
  return fen == FEN_DEBUT ? std::string() : fen;
}

bool partie_depuis_debut() {
  if (fen_depart_partie().empty()) return true;
  // The colour drawn at the bottom may have changed since the start was
  // recorded (the preferences): the start read the other way up.
  PositionGardee garde;
  couleur_joueur = couleur_joueur == BLANC ? NOIR : BLANC;
  return fen_depart_partie().empty();
}

std::string avec_position_depart(const std::string& entete) {
  if (a_un_tag_fen(entete)) return entete;
  const std::string fen = fen_depart_partie();
  if (fen.empty()) return entete;
  // After the last tag line; what follows it (the empty line) stays after.
  std::size_t apres = 0, i = 0;
  while (i < entete.size()) {
    std::size_t fin = entete.find('\n', i);
    fin = fin == std::string::npos ? entete.size() : fin + 1;
    const std::size_t d = entete.find_first_not_of(" \t", i);
    if (d < fin && entete[d] == '[') apres = fin;
    i = fin;
  }
  std::string avant = entete.substr(0, apres);
  if (!avant.empty() && avant.back() != '\n') avant += "\r\n";
  return avant + ligne_tag("SetUp", QStringLiteral("1")) + ligne_tag("FEN", QString::fromStdString(fen)) +
         entete.substr(apres);
}

std::string movetext_numerote(const std::string& coups) {
  const EtatPosition* e = etat_depart();
  const std::size_t d = coups.find_first_not_of(' ');
  if (!e || e->etat.trait != BLANC || d == std::string::npos) return coups;
  // Already numbered ("12..." or "12.").
  if (coups[d] >= '0' && coups[d] <= '9') return coups;
  return coups.substr(0, d) + std::to_string(e->numero) + "..." + coups.substr(d);
}
