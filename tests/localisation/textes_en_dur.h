// Finding French words written in the program's code instead of asked for
// from the language library: every string literal of a source file, and
// whether it reads as French.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

namespace textes_en_dur {

struct Litteral {
  int ligne;      // 1-based
  QString texte;  // as written between the quotes, escapes kept
};

// The string literals of a C++ source, comments left out. A literal on a
// line that logs (qDebug, qWarning, qCInfo...) or that throws a logic error
// (a fault of the program, never a message for the user) is left out too.
inline std::vector<Litteral> litteraux(const QString& source) {
  std::vector<Litteral> r;
  int ligne = 1;
  int debut_ligne = 0;
  const qsizetype n = source.size();
  static const QRegularExpression hors_message(
      QStringLiteral("\\bq(C)?(Debug|Info|Warning|Critical)\\s*\\(|std::(logic_error|invalid_argument|out_of_range|"
                     "domain_error|length_error)\\b"));
  auto ligne_de = [&](qsizetype i) {
    qsizetype fin = source.indexOf(QLatin1Char('\n'), i);
    if (fin < 0) fin = n;
    return source.mid(debut_ligne, fin - debut_ligne);
  };
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = source[i];
    if (c == QLatin1Char('\n')) {
      ++ligne;
      debut_ligne = static_cast<int>(i + 1);
    } else if (c == QLatin1Char('/') && i + 1 < n && source[i + 1] == QLatin1Char('/')) {
      while (i + 1 < n && source[i + 1] != QLatin1Char('\n')) ++i;
    } else if (c == QLatin1Char('/') && i + 1 < n && source[i + 1] == QLatin1Char('*')) {
      for (i += 2; i + 1 < n && !(source[i] == QLatin1Char('*') && source[i + 1] == QLatin1Char('/')); ++i)
        if (source[i] == QLatin1Char('\n')) {
          ++ligne;
          debut_ligne = static_cast<int>(i + 1);
        }
      ++i;
    } else if (c == QLatin1Char('\'')) {
      for (++i; i < n && source[i] != QLatin1Char('\'') && source[i] != QLatin1Char('\n'); ++i)
        if (source[i] == QLatin1Char('\\')) ++i;
    } else if (c == QLatin1Char('"')) {
      const qsizetype debut = i + 1;
      for (++i; i < n && source[i] != QLatin1Char('"') && source[i] != QLatin1Char('\n'); ++i)
        if (source[i] == QLatin1Char('\\')) ++i;
      if (!hors_message.match(ligne_de(debut)).hasMatch()) r.push_back({ligne, source.mid(debut, i - debut)});
    }
  }
  return r;
}

// True when `texte` reads as French: an accented letter or a French quote
// mark, or, in a text of several words, a French word that English does not
// share (words in capitals are SQL and table names, not French; a letter
// after an apostrophe is English's "'s", and a French elision is a letter
// before an apostrophe and a word).
inline bool en_francais(const QString& texte) {
  static const QRegularExpression accent(QStringLiteral("[àâçéèêëîïôùûüÿœÀÂÇÉÈÊÎÔÙÛ«»]"));
  static const QRegularExpression mot(
      QStringLiteral("(?<![\\w%\\\\'’])(le|la|les|des|du|une|est|pas|ne|aucun|aucune|ligne|incorrect|incorrecte|adresse|"
                     "fichier|partie|parties|coup|coups|erreur|impossible|introuvable|vous|votre|dans|avec|pour|"
                     "sur|ou|et|au|aux|rien|cette|ce|attente|valeur|serveur|jouez|envoi|refus|nom|colonne)"
                     "(?=[\\s'’,.:;!?)]|$)|(?<![\\w%\\\\'’])(n|l|d|qu|c|s|j)(?=['’]\\w)"),
      QRegularExpression::CaseInsensitiveOption);
  if (accent.match(texte).hasMatch()) return true;
  if (!texte.trimmed().contains(QLatin1Char(' '))) return false;
  for (auto m = mot.globalMatch(texte); m.hasNext();) {
    const QRegularExpressionMatch trouve = m.next();
    const QString w = trouve.captured(1).isEmpty() ? trouve.captured(2) : trouve.captured(1);
    if (w != w.toUpper()) return true;
  }
  return false;
}

}  // namespace textes_en_dur
