// The benchmarks' PGN files, written as other programs write them:
// Windows-1252 names, CRLF, the seven tags and a few more.
// - genere_fichier_pgn(chemin, dossier_eco, nb): games of a realistic length
//   (40 to 70 moves), each a real opening line of data-src/eco played on with
//   legal moves, some with comments, NAGs and variations that are legal from
//   where they branch; every move is played through the program's rules, so
//   a validating reader takes every game.
// - genere_fichier_pgn(chemin, lignes, nb, suites): the opening lines alone,
//   short games for the benches that only need many different lines.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/regles.h"
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
    t += QStringLiteral("[Result \"%1\"]\r\n").arg(resultat);
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

// --- Games played on from an opening line ----------------------------------------

// A legal move of `couleur` on tab_echiquier drawn by `g` (a piece drawn,
// then one of its moves); false when that side has none.
inline bool coup_au_hasard(int couleur, std::mt19937& g, std::array<int, 4>& coup) {
  std::vector<std::array<int, 2>> pieces;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l)
      if (couleur_piece(tab_echiquier(c, l)) == couleur) pieces.push_back({c, l});
  std::shuffle(pieces.begin(), pieces.end(), g);
  std::vector<std::array<int, 4>> coups;
  for (const auto& [c, l] : pieces) {
    for (int cd = 1; cd <= 8; ++cd)
      for (int ld = 1; ld <= 8; ++ld)
        if ((cd != c || ld != l) && coup_legal(c, l, cd, ld)) coups.push_back({c, l, cd, ld});
    if (!coups.empty()) {
      coup = coups[g() % coups.size()];
      return true;
    }
  }
  return false;
}

// A move's short text as PGN writes it, without number or blank ("Nf3",
// "exd6": the program marks an en-passant capture, PGN does not); empty for
// a bare number.
inline std::string jeton_pgn(const std::string& t) {
  const std::size_t p = t.find_first_not_of(" 0123456789.");
  if (p == std::string::npos) return {};
  std::string jeton = t.substr(p);
  if (const std::size_t ep = jeton.find("e.p."); ep != std::string::npos) jeton.erase(ep, 4);
  return jeton;
}

// Plays `coup` for `couleur` and gives its text (jeton_pgn).
inline std::string joue_au_hasard(int couleur, const std::array<int, 4>& coup) {
  if (couleur == BLANC) ++numero_coup;
  return jeton_pgn(joue_coup(coup[0], coup[1], coup[2], coup[3], 0).texte_court);
}

