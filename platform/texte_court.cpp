#include "platform/texte_court.h"

#include <QList>
#include <QStringView>

namespace plateforme {

namespace {

const QChar POINTS(0x2026);

// Where a cut after `n` units falls so that no surrogate pair is split.
qsizetype coupure(QStringView s, qsizetype n) {
  if (n <= 0 || n >= s.size()) return qBound<qsizetype>(0, n, s.size());
  return s[n - 1].isHighSurrogate() && s[n].isLowSurrogate() ? n - 1 : n;
}

QStringView debut(QStringView s, qsizetype n) { return s.left(coupure(s, n)); }
QStringView fin(QStringView s, qsizetype n) { return s.mid(coupure(s, s.size() - n)); }

// Each run without blank of `ligne` cut to CITATION_MAX characters, its
// beginning and its end around "…".
QString mots_courts(QStringView ligne) {
  QString r;
  qsizetype i = 0;
  while (i < ligne.size()) {
    qsizetype j = i;
    if (ligne[i].isSpace()) {
      while (j < ligne.size() && ligne[j].isSpace()) ++j;
      r += ligne.mid(i, j - i);
    } else {
      while (j < ligne.size() && !ligne[j].isSpace()) ++j;
      const QStringView mot = ligne.mid(i, j - i);
      if (mot.size() > CITATION_MAX) {
        // Its end too: the file at the end of a path, the quote or bracket
        // that closes it.
        r += debut(mot, CITATION_MAX * 2 / 3);
        r += POINTS;
        r += fin(mot, CITATION_MAX - CITATION_MAX * 2 / 3 - 1);
      } else {
        r += mot;
      }
    }
    i = j;
  }
  return r;
}

QString ligne_courte(QStringView ligne, int ligne_max) {
  QString r = mots_courts(ligne);
  if (r.size() <= ligne_max) return r;
  // The beginning says what is quoted, the end what follows from it.
  const qsizetype tete = ligne_max * 2 / 3;
  const qsizetype queue = ligne_max - tete - 1;
  QString c = debut(r, tete).toString();
  c += POINTS;
  c += fin(r, queue);
  return c;
}

}  // namespace

QString cite(const QString& valeur, int max) {
  if (valeur.size() <= max) return valeur;
  return debut(valeur, max).toString() + POINTS;
}

QString texte_court(const QString& texte, int lignes_max, int ligne_max) {
  lignes_max = qMax(lignes_max, 3);
  ligne_max = qMax(ligne_max, CITATION_MAX + 2);
  const QStringView t(texte);
  // The lines from the start, one more than may be shown: only as many are
  // looked at, however many the text holds.
  QList<QStringView> tete;
  qsizetype pos = 0;
  bool reste = true;
  while (reste && tete.size() <= lignes_max) {
    const qsizetype n = t.indexOf(QLatin1Char('\n'), pos);
    tete.append(t.mid(pos, n < 0 ? -1 : n - pos));
    reste = n >= 0;
    pos = n + 1;
  }
  QList<QStringView> queue;
  if (tete.size() > lignes_max) {
    // Too many lines: the first ones, "…", and the last ones.
    const int nb_queue = qMax(1, lignes_max / 5);
    tete.resize(lignes_max - nb_queue - 1);
    qsizetype bout = t.size();
    for (int k = 0; k < nb_queue; ++k) {
      const qsizetype n = t.lastIndexOf(QLatin1Char('\n'), bout - 1);
      queue.prepend(t.mid(n + 1, bout - n - 1));
      bout = n;
    }
  }
  QString r;
  for (qsizetype i = 0; i < tete.size(); ++i) {
    if (i > 0) r += QLatin1Char('\n');
    r += ligne_courte(tete[i], ligne_max);
  }
  if (!queue.isEmpty()) {
    r += QLatin1Char('\n');
    r += POINTS;
    for (const QStringView l : queue) {
      r += QLatin1Char('\n');
      r += ligne_courte(l, ligne_max);
    }
  }
  return r;
}

}  // namespace plateforme
