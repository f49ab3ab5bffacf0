// Comments on moves: the board window's button `note` attaches a comment to
// the move selected in the move list; they live in commentaires_coups, where
// line j of the move list owns element j + 1.
#pragma once

#include <QString>
#include <string>

class QListWidget;

// The comment button for the selected line of `liste` (nothing when no line
// is selected, or when the line is not a move): asks for the text with text
// 200 (White) or 201 (Black), " N°" and the move number, proposing the line
// (after the move number for Black); an empty answer does nothing. The
// colour and the number are read from the lines (a White line begins with
// its number, a Black line with "....."), so a game set up or pasted at move
// 40, or with Black to move, is numbered as it was played. The
// answer, made safe for a PGN comment, becomes element j + 1 of
// commentaires_coups (the list grows as needed) or is added after one blank
// to the comment already there. With the comment window's item ticked, the
// comment window gets "{", the comment and "}" on a line of its own.
void commente_coup(QListWidget& liste);

// A comment as a PGN brace comment can hold it: "{" and "}" become "(" and
// ")", every run of blanks, tabs and line breaks one blank, none around it.
std::string comment_pgn(const QString& texte);
