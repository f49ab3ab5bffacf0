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
// BlackElo, Result, ECO, Opening, Variation, then an empty line. ECO and
// Opening are "inconnu" for a game begun from a position of its own.
std::string entete_construite(const QString& evenement, const QString& date);

// The FEN text of the position the game in hand started from (history entry
// 0 with the state recorded for it: side to move, castling, en-passant
// square, half-moves, move number); empty when that is the usual start
// position at move 1, or when no state is recorded for entry 0.
std::string fen_depart_partie();

// The game in hand began from the usual start position at move 1, as its
// save names it (no FEN): its movetext then counts from the position the
// opening base's lines, the default first move and the learned lines start
// from. A game begun from a pasted, set-up or loaded position gives false.
bool partie_depuis_debut();

// The tag lines `entete` (perhaps ended by an empty line) with [SetUp "1"]
// and [FEN "..."] after its last tag line when the game in hand started from
// a position of its own (fen_depart_partie) and the lines hold no FEN tag yet;
// otherwise `entete` as it is. A game so saved or printed names the position
// its moves are played from.
std::string avec_position_depart(const std::string& entete);

// The movetext `coups` of the game in hand as it is read on its own: when the
// game's first move is Black's, "N..." (N the move number of the start
// position) goes before it.
std::string movetext_numerote(const std::string& coups);
