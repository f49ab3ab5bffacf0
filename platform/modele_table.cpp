#include "platform/modele_table.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

#include "platform/base_donnees.h"
#include "platform/langue_messages.h"

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
      return texte_message(812);
    else if (c == QLatin1Char('('))
      ++profondeur;
    else if (c == QLatin1Char(')') && --profondeur < 0)
      return texte_message(813);
    else if ((c == QLatin1Char('-') && e.mid(i, 2) == QLatin1String("--")) ||
             (c == QLatin1Char('/') && e.mid(i, 2) == QLatin1String("/*")))
      return texte_message(814);
  }
  if (!ferme.isNull()) return texte_message(815);
  if (profondeur != 0) return texte_message(816);
  return QString();
}

}  // namespace

ModeleTable::ModeleTable(const BaseDonnees& base, const QString& table, QObject* parent)
    : QSqlTableModel(parent, base.connexion_qt()), base_(base), table_(table) {
  setEditStrategy(QSqlTableModel::OnRowChange);
  // The table must exist: its columns are read first.
  base_.colonnes(table);
  setTable(table);
  if (!select()) throw ErreurBase(texte_message(780), detail_erreur());
}

QString ModeleTable::detail_erreur() const {
  const QSqlError e = lastError();
  QString t = e.databaseText().trimmed();
  if (t.isEmpty()) t = e.text().trimmed();
  return t;
}

QString ModeleTable::erreur_ou_vide(bool ok) const {
  if (ok) return QString();
  return avec_detail(texte_message(780), detail_erreur());
}

QString ModeleTable::filtre(const QString& expression) {
  const QString e = expression.trimmed();
  if (e.isEmpty()) return texte_message(817);
  if (const QString forme = verifie_forme(e); !forme.isEmpty()) return forme;
  // The database judges it before the grid takes it.
  try {
    base_.valeur(QStringLiteral("SELECT 1 FROM %1 WHERE (%2) LIMIT 0").arg(BaseDonnees::identifiant(table_), e));
  } catch (const ErreurBase& erreur) {
    return avec_detail(texte_message(820), erreur.detail());
  }
  const QString avant = QSqlTableModel::filter();
  setFilter(QLatin1Char('(') + e + QLatin1Char(')'));
  if (!select()) {
    const QString pourquoi = detail_erreur();
    setFilter(avant);
    select();
    return avec_detail(texte_message(820), pourquoi);
  }
  return QString();
}

QString ModeleTable::trie(const QString& texte) {
  static const QRegularExpression forme(
      QStringLiteral("^\\s*(?:\\[([^\\]]+)\\]|([^\\s\\[\\]]+))\\s*(desc|asc)?\\s*$"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = forme.match(texte);
  if (!m.hasMatch()) return texte_message(818);
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
      return avec_detail(texte_message(821), erreur.detail());
    }
    return texte_message(819).arg(nom);
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
