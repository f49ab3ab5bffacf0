// An editable view of one table of a database, for a grid: the rows as the
// database holds them, edited in place, with a filter and a sort the user
// types.
//
// A filter is an expression of the database's own language that must stand
// alone (no statement separator, no bracket left open or closed outside its
// texts) and be accepted by the database for that table; a sort names one
// column of the table, alone or between "[" and "]", followed or not by
// "desc" or "asc". A refused filter or sort gives the reason (the database's
// own message when it is the database that refuses) and changes nothing.
// Rows are written when the edited row is left and deleted at once, each
// after the confirmation the owner gives.
#pragma once

#include <QSqlTableModel>
#include <functional>

namespace plateforme {

class BaseDonnees;

class ModeleTable : public QSqlTableModel {
  Q_OBJECT
 public:
  // Reads `table` of the open `base`. Throws ErreurBase when the table
  // cannot be read.
  ModeleTable(const BaseDonnees& base, const QString& table, QObject* parent = nullptr);

  // Asked before a row is deleted and before a changed row is written;
  // false cancels (the row stays as the table holds it). Unset: yes.
  std::function<bool()> confirme_suppression;
  std::function<bool()> confirme_modification;

  // Each returns an empty text when done, else why nothing was done.
  QString filtre(const QString& expression);
  QString trie(const QString& texte);
  QString actualise();

  bool submit() override;

 protected:
  bool updateRowInTable(int row, const QSqlRecord& values) override;
  bool deleteRowFromTable(int row) override;

 private:
  // "" when `ok`, else the program's sentence and the database's words.
  QString erreur_ou_vide(bool ok) const;
  // What the database said of the last failure, in its own words.
  QString detail_erreur() const;
  const BaseDonnees& base_;
  QString table_;
  bool refus_ = false;
};

}  // namespace plateforme
