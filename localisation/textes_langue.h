// The language of the program: which texts it shows, and the notation that
// goes with them.
//
// Every text is asked for by its text number n; the language library holds
// it under the id base_texte + n, base_texte being 10 for French, 1010 for
// English, ... 7010 for Polish (language index × 1000 + 10).
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "platform/langue_messages.h"

class QObject;
class langue;

// Language key (setting CLE_LANGUE): 1 French, 2 English, 3 Italian,
// 4 Spanish, 5 German, 6 Portuguese, 7 Russian, 8 Polish. Any other value
// gives English.
extern int cle_langue;
// base_texte, the id of text 0 in the chosen language, is declared with the
// platform's messages (platform/langue_messages.h), which read it too.

// The program's one language object, made at its first use (the first step
// of the start-up) and kept until the end.
langue& objet_langue();

// Turns cle_langue into base_texte, resets the notation style (French
// letters for French, PGN letters otherwise) and sets the three notation
// marks of the main window to match. Sets no caption: callers follow it with
// affiche_libelles on the main window.
void applique_langue();

// The id of text `numero`: base_texte + numero in 16-bit arithmetic.
// Throws std::overflow_error when the sum leaves the 16-bit range.
int id_texte(int numero);
// Text `numero` in the current language ("" when the language lacks it).
QString texte(int numero);

// The name of the piece type of `code`, with its article, for messages:
// texts 156 to 161 ("un PION" ... "le ROI"); "" for an empty square or any
// other code, without asking the library.
QString nom_piece(int code);

// How applique_langue reaches the main window: the function returns the
// window (creating it when needed), whose children named
// notation_francaise, notation_pgn and notation_internationale (menu
// actions or buttons) get their check marks. Without a function installed,
// or when it returns no window, no mark is set.
void installe_fenetre_menu(std::function<QObject*()> fenetre);

// Start-of-run state: French key and French base. The installed window
// function stays.
void reinitialise_langue();
