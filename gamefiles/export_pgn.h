// A game written in PGN export format, as other programs read it:
//
// - the Seven Tag Roster first and in its order (Event, Site, Date, Round,
//   White, Black, Result), "?" for a value that is unknown and "????.??.??"
//   for an unknown date, the date as "yyyy.mm.dd" (a "dd/mm/yyyy" date is
//   turned round), Result the game's result; the other tags after them in
//   the order they stand; "\" and the double quote escaped;
// - an empty line, the movetext, an empty line;
// - the movetext in standard algebraic notation, replayed from the start
//   position (or the one of the [FEN] tag): the disambiguation a reader
//   needs, "+" after a check and "#" after a mate, no "e.p."; "N." before a
//   White move, "N..." before a Black move that starts the movetext or
//   follows a comment; comments in braces, without a closing brace inside;
//   exactly one result token, the game's, at the end; lines of at most 79
//   characters, broken at blanks.
//
// A move that cannot be played on the board from there on is written as it
// was read, so nothing of the game is dropped.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gamefiles/movetext_pgn.h"

namespace pgn {

constexpr std::size_t LARGEUR_LIGNE_PGN = 79;

// A date tag value as "yyyy.mm.dd" ("??" for a part that is unknown).
std::string date_pgn(std::string_view valeur);

// The tag section in export form (each line ended by CRLF, then an empty
// line), from the tags as read (name, unescaped value) and the game's result.
std::string entete_export(const std::vector<std::pair<std::string, std::string>>& tags, const std::string& resultat);

// The movetext in export form, without its final line end: the moves of
// `m` replayed from `fen` (the start position when empty), with the
// comments when `commentaires`, then `resultat`. The lines are joined by
// CRLF, or held on one line when `une_ligne`.
std::string movetext_export(const MovetextLu& m, const std::string& fen, const std::string& resultat,
                            bool commentaires, bool une_ligne = false);

// The text of a game as the save form holds it (tag lines, then the
// movetext with its comments) in export form, its result `resultat` ("*"
// when that is no result token), ended by an empty line.
std::string partie_export(std::string_view texte, const std::string& resultat);

// The tags of a text of tag lines (a line that does not begin with "["
// ends them), values unescaped; `reste` gets what follows the tag lines.
std::vector<std::pair<std::string, std::string>> tags_du_texte(std::string_view texte, std::string_view* reste = nullptr);

// The position a game starts from: its FEN tag, unless SetUp says "0".
std::string fen_des_tags(const std::vector<std::pair<std::string, std::string>>& tags);

// A movetext on one line: every line end becomes a blank, and a comment
// running to the end of its line (";") becomes a comment in braces, so that
// it does not take the moves of the next lines with it.
// With `garde_lignes` the line ends stay: only the ";" comments change.
std::string movetext_sur_une_ligne(std::string_view movetext, bool garde_lignes = false);

}  // namespace pgn
