// The language of the messages the platform words itself (a database that
// refuses, a download that fails, a mail that cannot go).
//
// Every text lives in the language library; localisation chooses the
// language (applique_langue sets base_texte) and the platform reads its own
// messages through the library with that same base, so a box it fills speaks
// the user's language like every other.
#pragma once

#include <QString>
#include <cstdint>

// The id of text 0 in the chosen language: language index × 1000 + 10 (10
// French, 1010 English ... 7010 Polish). Set by applique_langue only.
extern std::int16_t base_texte;

namespace plateforme {

// Text `numero` of the language library in the chosen language ("" when the
// language lacks it).
QString texte_message(int numero);

// The library's own words after the program's sentence: "phrase\ndetail",
// or the sentence alone when the detail says nothing.
QString avec_detail(const QString& phrase, const QString& detail);

}  // namespace plateforme
