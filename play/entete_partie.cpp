#include "play/entete_partie.h"

#include <algorithm>

#include "chess/etat.h"
#include "chess/poids.h"
#include "openings/reglages_ouvertures.h"
#include "play/parametres.h"

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
  return ligne_tag("Event", evenement) + ligne_tag("Site", lieu_jeu) + ligne_tag("Date", date) +
         ligne_tag("Round", QStringLiteral("1")) + ligne_tag("White", j.blanc) + ligne_tag("Black", j.noir) +
         ligne_tag("WhiteElo", j.elo_blanc) + ligne_tag("BlackElo", j.elo_noir) +
         ligne_tag("Result", QString::fromStdString(resultat_partie)) + ligne_tag("ECO", eco_courant) +
         ligne_tag("Opening", ouverture_courante) + ligne_tag("Variation", QStringLiteral("a modifier")) + "\r\n";
}
