// Growing the opening base from a PGN file, and the CSV export and import of
// its table. One line per case:
//   case=<job> rows=<rows or games> seconds=<wall time>
// Run from the build folder (the shipped base is base/eco.db beside it).
// Cases: learning the first six moves of 10,000 games into a copy of the
// shipped base; exporting and importing a table of 100,000 lines.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "gamefiles/enrichit_pgn.h"
#include "openings/base_eco.h"
#include "openings/csv_eco.h"
#include "openings/liens_ouvertures.h"
#include "platform/fichiers_texte.h"

namespace {

void affiche(const char* cas, long lignes, double secondes) {
  std::printf("case=%s rows=%ld seconds=%.3f\n", cas, lignes, secondes);
  std::fflush(stdout);
}

// A PGN file of `nb` games whose openings are lines of the base, written as
// other programs write them ("1. e4 e5 2. Nf3"), a result, an ECO tag on
// most games, a comment and a variation on some, and a few moves of their
// own after the line so that the games part ways.
QByteArray fichier_pgn(const std::vector<std::string>& lignes, int nb) {
  std::mt19937 hasard(7);
  const char* suites[] = {"a3", "h3", "a4", "h4", "Nc3", "Nf3", "g3", "b3"};
  const char* resultats[] = {"1-0", "0-1", "1/2-1/2", "*"};
  QByteArray t;
  for (int i = 0; i < nb; ++i) {
    const std::string& l = lignes[hasard() % lignes.size()];
    std::string coups;
    int demi = 0;
    for (std::size_t p = 0; p < l.size();) {
      std::size_t fin = l.find(' ', p);
      if (fin == std::string::npos) fin = l.size();
      std::string jeton = l.substr(p, fin - p);
      p = fin + 1;
      if (jeton == "*") break;
      const std::size_t point = jeton.find('.');
      if (point != std::string::npos) jeton.insert(point + 1, " ");
      coups += jeton + " ";
      ++demi;
      if (i % 7 == 0 && demi == 2) coups += "{a comment} (2. d4 d5) ";
    }
    if (demi % 2 == 0 && demi < 12) coups += std::to_string(demi / 2 + 1) + ". " + suites[hasard() % 8] + " ";
    const char* r = resultats[i % 4];
    t += "[Event \"Bench\"]\r\n[Site \"Dijon\"]\r\n[Date \"2024.05.01\"]\r\n[Round \"" + QByteArray::number(i) +
         "\"]\r\n[White \"A\"]\r\n[Black \"B\"]\r\n[Result \"" + r + "\"]\r\n";
    if (i % 5 != 0) t += "[ECO \"C" + QByteArray::number(i % 100) + "\"]\r\n";
    t += "\r\n" + QByteArray::fromStdString(coups) + r + "\r\n\r\n";
  }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString livree = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("base/eco.db"));
  if (!QFile::exists(livree)) {
    std::fprintf(stderr, "transferts_bench: %s is missing; build the project first\n", qPrintable(livree));
    return 1;
  }
  QTemporaryDir dossier;
  const QString copie = dossier.filePath(QStringLiteral("eco.db"));
  QFile::copy(livree, copie);
  liens_ouvertures().patience = [] { return static_cast<FenetreProgression*>(nullptr); };
  ouvre_base_eco(copie);

  // Learning from 10,000 games.
  std::vector<std::string> lignes;
  for (auto rs = db_eco.requete(QStringLiteral("SELECT Eco_coup FROM ECO")); !rs.fin(); rs.suivant())
    lignes.push_back(rs.texte(QStringLiteral("Eco_coup")).toStdString());
  const QString pgn = dossier.filePath(QStringLiteral("parties.pgn"));
  plateforme::remplace_fichier(pgn, fichier_pgn(lignes, 10000));
  QElapsedTimer t;
  t.start();
  const BilanEnrichissement b = enrichit_base_depuis_pgn(pgn);
  affiche("enrichissement_pgn", b.parties, t.nsecsElapsed() / 1e9);
  std::printf("# lines added: %d\n", b.lignes);

  // A table of 100,000 lines, names with characters Windows-1252 lacks.
  const int deja = db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt();
  db_eco.transaction([&] {
    plateforme::Instruction ajout = db_eco.instruction(QStringLiteral(
        "INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) VALUES (?, ?, ?, ?, ?)"));
    for (int i = deja; i < 100000; ++i)
      ajout.execute({QStringLiteral("Z%1").arg(i % 100), QStringLiteral("Đurić; \"variante\" %1").arg(i),
                     QStringLiteral("1.a3 a6 2.h3 h6 %1 *").arg(i), i % 3 == 0 ? 1 : 0, i * 0.25});
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
