// Growing the opening base from a PGN file, and the CSV export and import of
// its table, beside the sqlite3 command-line tool doing the same with the
// same file in the same run. One line per case, with the median, 99th
// percentile and worst of its rounds and the machine's load:
//   case=enrichissement_pgn  learning the first six moves of 10,000 games into
//                            a fresh copy of the shipped base
//   case=export_csv          the table of 100,000 lines written as CSV
//   case=sqlite3_export      `.mode csv` export of the same table by the tool
//   case=import_csv          the file read back, every line's moves played
//   case=sqlite3_import      `.import` of the same file by the tool, into a
//                            table of the same columns and indexes
// The program and the tool alternate (export, tool, import, tool) in each
// round; each ratio (the program's time over the tool's, round by round) is
// printed with the same figures. The CSV file stays in the working folder,
// its path printed, to be checked by hand. Beside the wall times, the
// median processor time of each case (the program's own, or the tool's),
// which the machine's load sways less.
//   QT_QPA_PLATFORM=offscreen bench_transferts_bench [rounds, 5]
// Run from the build folder (the shipped base is base/eco.db beside it).
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/aide_bench.h"
#include "bench/genere_pgn.h"
#include "gamefiles/enrichit_pgn.h"
#include "openings/base_eco.h"
#include "openings/csv_eco.h"
#include "openings/liens_ouvertures.h"
#include "platform/fichiers_texte.h"

namespace {

constexpr int LIGNES = 100000;

double secondes(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e9; }

// The processor seconds used so far by this process, or by its children
// that have ended (the tool).
double processeur(int qui) {
  rusage r{};
  getrusage(qui, &r);
  return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
         static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// A case's wall time and processor time, round by round.
struct Temps {
  bench::Mesures mur, cpu;
};

// Runs `travail` once, adding its times to `t`; its wall seconds.
template <typename F>
double chronometre(Temps& t, int qui, F&& travail) {
  const double avant = processeur(qui);
  QElapsedTimer c;
  c.start();
  if (!travail()) return -1;
  const double s = secondes(c);
  t.mur.ajoute(s);
  t.cpu.ajoute(processeur(qui) - avant);
  return s;
}

void affiche(const char* cas, long lignes, const Temps& t) {
  std::printf("case=%s rows=%ld%s cpu_median_s=%.3f\n", cas, lignes, bench::resume(t.mur, "s").c_str(),
              t.cpu.mediane());
  std::fflush(stdout);
}

void affiche_rapport(const char* nom, const bench::Mesures& m) {
  std::printf("ratio %s%s\n", nom, bench::resume(m, "x", 2).c_str());
  std::fflush(stdout);
}

// One run of the sqlite3 tool on `base` reading `script` on its input; false
// (with what it said) when it failed or said anything.
bool sqlite3_outil(const QString& base, const QString& script) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.setStandardInputFile(script);
  p.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), base});
  if (!p.waitForStarted(5000) || !p.waitForFinished(-1)) return false;
  const QByteArray dit = p.readAll();
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !dit.trimmed().isEmpty()) {
    std::fprintf(stderr, "sqlite3: %s\n", dit.constData());
    return false;
  }
  return true;
}

