// The program's databases: SQLite files reached through QtSql.
//
// A database is opened only when its file already exists: opening never
// creates a file, a missing or damaged file is an error. Every statement
// takes its values as bound parameters, so a quote or any other character in
// a value is data, never SQL. Errors are thrown as ErreurBase, whose text is
// meant for the user; the procedures that show errors catch it.
#pragma once

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <unordered_map>
#include <stdexcept>

#include "platform/langue_messages.h"

namespace plateforme {

// The text is the program's sentence in the user's language (what failed,
// what is kept), followed on a line of its own by what SQLite said, when it
// said something: `detail()` holds those words alone.
class ErreurBase : public std::runtime_error {
 public:
  explicit ErreurBase(const QString& phrase, const QString& detail = QString())
      : ErreurBase(avec_detail(phrase, detail), detail, 0) {}
  const QString& texte() const { return texte_; }
  const QString& detail() const { return detail_; }

 private:
  ErreurBase(const QString& texte, const QString& detail, int)
      : std::runtime_error(texte.toStdString()), texte_(texte), detail_(detail.trimmed()) {}
  QString texte_;
  QString detail_;
};

// The values of one row, by column name, for adding and updating.
using Champs = QList<QPair<QString, QVariant>>;

// A record set: the rows of one query, read forward or moved about
// (first, last, by position). Local to the operation that opens it.
class JeuEnregistrements {
 public:
  explicit JeuEnregistrements(QSqlQuery requete);
  JeuEnregistrements(JeuEnregistrements&&) noexcept;
  JeuEnregistrements& operator=(JeuEnregistrements&&) noexcept;
  ~JeuEnregistrements();

  // True when there is no current row (past the last, or no row at all).
  bool fin() const { return fin_; }
  bool vide();
  bool premier();
  bool suivant();
  bool dernier();
  // Moves to row `rang`, counted from 0.
  bool va_a(int rang);
  // The number of rows; walks to the end and back to where it was.
  int nb();

  // The value of a column of the current row, the name matched without
  // regard to case. An unknown column is an error.
  QVariant valeur(const QString& colonne) const;
  // The same, an absent value (NULL) giving an empty text.
  QString texte(const QString& colonne) const;
  QStringList colonnes() const;

 private:
  std::unique_ptr<QSqlQuery> requete_;
  QStringList noms_;
  bool fin_ = true;
};

// A statement prepared once and run many times with new values (the
// enrichment of the opening base runs the same two statements per prefix).
class Instruction {
 public:
  explicit Instruction(QSqlQuery requete);
  Instruction(Instruction&&) noexcept;
  Instruction& operator=(Instruction&&) noexcept;
  ~Instruction();
  // Runs it with `valeurs` bound in order; returns the number of rows changed.
  int execute(const QVariantList& valeurs);
  // Runs it and gives the first column of the first row (invalid without row).
  QVariant valeur(const QVariantList& valeurs);

 private:
  std::unique_ptr<QSqlQuery> requete_;
};

// What a table gave back when it was read row by row from a damaged file.
struct TableRecuperee {
  int lignes = 0;          // rows copied into the new file
  int zones_illisibles = 0;  // stretches of the table that could not be read
};

// Definition of one column, as the database reports it.
struct DefinitionColonne {
  QString nom;
  QString type;
  bool cle_primaire = false;
  bool non_nul = false;
  QVariant defaut;
};

class BaseDonnees {
 public:
  // `nom` names the connection (one per object, unique in the program).
  explicit BaseDonnees(const QString& nom);
  ~BaseDonnees();
  BaseDonnees(const BaseDonnees&) = delete;
  BaseDonnees& operator=(const BaseDonnees&) = delete;

  // Opens the existing file `chemin` for reading and writing. A missing
  // file, a folder or a file that is not a database is an error, and no file
  // is created. An open connection is closed first.
  void ouvre(const QString& chemin);
  // Closes the connection; nothing happens when it is not open.
  void ferme();
  // Opens again the file last opened (after a compaction or a repair).
  void rouvre();
  bool ouverte() const;
  const QString& chemin() const { return chemin_; }
  const QString& nom_connexion() const { return nom_; }

