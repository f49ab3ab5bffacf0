// Growing the opening base from a PGN file, and the CSV export and import of
// its table. One line per case:
//   case=<job> rows=<rows or games> seconds=<wall time>
// Run from the build folder (the shipped base is base/eco.db beside it).
// Cases: learning the first six moves of 10,000 games into a copy of the
// shipped base; exporting and importing a table of 100,000 lines.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

#include "gamefiles/enrichit_pgn.h"
#include "bench/aide_bench.h"
#include "bench/genere_pgn.h"
#include "openings/base_eco.h"
#include "openings/csv_eco.h"
#include "openings/liens_ouvertures.h"
#include "platform/fichiers_texte.h"

namespace {

void affiche(const char* cas, long lignes, double secondes) {
  std::printf("case=%s rows=%ld seconds=%.3f\n", cas, lignes, secondes);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dossier;
  const QString copie = bench::copie_base_livree(dossier, "transferts_bench");
  if (copie.isEmpty()) return 1;
  liens_ouvertures().patience = [] { return static_cast<FenetreProgression*>(nullptr); };
  ouvre_base_eco(copie);

  // Learning from 10,000 games.
  const QString pgn = dossier.filePath(QStringLiteral("parties.pgn"));
  const std::vector<std::string> lignes = bench::lignes_eco(QStringLiteral(MVD_BENCH_DIR "/../data-src/eco"));
  if (!bench::genere_fichier_pgn(pgn, lignes, 10000, true)) {
    std::fprintf(stderr, "transferts_bench: the PGN file could not be made\n");
    return 1;
  }
  QElapsedTimer t;
  t.start();
  const BilanEnrichissement b = enrichit_base_depuis_pgn(pgn);
  affiche("enrichissement_pgn", b.parties, t.nsecsElapsed() / 1e9);
  std::printf("# lines added: %d\n", b.lignes);

  // A table of 100,000 lines of the shipped openings (the import plays every
  // line), names with characters Windows-1252 lacks.
  const int deja = db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt();
  db_eco.transaction([&] {
    plateforme::Instruction ajout = db_eco.instruction(QStringLiteral(
        "INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) VALUES (?, ?, ?, ?, ?)"));
    for (int i = deja; i < 100000; ++i)
      ajout.execute({QStringLiteral("Z%1").arg(i % 100), QStringLiteral("Đurić; \"variante\" %1").arg(i),
                     QString::fromStdString(lignes[static_cast<std::size_t>(i) % lignes.size()]) + QStringLiteral(" *"),
                     i % 3 == 0 ? 1 : 0, i * 0.25});
  });
  db_eco.ferme();
  const QString csv = dossier.filePath(QStringLiteral("eco.csv"));
  t.restart();
  const int exportees = exporte_table_eco(copie, csv);
  affiche("export_csv", exportees, t.nsecsElapsed() / 1e9);
  t.restart();
  const int importees = importe_table_eco(copie, csv);
  affiche("import_csv", importees, t.nsecsElapsed() / 1e9);
  return exportees == importees ? 0 : 1;
}
