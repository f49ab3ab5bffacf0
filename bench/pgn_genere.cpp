// Writes the benchmark's PGN file (see genere_pgn.h):
//   bench_pgn_genere <file.pgn> [games, 100000 by default]
#include <QCoreApplication>
#include <cstdio>

#include "bench/genere_pgn.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: bench_pgn_genere <fichier.pgn> [parties]\n");
    return 1;
  }
  const long nb = args.size() > 2 ? args[2].toLong() : 100000;
  if (!bench::genere_fichier_pgn(args[1], QStringLiteral(MVD_BENCH_DIR "/../data-src/eco"), nb)) {
    std::fprintf(stderr, "bench_pgn_genere: file not written\n");
    return 1;
  }
  return 0;
}
