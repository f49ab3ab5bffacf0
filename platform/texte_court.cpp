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

// A run without blank as a box shows it: a long one keeps its beginning and
// its end (the file at the end of a path, the quote or bracket that closes
// it) around "…", CITATION_MAX characters in all.
void ajoute_mot(QString& r, QStringView mot) {
  if (mot.size() <= CITATION_MAX) {
    r += mot;
    return;
  }
  r += debut(mot, CITATION_MAX * 2 / 3);
  r += POINTS;
  r += fin(mot, CITATION_MAX - CITATION_MAX * 2 / 3 - 1);
}

// The end of the run or of the blanks that begin at `i`.
qsizetype fin_morceau(QStringView l, qsizetype i) {
  const bool blanc = l[i].isSpace();
  while (i < l.size() && l[i].isSpace() == blanc) ++i;
  return i;
}
qsizetype debut_morceau(QStringView l, qsizetype j) {
  const bool blanc = l[j - 1].isSpace();
  while (j > 0 && l[j - 1].isSpace() == blanc) --j;
  return j;
}

// The first `n` characters of `ligne` as a box shows it (its long runs
// shortened), or all of it when shorter: only what is shown is built.
QString tete_courte(QStringView ligne, qsizetype n) {
  QString r;
  for (qsizetype i = 0; i < ligne.size() && r.size() <= n;) {
    const qsizetype j = fin_morceau(ligne, i);
    ajoute_mot(r, ligne.mid(i, j - i));
    i = j;
  }
  return r.size() > n ? debut(r, n).toString() : r;
}

// Its last `n` characters, the same way from the end.
QString queue_courte(QStringView ligne, qsizetype n) {
  QString r;
  for (qsizetype j = ligne.size(); j > 0 && r.size() <= n;) {
    const qsizetype i = debut_morceau(ligne, j);
    QString mot;
    ajoute_mot(mot, ligne.mid(i, j - i));
    r.prepend(mot);
    j = i;
  }
  return r.size() > n ? fin(r, n).toString() : r;
}

QString ligne_courte(QStringView ligne, int ligne_max) {
  QString r = tete_courte(ligne, ligne_max + 1);
  if (r.size() <= ligne_max) return r;
  // The beginning says what is quoted, the end what follows from it.
  const qsizetype tete = ligne_max * 2 / 3;
  r = debut(r, tete).toString();
  r += POINTS;
  r += queue_courte(ligne, ligne_max - tete - 1);
  return r;
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
