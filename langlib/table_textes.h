// The texts compiled into the library: one entry per id, sorted by id.
// The table itself is made at build time from textes/*.txt.
#pragma once

namespace mvdlang {

struct EntreeTexte {
  int id;
  const char* texte;  // UTF-8
};

extern const EntreeTexte table_textes[];
extern const int nb_textes;

}  // namespace mvdlang
