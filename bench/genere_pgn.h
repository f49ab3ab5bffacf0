// The benchmark's PGN file: games made from the opening lines of
// data-src/eco (real games' openings, each played through the program's
// rules), written as other programs write them: Windows-1252 names, CRLF,
// the seven tags and a few more, comments, variations and NAGs on some games.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <string>
#include <vector>

#include "openings/ligne_eco.h"
#include "platform/fichiers_texte.h"

namespace bench {

// The opening lines of the TSV files of `dossier` (the pgn column), each as
// the program writes it.
inline std::vector<std::string> lignes_eco(const QString& dossier) {
  std::vector<std::string> lignes;
  for (const char* nom : {"a.tsv", "b.tsv", "c.tsv", "d.tsv", "e.tsv"}) {
    QFile f(dossier + QLatin1Char('/') + QLatin1String(nom));
    if (!f.open(QIODevice::ReadOnly)) continue;
    QTextStream flux(&f);
    flux.setEncoding(QStringConverter::Utf8);
    flux.readLine();  // the header
    while (!flux.atEnd()) {
      const QStringList champs = flux.readLine().split(QLatin1Char('\t'));
      if (champs.size() < 3) continue;
      try {
        lignes.push_back(movetext_de_ligne(champs[2].toStdString()));
      } catch (const std::exception&) {
      }
    }
  }
  return lignes;
}

// Writes `nb` games made from `lignes` to `chemin`. With `suites`, a game
// whose line is short and ends on Black's move gets a White move of its own
// after it, so that the games part ways. False when there are no lines or the
// file cannot be written.
inline bool genere_fichier_pgn(const QString& chemin, const std::vector<std::string>& lignes, long nb,
                               bool suites = false) {
  if (lignes.empty()) return false;
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const QStringList noms = {
      QStringLiteral("Dupont, Andr\u00e9"), QStringLiteral("M\u00fcller, J\u00fcrgen"), QStringLiteral("Smith, John"),
      QStringLiteral("Lef\u00e8vre, \u00c9lodie"), QStringLiteral("Nu\u00f1ez, Jos\u00e9"), QStringLiteral("Kowalski, Piotr"),
      QStringLiteral("Br\u00e6kke, S\u00f8ren"), QStringLiteral("Durand, Fran\u00e7oise"), QStringLiteral("Ivanov, Ivan"),
      QStringLiteral("Rossi, Marco")};
  const QStringList sites = {QStringLiteral("Besan\u00e7on FRA"), QStringLiteral("M\u00fcnchen GER"),
                             QStringLiteral("London ENG"), QStringLiteral("Gen\u00e8ve SUI")};
  const char* const resultats[] = {"1-0", "0-1", "1/2-1/2", "*"};
  QByteArray tampon;
  for (long i = 0; i < nb; ++i) {
    const std::string& coups = lignes[static_cast<std::size_t>(i) % lignes.size()];
    const std::string& variante = lignes[static_cast<std::size_t>(i * 7 + 3) % lignes.size()];
    const char* resultat = resultats[i % 4];
    QString t;
    t += QStringLiteral("[Event \"Open %1\"]\r\n").arg(1990 + i % 35);
    t += QStringLiteral("[Site \"%1\"]\r\n").arg(sites[static_cast<int>(i % sites.size())]);
    t += QStringLiteral("[Date \"%1.%2.%3\"]\r\n")
             .arg(1990 + i % 35)
             .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
             .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
    t += QStringLiteral("[Round \"%1\"]\r\n").arg(1 + i % 11);
    t += QStringLiteral("[White \"%1\"]\r\n").arg(noms[static_cast<int>(i % noms.size())]);
    t += QStringLiteral("[Black \"%1\"]\r\n").arg(noms[static_cast<int>((i / 10 + 3) % noms.size())]);
    t += QStringLiteral("[Result \"%1\"]\r\n").arg(QLatin1String(resultat));
    t += QStringLiteral("[WhiteElo \"%1\"]\r\n[BlackElo \"%2\"]\r\n").arg(1800 + i % 700).arg(1850 + i % 650);
    t += QStringLiteral("[ECO \"%1%2\"]\r\n\r\n").arg(QChar(u'A' + static_cast<char16_t>(i % 5))).arg(i % 100, 2, 10, QLatin1Char('0'));
    // The movetext, cut into lines of at most 79 characters.
    std::string mt = coups;
    if (suites) {
      static const char* const propres[] = {"a3", "h3", "a4", "h4", "Nc3", "Nf3", "g3", "b3"};
      std::size_t demi = 0;  // one token a half-move ("1.e4 e5 2.Nf3")
      for (std::size_t p = mt.find_first_not_of(' '); p != std::string::npos;
           p = mt.find_first_not_of(' ', mt.find(' ', p)))
        ++demi;
      if (demi % 2 == 0 && demi < 12) mt += " " + std::to_string(demi / 2 + 1) + "." + propres[i % 8];
    }
    if (i % 3 == 0) {
      const auto blanc = mt.find(' ');
      if (blanc != std::string::npos) mt.insert(blanc, " {Le coup le plus jou\xC3\xA9 ici.} $1");
    }
    if (i % 5 == 0) mt += " (" + variante + ")";
    mt += std::string(" ") + resultat;
    std::string ligne;
    QString corps;
    std::size_t debut = 0;
    while (debut < mt.size()) {
      std::size_t fin = mt.find(' ', debut);
      if (fin == std::string::npos) fin = mt.size();
      const std::string mot = mt.substr(debut, fin - debut);
      if (!ligne.empty() && ligne.size() + 1 + mot.size() > 79) {
        corps += QString::fromStdString(ligne) + QStringLiteral("\r\n");
        ligne.clear();
      }
      ligne += (ligne.empty() ? "" : " ") + mot;
      debut = fin + 1;
    }
    corps += QString::fromStdString(ligne) + QStringLiteral("\r\n\r\n");
    tampon += plateforme::encode_1252(t + corps);
    if (tampon.size() > (1 << 20)) {
      f.write(tampon);
      tampon.clear();
    }
  }
  f.write(tampon);
  return f.error() == QFile::NoError;
}

// The same from the opening lines of the TSV files of `dossier_eco`.
inline bool genere_fichier_pgn(const QString& chemin, const QString& dossier_eco, long nb) {
  return genere_fichier_pgn(chemin, lignes_eco(dossier_eco), nb);
}

}  // namespace bench
