// The PGN tag lines of the game in hand: one builder for the save form, the
// printout and the header of a game of machine against machine.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// The players of the game in hand and their ratings, by play mode (`mode`,
// as mode_jeux) and side:
// machine against machine, the first engine (White) against the second when
// it is loaded, else against itself, each with the Elo of its playing level;
// otherwise the user (name and rating of the current profile) on the side
// he plays and the first engine, with the Elo of the level it plays at, on
// the other. A level without an Elo label gives an empty rating.
struct JoueursPartie {
  QString blanc, noir, elo_blanc, elo_noir;
};
JoueursPartie joueurs_partie(int mode);

// The Elo label of a profile's playing level: empty for a level without
// one (the fifth) or outside the table.
QString elo_du_niveau(int profil);

// One tag line "[Name "value"]" and CRLF: "\" and the double quote are
// escaped, line ends and other control characters become blanks.
std::string ligne_tag(std::string_view nom, const QString& valeur);

// The tag lines built for a game that has none of its own: Event
// (`evenement`), Site, Date (`date`), Round "1", White, Black, WhiteElo,
// BlackElo, Result, ECO, Opening, Variation, then an empty line.
std::string entete_construite(const QString& evenement, const QString& date);
