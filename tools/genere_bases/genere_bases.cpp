// Build step: makes the two database files that ship with the program.
//
//   genere_bases <folder of *.tsv opening lines> <eco.db> <corres.db>
//
// The opening base receives one row per line of the TSV files (columns eco,
// name, pgn after a header line), in file order (files by name), each line
// played through the program's own rules and written as the movetext the game
// record holds after those moves, followed by " *". A line that does not
// replay stops the build with its file and line number. The correspondence
// base is created empty. Each file is written under a temporary name and
// renamed when complete.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <exception>

#include "chess/etat.h"
#include "chess/messages.h"
#include "openings/ligne_eco.h"
#include "platform/base_donnees.h"
#include "platform/schemas_bases.h"

namespace {

int echec(const QString& texte) {
  std::fprintf(stderr, "genere_bases: %s\n", texte.toLocal8Bit().constData());
  return 1;
}

// Creates `destination` through a temporary file; `remplit` fills it.
template <class F>
void ecrit_base(const QString& destination, const QStringList& schema, F&& remplit) {
  const QString provisoire = destination + QStringLiteral(".tmp");
  QFile::remove(provisoire);
  plateforme::BaseDonnees::cree(provisoire, schema);
  {
    plateforme::BaseDonnees base(QStringLiteral("generation"));
    base.ouvre(provisoire);
    base.transaction([&] { remplit(base); });
    const QStringList problemes = base.verifie();
    if (!problemes.isEmpty()) throw plateforme::ErreurBase(problemes.join(QLatin1Char('\n')));
    base.ferme();
  }
  QFile::remove(destination);
  if (!QFile::rename(provisoire, destination))
    throw plateforme::ErreurBase(QStringLiteral("impossible de renommer ") + provisoire);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 4) return echec(QStringLiteral("usage: genere_bases <dossier tsv> <eco.db> <corres.db>"));
  const QDir source(args[1]);
  const QStringList fichiers = source.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name);
  if (fichiers.isEmpty()) return echec(QStringLiteral("aucun fichier .tsv dans ") + args[1]);

  // A move the rules refuse stops the build rather than showing a box.
  bool erreur_coup = false;
  installe_afficheur_erreur([&](const std::string& texte, const std::string&) {
    std::fprintf(stderr, "genere_bases: %s\n", texte.c_str());
    erreur_coup = true;
  });

  try {
    int lignes = 0;
    ecrit_base(args[2], schemas::base_eco(), [&](plateforme::BaseDonnees& base) {
      for (const QString& nom : fichiers) {
        QFile f(source.filePath(nom));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
          throw plateforme::ErreurBase(QStringLiteral("lecture impossible : ") + f.fileName());
        QTextStream flux(&f);
        flux.setEncoding(QStringConverter::Utf8);
        int numero = 0;
        while (!flux.atEnd()) {
          const QString ligne = flux.readLine();
          ++numero;
          if (numero == 1 || ligne.trimmed().isEmpty()) continue;  // header
          const QStringList champs = ligne.split(QLatin1Char('\t'));
          const QString ou = QStringLiteral("%1:%2: ").arg(nom).arg(numero);
          if (champs.size() != 3) throw plateforme::ErreurBase(ou + QStringLiteral("trois colonnes attendues"));
          reinitialise_etat_jeu();
          std::string coups;
          try {
            coups = movetext_de_ligne(champs[2].toStdString());
          } catch (const std::exception& e) {
            throw plateforme::ErreurBase(ou + QString::fromStdString(e.what()));
          }
          if (erreur_coup || coups.empty()) throw plateforme::ErreurBase(ou + QStringLiteral("ligne illisible"));
          base.ajoute(QStringLiteral("ECO"), {{QStringLiteral("Eco_code"), champs[0].trimmed()},
                                              {QStringLiteral("Eco_libelle"), champs[1].trimmed()},
                                              {QStringLiteral("Eco_coup"), QString::fromStdString(coups + " *")},
                                              {QStringLiteral("Eco_connaissance"), 0},
                                              {QStringLiteral("Eco_note"), QVariant()}});
          ++lignes;
        }
      }
    });
    ecrit_base(args[3], schemas::base_corres(), [](plateforme::BaseDonnees&) {});
    std::printf("genere_bases: %d lignes d'ouverture\n", lignes);
  } catch (const plateforme::ErreurBase& e) {
    return echec(e.texte());
  } catch (const std::exception& e) {
    return echec(QString::fromStdString(e.what()));
  }
  return 0;
}
