#include "platform/modele_table.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

#include "platform/base_donnees.h"

namespace plateforme {

namespace {

// The expression stands alone: outside its quoted texts it holds no ";" and
// every ")" closes a "(" of its own, so that between the brackets it is put
// in it remains one expression.
QString verifie_forme(const QString& e) {
  int profondeur = 0;
  QChar ferme;
  for (qsizetype i = 0; i < e.size(); ++i) {
    const QChar c = e[i];
    if (!ferme.isNull()) {
      if (c == ferme) ferme = QChar();
      continue;
    }
    if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
      ferme = c;
    else if (c == QLatin1Char('['))
      ferme = QLatin1Char(']');
    else if (c == QLatin1Char(';'))
      return QStringLiteral("Le filtre ne peut contenir qu'une expression (« ; » refusé).");
    else if (c == QLatin1Char('('))
      ++profondeur;
    else if (c == QLatin1Char(')') && --profondeur < 0)
      return QStringLiteral("Parenthèse fermante sans parenthèse ouvrante dans le filtre.");
    else if ((c == QLatin1Char('-') && e.mid(i, 2) == QLatin1String("--")) ||
             (c == QLatin1Char('/') && e.mid(i, 2) == QLatin1String("/*")))
      return QStringLiteral("Le filtre ne peut contenir de commentaire.");
  }
  if (!ferme.isNull()) return QStringLiteral("Texte non refermé dans le filtre.");
  if (profondeur != 0) return QStringLiteral("Parenthèse non refermée dans le filtre.");
  return QString();
}

}  // namespace

ModeleTable::ModeleTable(const BaseDonnees& base, const QString& table, QObject* parent)
    : QSqlTableModel(parent, base.connexion_qt()), base_(base), table_(table) {
  setEditStrategy(QSqlTableModel::OnRowChange);
  // The table must exist: its columns are read first.
  base_.colonnes(table);
  setTable(table);
  if (!select()) throw ErreurBase(erreur_ou_vide(false));
}

QString ModeleTable::erreur_ou_vide(bool ok) const {
  if (ok) return QString();
  const QSqlError e = lastError();
  QString t = e.databaseText().trimmed();
  if (t.isEmpty()) t = e.text().trimmed();
  if (t.isEmpty()) t = QStringLiteral("Erreur de la base de données");
  return t;
}

QString ModeleTable::filtre(const QString& expression) {
  const QString e = expression.trimmed();
  if (e.isEmpty()) return QStringLiteral("Le filtre est vide.");
  if (const QString forme = verifie_forme(e); !forme.isEmpty()) return forme;
  // The database judges it before the grid takes it.
  try {
    base_.valeur(QStringLiteral("SELECT 1 FROM %1 WHERE (%2) LIMIT 0").arg(BaseDonnees::identifiant(table_), e));
  } catch (const ErreurBase& erreur) {
    return erreur.texte();
  }
  const QString avant = QSqlTableModel::filter();
  setFilter(QLatin1Char('(') + e + QLatin1Char(')'));
  if (!select()) {
    const QString pourquoi = erreur_ou_vide(false);
    setFilter(avant);
    select();
    return pourquoi;
  }
  return QString();
}

QString ModeleTable::trie(const QString& texte) {
  static const QRegularExpression forme(
      QStringLiteral("^\\s*(?:\\[([^\\]]+)\\]|([^\\s\\[\\]]+))\\s*(desc|asc)?\\s*$"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = forme.match(texte);
  if (!m.hasMatch()) return QStringLiteral("Tri refusé : une colonne, suivie ou non de « desc ».");
  const QString nom = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
  const QSqlRecord r = record();
  int colonne = -1;
  for (int i = 0; i < r.count(); ++i)
    if (r.fieldName(i).compare(nom, Qt::CaseInsensitive) == 0) colonne = i;
  if (colonne < 0) {
    // The database's own words for a column it does not know.
    try {
      // In brackets: an unknown name in double quotes would be read as a text.
      base_.valeur(QStringLiteral("SELECT [%1] FROM %2 LIMIT 0").arg(nom, BaseDonnees::identifiant(table_)));
    } catch (const ErreurBase& erreur) {
      return erreur.texte();
    }
    return QStringLiteral("Colonne inconnue : ") + nom;
  }
  const bool descendant = m.captured(3).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
  setSort(colonne, descendant ? Qt::DescendingOrder : Qt::AscendingOrder);
  return erreur_ou_vide(select());
}

QString ModeleTable::actualise() { return erreur_ou_vide(select()); }

bool ModeleTable::submit() {
  const bool ok = QSqlTableModel::submit();
  if (!ok && refus_) {
    refus_ = false;
    revertAll();
  }
  return ok;
}

bool ModeleTable::updateRowInTable(int row, const QSqlRecord& values) {
  if (confirme_modification && !confirme_modification()) {
    refus_ = true;
    return false;
  }
  return QSqlTableModel::updateRowInTable(row, values);
}

bool ModeleTable::deleteRowFromTable(int row) {
  if (confirme_suppression && !confirme_suppression()) return false;
  return QSqlTableModel::deleteRowFromTable(row);
}

}  // namespace plateforme