// The movetext of a game (CRLF lines of at most 79 characters, the result at
// the end): `ligne` (an opening line as lignes_eco gives it) played on with
// moves drawn by `g` up to 80 to 140 half-moves, and its result in
// `resultat` (that of the mate or stalemate when it ends so). One game in three has a
// comment after a move, one in four NAGs, one in five a variation of one to
// six half-moves replacing a move of the main line. Every move is legal.
inline std::string partie_jouee(const std::string& ligne, std::mt19937& g, std::string& resultat) {
  static const char* const commentaires[] = {
      "{Le coup le plus jou\xE9 ici.}", "{Une id\xE9" "e de Gr\xFC" "nfeld.}", "{Menace \xE9vidente.}",
      "{The only move.}", "{Avec l'id\xE9" "e f5.}"};
  static const char* const nags[] = {"$1", "$2", "$3", "$4", "$5", "$6", "$14", "$16"};
  PositionGardee garde;
  couleur_joueur = BLANC;
  style_notation = 2;
  reinitialise_etat_jeu();
  std::vector<std::string> jetons;
  {
    const std::string ouverture = movetext_de_ligne(ligne);  // plays it on the board
    std::size_t d = 0;
    while (d < ouverture.size()) {
      std::size_t f = ouverture.find(' ', d);
      if (f == std::string::npos) f = ouverture.size();
      if (std::string j = jeton_pgn(ouverture.substr(d, f - d)); !j.empty()) jetons.push_back(j);
      d = f + 1;
    }
  }
  // Who moves first after the opening, and the half-moves already played.
  int demi = static_cast<int>(jetons.size());
  const int total = 80 + static_cast<int>(g() % 61);
  const bool avec_commentaire = g() % 3 == 0, avec_nags = g() % 4 == 0, avec_variation = g() % 5 == 0;
  const int ply_commentaire = 1 + static_cast<int>(g() % static_cast<unsigned>(total - 1));
  const int ply_variation = demi + 1 + static_cast<int>(g() % 20);
  std::vector<std::string> apres(static_cast<std::size_t>(total) + 1);  // text after half-move i
  static const char* const resultats[] = {"1-0", "0-1", "1/2-1/2", "*"};
  const char* fin = resultats[g() % 4];
  while (demi < total) {
    const int couleur = demi % 2 == 0 ? BLANC : NOIR;
    std::array<int, 4> coup;
    if (!coup_au_hasard(couleur, g, coup)) {
      fin = echecs_au_roi(couleur) > 0 ? (couleur == BLANC ? "0-1" : "1-0") : "1/2-1/2";
      break;
    }
    std::string variation;
    if (avec_variation && demi + 1 == ply_variation) {
      // Another move from the same position, and a few after it.
      const EtatPlateau avant = sauve_etat();
      const int numero = numero_coup, trait = dernier_trait;
      std::array<int, 4> autre = coup;
      for (int essai = 0; essai < 8; ++essai)
        if (coup_au_hasard(couleur, g, autre) && autre != coup) break;
      if (autre != coup) {
        variation = std::to_string(numero + (couleur == BLANC ? 1 : 0)) + (couleur == BLANC ? "." : "...") +
                    joue_au_hasard(couleur, autre);
        const int longueur = 1 + static_cast<int>(g() % 6);
        for (int k = 1; k < longueur; ++k) {
          const int c = (demi + k) % 2 == 0 ? BLANC : NOIR;
          std::array<int, 4> suite;
          if (!coup_au_hasard(c, g, suite)) break;
          if (c == BLANC) variation += " " + std::to_string(numero_coup + 1) + ".";
          else variation += " ";
          variation += joue_au_hasard(c, suite);
        }
      }
      restaure_etat(avant);
      numero_coup = numero;
      dernier_trait = trait;
    }
    jetons.push_back(joue_au_hasard(couleur, coup));
    ++demi;
    std::string& ajout = apres[static_cast<std::size_t>(demi)];
    if (avec_nags && g() % 6 == 0) ajout += std::string(" ") + nags[g() % 8];
    if (avec_commentaire && demi == ply_commentaire) ajout += std::string(" ") + commentaires[g() % 5];
    if (!variation.empty()) ajout += " (" + variation + ")";
  }
  // A game cut where its last move mates or stalemates ends so.
  if (std::array<int, 4> coup; demi == total && !coup_au_hasard(demi % 2 == 0 ? BLANC : NOIR, g, coup)) {
    const int couleur = demi % 2 == 0 ? BLANC : NOIR;
    fin = echecs_au_roi(couleur) > 0 ? (couleur == BLANC ? "0-1" : "1-0") : "1/2-1/2";
  }
  // The text: numbers before White's moves, and before Black's after a
  // comment or a variation.
  std::string corps, ligne_texte;
  auto mot = [&](const std::string& m) {
    if (!ligne_texte.empty() && ligne_texte.size() + 1 + m.size() > 79) {
      corps += ligne_texte + "\r\n";
      ligne_texte.clear();
    }
    if (!ligne_texte.empty()) ligne_texte += ' ';
    ligne_texte += m;
  };
  bool interrompu = false;
  for (std::size_t i = 0; i < jetons.size(); ++i) {
    const std::size_t numero = i / 2 + 1;
    if (i % 2 == 0)
      mot(std::to_string(numero) + "." + jetons[i]);
    else
      mot(interrompu ? std::to_string(numero) + "..." + jetons[i] : jetons[i]);
    interrompu = false;
    const std::string& a = apres[i + 1 < apres.size() ? i + 1 : 0];
    if (i + 1 < apres.size() && !a.empty()) {
      // Words of the annotations, a comment kept whole where it fits.
      std::size_t d = 1;
      while (d < a.size()) {
        std::size_t f = a[d] == '{' ? a.find('}', d) + 1 : a.find(' ', d);
        if (f == std::string::npos || f == 0) f = a.size();
        mot(a.substr(d, f - d));
        d = f + 1;
      }
      interrompu = a.find_first_of("{(") != std::string::npos;
    }
  }
  resultat = fin;
  mot(resultat);
  corps += ligne_texte + "\r\n\r\n";
  return corps;
}