bool ecrit(const QString& chemin, const QString& texte) {
  QFile f(chemin);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(texte.toUtf8()) >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int tours = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  QTemporaryDir dossier;
  liens_ouvertures().patience = [] { return static_cast<FenetreProgression*>(nullptr); };
  std::printf("%s\n", bench::charge().c_str());

  // Learning from 10,000 games, each round into a fresh copy.
  const QString pgn = dossier.filePath(QStringLiteral("parties.pgn"));
  const std::vector<std::string> lignes = bench::lignes_eco(QStringLiteral(MVD_BENCH_DIR "/../data-src/eco"));
  if (!bench::genere_fichier_pgn(pgn, lignes, 10000, true)) {
    std::fprintf(stderr, "transferts_bench: the PGN file could not be made\n");
    return 1;
  }
  Temps apprentissage;
  BilanEnrichissement b;
  QString copie;
  for (int tour = 0; tour < tours; ++tour) {
    QFile::remove(dossier.filePath(QStringLiteral("eco.db")));
    copie = bench::copie_base_livree(dossier, "transferts_bench");
    if (copie.isEmpty()) return 1;
    ouvre_base_eco(copie);
    chronometre(apprentissage, RUSAGE_SELF, [&] {
      b = enrichit_base_depuis_pgn(pgn);
      return true;
    });
    db_eco.ferme();
  }
  affiche("enrichissement_pgn", b.parties, apprentissage);
  std::printf("# lines added: %d\n", b.lignes);

  // A table of 100,000 lines of the shipped openings (the import plays every
  // line), names with characters Windows-1252 lacks.
  ouvre_base_eco(copie);
  const int deja = db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt();
  db_eco.transaction([&] {
    plateforme::Instruction ajout = db_eco.instruction(QStringLiteral(
        "INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) VALUES (?, ?, ?, ?, ?)"));
    for (int i = deja; i < LIGNES; ++i)
      ajout.execute({QStringLiteral("Z%1").arg(i % 100), QStringLiteral("Đurić; \"variante\" %1").arg(i),
                     QString::fromStdString(lignes[static_cast<std::size_t>(i) % lignes.size()]) + QStringLiteral(" *"),
                     i % 3 == 0 ? 1 : 0, i * 0.25});
    // The tool's table: the same columns and indexes, without the check on
    // the knowledge flag, which the file writes as a word.
    db_eco.execute(QStringLiteral(
        "CREATE TABLE ECO_outil (Eco_cle INTEGER PRIMARY KEY, Eco_code TEXT, Eco_libelle TEXT, "
        "Eco_coup TEXT NOT NULL, Eco_connaissance BOOLEAN, Eco_note REAL)"));
    db_eco.execute(QStringLiteral(
        "CREATE INDEX ECO_outil_coup ON ECO_outil (Eco_coup, Eco_note, Eco_connaissance, Eco_code)"));
    db_eco.execute(QStringLiteral(
        "CREATE INDEX ECO_outil_ordre ON ECO_outil (Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, "
        "length(Eco_coup) DESC, Eco_coup)"));
  });
  db_eco.ferme();

  // The files stay in the working folder.
  const QString csv = QDir::current().absoluteFilePath(QStringLiteral("transferts_bench_eco_%1.csv").arg(LIGNES));
  const QString csv_outil =
      QDir::current().absoluteFilePath(QStringLiteral("transferts_bench_eco_%1_sqlite3.csv").arg(LIGNES));
  const QString script_export = dossier.filePath(QStringLiteral("export.sql"));
  const QString script_import = dossier.filePath(QStringLiteral("import.sql"));
  const bool scripts =
      ecrit(script_export, QStringLiteral(".headers on\n.mode csv\n.separator \";\" \"\\r\\n\"\n.once '%1'\n"
                                          "SELECT * FROM ECO ORDER BY rowid;\n")
                               .arg(csv_outil)) &&
      ecrit(script_import, QStringLiteral(".mode csv\n.separator \";\" \"\\n\"\nBEGIN;\nDELETE FROM ECO_outil;\n"
                                          ".import --skip 1 '%1' ECO_outil\nCOMMIT;\n")
                               .arg(csv));
  if (!scripts) {
    std::fprintf(stderr, "transferts_bench: the tool's scripts could not be written\n");
    return 1;
  }

  Temps exports, exports_outil, imports, imports_outil;
  bench::Mesures rapport_export, rapport_import;
  int exportees = 0, importees = 0;
  bool outil = true;
  // The program's job, then the tool's on the same file, and the ratio of
  // the two.
  auto paire = [&](Temps& programme, Temps& sqlite3, bench::Mesures& rapport, const std::function<void()>& travail,
                   const QString& script) {
    const double nous = chronometre(programme, RUSAGE_SELF, [&] {
      travail();
      return true;
    });
    if (!outil) return;
    const double lui = chronometre(sqlite3, RUSAGE_CHILDREN, [&] { return sqlite3_outil(copie, script); });
    outil = lui >= 0;
    if (outil) rapport.ajoute(nous / lui);
  };
  for (int tour = 0; tour < tours; ++tour) {
    paire(exports, exports_outil, rapport_export, [&] { exportees = exporte_table_eco(copie, csv); }, script_export);
    paire(imports, imports_outil, rapport_import, [&] { importees = importe_table_eco(copie, csv); }, script_import);
  }
  std::printf("file=%s rows=%d\n", qPrintable(csv), exportees);
  affiche("export_csv", exportees, exports);
  affiche("import_csv", importees, imports);
  if (outil) {
    ouvre_base_eco(copie);
    const int outil_lignes = db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO_outil")).toInt();
    db_eco.ferme();
    affiche("sqlite3_export", exportees, exports_outil);
    affiche("sqlite3_import", outil_lignes, imports_outil);
    affiche_rapport("export_csv_vs_sqlite3", rapport_export);
    affiche_rapport("import_csv_vs_sqlite3", rapport_import);
    std::printf("sqlite3_file=%s\n", qPrintable(csv_outil));
  } else {
    std::printf("case=sqlite3 skipped (the tool did not run: tools/installe_paquets.sh installs it)\n");
  }
  std::printf("target import_csv median_s<2\n");
  return exportees == importees ? 0 : 1;
}