  // A record set over `sql`, whose "?" are bound to `valeurs` in order.
  JeuEnregistrements requete(const QString& sql, const QVariantList& valeurs = {}) const;
  // The first column of the first row, or an invalid value without row. The
  // statement is prepared once per text and kept for the next calls (the
  // lookups of the opening base run the same few statements many times).
  QVariant valeur(const QString& sql, const QVariantList& valeurs = {}) const;
  // Runs a statement that returns no rows; returns the number of rows changed.
  int execute(const QString& sql, const QVariantList& valeurs = {});
  // Runs a setting of the connection (a PRAGMA), run again whenever the
  // connection is opened anew after a failed statement, until it is closed.
  void regle(const QString& sql);
  // The same statement for many runs.
  Instruction instruction(const QString& sql) const;
  // Adds a row; returns its row id (the INTEGER PRIMARY KEY when there is one).
  qint64 ajoute(const QString& table, const Champs& champs);
  // Updates the rows whose `colonne_cle` equals `cle`; returns their number.
  int met_a_jour(const QString& table, const Champs& champs, const QString& colonne_cle, const QVariant& cle);
  // Runs `travail` inside one transaction (committed at the end, rolled back
  // when it throws).
  template <class F>
  void transaction(F&& travail) {
    debut_transaction();
    try {
      travail();
    } catch (...) {
      annule_transaction();
      throw;
    }
    valide_transaction();
  }

  // Runs `lecture`, a series of reads, in one read transaction: the file is
  // locked and its cache checked once, not at each statement, and the reads
  // see one state of the file. Inside a transaction already open, it only
  // runs them.
  template <class F>
  auto lecture(F&& lecture) {
    if (en_transaction_) return lecture();
    debut_transaction();
    try {
      auto r = lecture();
      valide_transaction();
      return r;
    } catch (...) {
      annule_transaction();
      throw;
    }
  }

  // Table and column definitions.
  QStringList tables() const;
  QList<DefinitionColonne> colonnes(const QString& table) const;

  // Checks the file's structure; returns the problems found (empty: healthy).
  QStringList verifie() const;
  // Writes a compacted copy of the open database to `destination`, which must
  // not exist yet.
  void compacte_vers(const QString& destination) const;

  // Copies every row of `table` that can be read (by its row id, stepping
  // over the parts of the file that cannot be read) into the same table of
  // `destination`, keeping the row ids. For a damaged file.
  TableRecuperee recupere_table(const QString& table, BaseDonnees& destination) const;

  // The connections of the program that hold the file `chemin` open, by name.
  static QStringList connexions_sur(const QString& chemin);
  // The Qt connection itself, for the platform's models over a table.
  QSqlDatabase connexion_qt() const;

  // Creates a new database file and runs the statements `schema` in it (the
  // build step that makes the shipped bases, and tests). An existing file is
  // an error.
  static void cree(const QString& chemin, const QStringList& schema);

  // An identifier written for SQL: in double quotes, inner quotes doubled.
  static QString identifiant(const QString& nom);

 private:
  // The open connection, opened anew first when a statement failed since.
  QSqlDatabase connexion() const;
  // Throws the database's refusal of a statement; the connection is opened
  // anew before the next one.
  [[noreturn]] void refuse(const QSqlError& erreur) const;
  QSqlQuery prepare(const QString& sql, const QVariantList& valeurs) const;
  // The kept statement of valeur() for `sql`, prepared the first time.
  QSqlQuery& preparee(const QString& sql) const;
  void debut_transaction();
  void valide_transaction();
  void annule_transaction();

  QString nom_;
  QString chemin_;
  bool ouverte_ = false;
  bool en_transaction_ = false;
  mutable bool a_relire_ = false;   // a statement failed: open the connection anew
  QStringList reglages_;            // the settings of regle(), run at each opening
  // Statements kept by valeur(), by their text; emptied when the connection
  // closes (and when they become many).
  mutable std::unordered_map<QString, std::unique_ptr<QSqlQuery>> preparees_;
};

}  // namespace plateforme
