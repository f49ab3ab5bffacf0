// What a box quotes of a file or of a person: a setting's value, a tag, a
// move, a name, a path, a position, a received message. Such a value may be
// megabytes long; a box shows a readable part of it and stays inside the
// screen. Every message box and input box goes through texte_court(); a
// window that shows one value alone quotes it through cite().
#pragma once

#include <QString>

namespace plateforme {

// The longest run of characters without a blank a box quotes whole.
inline constexpr int CITATION_MAX = 80;
// The lines of a box and the characters of one of its lines.
inline constexpr int LIGNES_BOITE_MAX = 20;
inline constexpr int LIGNE_BOITE_MAX = 400;

// `valeur` cut after `max` characters and followed by "…" when longer (a
// character made of two UTF-16 units is never split).
QString cite(const QString& valeur, int max = CITATION_MAX);

// `texte` as a box shows it: a run without blank longer than CITATION_MAX
// keeps its beginning and its end around "…", CITATION_MAX characters in
// all; a line longer than `ligne_max` keeps its beginning
// and its end around "…" (the program's sentence around what it quotes);
// past `lignes_max` lines, the first ones and the last ones are kept around
// a line "…". A text within these bounds is given back as it stands.
QString texte_court(const QString& texte, int lignes_max = LIGNES_BOITE_MAX, int ligne_max = LIGNE_BOITE_MAX);

}  // namespace plateforme
