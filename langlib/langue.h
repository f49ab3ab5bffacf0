// The language library: every text the program shows, in eight languages,
// under a numeric id.
//
// id = language index × 1000 + 10 + text number, the language index running
// 0 French, 1 English, 2 Italian, 3 Spanish, 4 German, 5 Portuguese,
// 6 Russian, 7 Polish. So the French text number n is id n + 10 and the
// English one n + 1010. Russian and Polish have no text 429.
#pragma once

#include <QString>
#include <QtGlobal>

#if defined(MVDLANG_CONSTRUCTION)
#define MVDLANG_EXPORT Q_DECL_EXPORT
#else
#define MVDLANG_EXPORT Q_DECL_IMPORT
#endif

class MVDLANG_EXPORT langue {
 public:
  // The text stored under `indice`, or the empty string when there is none
  // (a gap, an id outside every language, a negative id). Never fails and
  // never falls back on another language.
  QString affiche_texte(int indice) const;
};
