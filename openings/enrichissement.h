// Growing the opening base: the game in hand as one learned line, and the
// opening moves of games (from a PGN file) as lines of the base.
//
// Every line is stored in the program's own movetext form, the form of the
// shipped lines and of the game in hand ("1.e4 e5 2.Nf3"), made by playing
// the moves with the program's rules, so that the lookups find them.
#pragma once

#include <QSet>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "platform/base_donnees.h"

// The command "Toute la partie en cours": the game in hand, followed by its
// result, becomes a learned line of the base with the rating the user types
// (`note_proposee`, the evaluation of the last move, is offered). Refused
// with text 111 when the base is off for the engine profile in force or no
// move was played; with text 105 when the same learned line is in the base.
// A game that does not start from the start position cannot be learned.
// Every outcome is a message.
void enrichit_partie_en_cours(float note_proposee);

// A rating as the user types it: a decimal number, "." or "," before its
// decimals, from -1000 to 1000; nothing for any other text.
std::optional<double> lit_note(const QString& saisie);

// The number of half-moves of each game that become lines of the base: the
// first six move numbers.
constexpr int DEMI_COUPS_APPRIS = 12;

// Adds opening lines to db_eco: each prefix of a game followed by " *", with
// the game's ECO code as code and name, unless the base has that line
// already. The statements are made once for a whole file.
class AjoutPrefixes {
 public:
  AjoutPrefixes();
  // `prefixes` as prefixes_de_coups gives them; returns the lines added.
  int ajoute(const QString& code, const std::vector<std::string>& prefixes);

 private:
  plateforme::Instruction cherche_;
  plateforme::Instruction ajout_;
  QSet<QString> vues_;  // lines met in this run, in the base now either way
};