// Writes `nb` games played on from the opening lines of the TSV files of
// `dossier_eco` to `chemin` (see partie_jouee), their text already in
// Windows-1252. A pool of games is played once and its games written over
// and over with their own tags. False when there are no lines or the file
// cannot be written.
inline bool genere_fichier_pgn(const QString& chemin, const QString& dossier_eco, long nb) {
  const std::vector<std::string> lignes = lignes_eco(dossier_eco);
  if (lignes.empty()) return false;
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const std::size_t taille_reserve = std::min<std::size_t>(4000, static_cast<std::size_t>(std::max(nb, 1L)));
  std::vector<std::string> reserve, resultats(taille_reserve);
  std::mt19937 g(20261210);
  for (std::size_t i = 0; i < taille_reserve; ++i)
    reserve.push_back(partie_jouee(lignes[(i * 7919) % lignes.size()], g, resultats[i]));
  const QStringList noms = {
      QStringLiteral("Dupont, Andr\u00e9"), QStringLiteral("M\u00fcller, J\u00fcrgen"), QStringLiteral("Smith, John"),
      QStringLiteral("Lef\u00e8vre, \u00c9lodie"), QStringLiteral("Nu\u00f1ez, Jos\u00e9"), QStringLiteral("Kowalski, Piotr"),
      QStringLiteral("Br\u00e6kke, S\u00f8ren"), QStringLiteral("Durand, Fran\u00e7oise"), QStringLiteral("Ivanov, Ivan"),
      QStringLiteral("Rossi, Marco"), QStringLiteral("\u00d6zt\u00fcrk, Ayla"), QStringLiteral("Garc\u00eda, Luc\u00eda")};
  const QStringList sites = {QStringLiteral("Besan\u00e7on FRA"), QStringLiteral("M\u00fcnchen GER"),
                             QStringLiteral("London ENG"), QStringLiteral("Gen\u00e8ve SUI"),
                             QStringLiteral("Reykjav\u00edk ISL")};
  QByteArray tampon;
  for (long i = 0; i < nb; ++i) {
    const std::size_t k = static_cast<std::size_t>(i) % reserve.size();
    const QString resultat = QString::fromStdString(resultats[k]);
    const int annee = 1990 + static_cast<int>(i % 35);
    QString t;
    t += QStringLiteral("[Event \"Open international %1\"]\r\n").arg(annee);
    t += QStringLiteral("[Site \"%1\"]\r\n").arg(sites[static_cast<int>(i % sites.size())]);
    t += QStringLiteral("[Date \"%1.%2.%3\"]\r\n")
             .arg(annee)
             .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
             .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
    t += QStringLiteral("[Round \"%1\"]\r\n").arg(1 + i % 11);
    t += QStringLiteral("[White \"%1\"]\r\n").arg(noms[static_cast<int>(i % noms.size())]);
    t += QStringLiteral("[Black \"%1\"]\r\n").arg(noms[static_cast<int>((i / 12 + 5) % noms.size())]);
    t += QStringLiteral("[Result \"%1\"]\r\n").arg(resultat);
    t += QStringLiteral("[WhiteElo \"%1\"]\r\n[BlackElo \"%2\"]\r\n").arg(1800 + i % 700).arg(1850 + i % 650);
    t += QStringLiteral("[ECO \"%1%2\"]\r\n").arg(QChar(u'A' + static_cast<char16_t>(i % 5))).arg(i % 100, 2, 10, QLatin1Char('0'));
    t += QStringLiteral("[EventDate \"%1.01.01\"]\r\n[TimeControl \"40/5400+30\"]\r\n\r\n").arg(annee);
    tampon += plateforme::encode_1252(t);
    tampon += QByteArray::fromStdString(reserve[k]);
    if (tampon.size() > (1 << 20)) {
      f.write(tampon);
      tampon.clear();
    }
  }
  f.write(tampon);
  return f.error() == QFile::NoError;
}

}  // namespace bench
