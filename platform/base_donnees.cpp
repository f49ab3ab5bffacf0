#include "platform/base_donnees.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <limits>

namespace plateforme {

namespace {

// What SQLite (or Qt's driver) said, in its own words: the detail that
// follows the program's sentence.
QString texte_erreur(const QSqlError& erreur) {
  QString t = erreur.databaseText().trimmed();
  if (t.isEmpty()) t = erreur.text().trimmed();
  return t;
}

[[noreturn]] void leve(const QString& texte) { throw ErreurBase(texte); }

// A statement the database refused: SQLite undoes a failed statement whole,
// so the base is as it was; the library's words follow.
[[noreturn]] void leve_sql(const QSqlError& erreur) { throw ErreurBase(texte_message(780), texte_erreur(erreur)); }

// The connections open now, whatever their file.
QList<const BaseDonnees*>& connexions_ouvertes() {
  static QList<const BaseDonnees*> liste;
  return liste;
}

// Column names are matched without regard to case, as the database does.
int rang_sans_casse(const QStringList& noms, const QString& nom) {
  for (int i = 0; i < noms.size(); ++i)
    if (noms[i].compare(nom, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

// Binds the values of a statement in order. A string reaches SQLite in
// UTF-16, where a leading U+FEFF or U+FFFE reads as a byte-order mark: the
// first would be dropped, the second dropped and the rest byte-swapped. Such
// a string goes with one mark of its own in front, the one SQLite takes, so
// that the text is stored and compared as given.
void lie(QSqlQuery& q, const QVariantList& valeurs) {
  for (int i = 0; i < valeurs.size(); ++i) {
    const QVariant& v = valeurs.at(i);
    if (v.typeId() == QMetaType::QString) {
      const QString s = v.toString();
      if (!s.isEmpty() && (s.front() == QChar(0xFEFF) || s.front() == QChar(0xFFFE))) {
        q.bindValue(i, QString(QChar(0xFEFF) + s));
        continue;
      }
    }
    q.bindValue(i, v);
  }
}

// Opens the connection `db` (its file and options set) and reads the file
// once: SQLite reads lazily, and a first read tells a database from any
// other file. The file is read, never mapped: a file cut or emptied under the
// running program then fails the next statement with an error instead of
// ending the program on a bus error. On failure the connection is closed and
// `erreur` says why.
bool connecte(QSqlDatabase& db, QString& erreur) {
  if (!db.open()) {
    erreur = texte_erreur(db.lastError());
    return false;
  }
  bool ok = true;
  {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA mmap_size = 0")) ||
        !q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
      erreur = texte_erreur(q.lastError());
      ok = false;
    }
  }
  if (!ok) db.close();
  return ok;
}

}  // namespace

// --- Record sets ---------------------------------------------------------

JeuEnregistrements::JeuEnregistrements(QSqlQuery requete)
    : requete_(std::make_unique<QSqlQuery>(std::move(requete))) {
  // The column names are read once: building the query's record for each
  // value read costs more than the read itself.
  const QSqlRecord r = requete_->record();
  for (int i = 0; i < r.count(); ++i) noms_ << r.fieldName(i);
  fin_ = !requete_->first();
}

JeuEnregistrements::JeuEnregistrements(JeuEnregistrements&&) noexcept = default;
JeuEnregistrements& JeuEnregistrements::operator=(JeuEnregistrements&&) noexcept = default;
JeuEnregistrements::~JeuEnregistrements() = default;

bool JeuEnregistrements::vide() {
  if (!fin_) return false;
  return !premier();
}

bool JeuEnregistrements::premier() {
  fin_ = !requete_->first();
  return !fin_;
}

bool JeuEnregistrements::suivant() {
  if (fin_) return false;
  fin_ = !requete_->next();
  return !fin_;
}

bool JeuEnregistrements::dernier() {
  fin_ = !requete_->last();
  return !fin_;
}

bool JeuEnregistrements::va_a(int rang) {
  fin_ = rang < 0 || !requete_->seek(rang);
  return !fin_;
}

int JeuEnregistrements::nb() {
  const int ici = requete_->at();
  if (!requete_->last()) {
    fin_ = true;
    return 0;
  }
  const int n = requete_->at() + 1;
  if (ici >= 0)
    requete_->seek(ici);
  else
    fin_ = true;
  return n;
}

QVariant JeuEnregistrements::valeur(const QString& colonne) const {
  if (fin_) leve(texte_message(783));
  const int i = rang_sans_casse(noms_, colonne);
  if (i < 0) leve(texte_message(784).arg(colonne));
  return requete_->value(i);
}

QString JeuEnregistrements::texte(const QString& colonne) const {
  const QVariant v = valeur(colonne);
  return v.isNull() ? QString() : v.toString();
}

QStringList JeuEnregistrements::colonnes() const { return noms_; }

// --- Prepared statements ---------------------------------------------------

Instruction::Instruction(QSqlQuery requete) : requete_(std::make_unique<QSqlQuery>(std::move(requete))) {}
Instruction::Instruction(Instruction&&) noexcept = default;
Instruction& Instruction::operator=(Instruction&&) noexcept = default;
Instruction::~Instruction() = default;

int Instruction::execute(const QVariantList& valeurs) {
  lie(*requete_, valeurs);
  if (!requete_->exec()) leve_sql(requete_->lastError());
  const int n = requete_->numRowsAffected();
  requete_->finish();
  return n;
}

QVariant Instruction::valeur(const QVariantList& valeurs) {
  lie(*requete_, valeurs);
  if (!requete_->exec()) leve_sql(requete_->lastError());
  QVariant v = requete_->next() ? requete_->value(0) : QVariant();
  requete_->finish();
  return v;
}

// --- The database ---------------------------------------------------------

BaseDonnees::BaseDonnees(const QString& nom) : nom_(nom) {}

BaseDonnees::~BaseDonnees() { ferme(); }

void BaseDonnees::ouvre(const QString& chemin) {
  ferme();
  const QFileInfo info(chemin);
  if (chemin.isEmpty() || !info.exists())
    leve(texte_message(785).arg(QDir::toNativeSeparators(chemin)));
  if (!info.isFile())
    leve(texte_message(786).arg(QDir::toNativeSeparators(chemin)));

  QString erreur;
  bool ok = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nom_);
    if (!db.isValid()) {
      erreur = texte_message(787);
    } else {
      // mode=rw: the file is opened for reading and writing, never created.
      QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
      url.setQuery(QStringLiteral("mode=rw"));
      db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
      db.setDatabaseName(url.toString(QUrl::FullyEncoded));
      ok = connecte(db, erreur);
    }
  }
  if (!ok) {
    QSqlDatabase::removeDatabase(nom_);
    throw ErreurBase(texte_message(781).arg(QDir::toNativeSeparators(chemin)), erreur);
  }
  chemin_ = info.absoluteFilePath();
  ouverte_ = true;
  connexions_ouvertes().append(this);
}

void BaseDonnees::ferme() {
  if (!ouverte_) return;
  preparees_.clear();
  {
    QSqlDatabase db = QSqlDatabase::database(nom_, false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(nom_);
  ouverte_ = false;
  en_transaction_ = false;
  a_relire_ = false;
  reglages_.clear();
  connexions_ouvertes().removeAll(this);
}

void BaseDonnees::rouvre() {
  if (chemin_.isEmpty()) leve(texte_message(788));
  const QString chemin = chemin_;
  ouvre(chemin);
}

bool BaseDonnees::ouverte() const { return ouverte_; }

QSqlDatabase BaseDonnees::connexion() const {
  if (!ouverte_) leve(texte_message(789));
  QSqlDatabase db = QSqlDatabase::database(nom_, false);
  // After a failed statement the file may have changed under the program.
  // SQLite keeps per connection the pages and the tables it has read, and
  // reads the file again only when its change counter moved: a base emptied
  // and then put back byte for byte would go on being read as empty. The
  // connection is opened again, its kept statements dropped (not inside a
  // transaction: it would be lost).
  if (a_relire_ && !en_transaction_) {
    preparees_.clear();
    db.close();
    // A file that cannot be read yet refuses the statement, as it did.
    if (QString erreur; !connecte(db, erreur)) throw ErreurBase(texte_message(780), erreur);
    for (const QString& reglage : reglages_) QSqlQuery(db).exec(reglage);
    a_relire_ = false;
  }
  return db;
}

void BaseDonnees::refuse(const QSqlError& erreur) const {
  a_relire_ = true;
  leve_sql(erreur);
}

QSqlQuery BaseDonnees::prepare(const QString& sql, const QVariantList& valeurs) const {
  QSqlQuery q(connexion());
  if (!q.prepare(sql)) refuse(q.lastError());
  lie(q, valeurs);
  if (!q.exec()) refuse(q.lastError());
  return q;
}

JeuEnregistrements BaseDonnees::requete(const QString& sql, const QVariantList& valeurs) const {
  return JeuEnregistrements(prepare(sql, valeurs));
}

QSqlQuery& BaseDonnees::preparee(const QString& sql) const {
  // A kept statement is found without looking the connection up: a reopening
  // drops them all first.
  if (!ouverte_ || a_relire_) connexion();
  if (const auto it = preparees_.find(sql); it != preparees_.end()) return *it->second;
  constexpr std::size_t GARDEES = 64;
  if (preparees_.size() >= GARDEES) preparees_.clear();
  auto q = std::make_unique<QSqlQuery>(connexion());
  q->setForwardOnly(true);
  if (!q->prepare(sql)) refuse(q->lastError());
  return *preparees_.emplace(sql, std::move(q)).first->second;
}

QVariant BaseDonnees::valeur(const QString& sql, const QVariantList& valeurs) const {
  QSqlQuery& q = preparee(sql);
  lie(q, valeurs);
  if (!q.exec()) {
    const QSqlError e = q.lastError();
    q.finish();
    refuse(e);
  }
  QVariant v = q.next() ? q.value(0) : QVariant();
  // Reset at once: a statement left running would hold the file's read lock.
  q.finish();
  return v;
}

int BaseDonnees::execute(const QString& sql, const QVariantList& valeurs) {
  QSqlQuery q = prepare(sql, valeurs);
  return q.numRowsAffected();
}

void BaseDonnees::regle(const QString& sql) {
  execute(sql);
  reglages_ << sql;
}

QString BaseDonnees::identifiant(const QString& nom) {
  QString t = nom;
  t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + t + QLatin1Char('"');
}

Instruction BaseDonnees::instruction(const QString& sql) const {
  QSqlQuery q(connexion());
  q.setForwardOnly(true);
  if (!q.prepare(sql)) refuse(q.lastError());
  return Instruction(std::move(q));
}

QStringList BaseDonnees::connexions_sur(const QString& chemin) {
  const QString cible = QFileInfo(chemin).absoluteFilePath();
  QStringList noms;
  for (const BaseDonnees* b : connexions_ouvertes())
    if (b->chemin_ == cible) noms << b->nom_;
  return noms;
}

QSqlDatabase BaseDonnees::connexion_qt() const { return connexion(); }

TableRecuperee BaseDonnees::recupere_table(const QString& table, BaseDonnees& destination) const {
  QSqlDatabase source = connexion();
  TableRecuperee bilan;
  QStringList noms, marques;
  for (const DefinitionColonne& c : destination.colonnes(table)) {
    noms << identifiant(c.nom);
    marques << QStringLiteral("?");
  }
  const QString t = identifiant(table);
  // The table's own order (its row ids), never an index: an index of a
  // damaged file may be damaged too.
  const QString lecture = QStringLiteral("SELECT rowid, %1 FROM %2 NOT INDEXED WHERE rowid > ? ORDER BY rowid")
                              .arg(noms.join(QLatin1Char(',')), t);
  const QString sonde = QStringLiteral("SELECT rowid FROM %1 NOT INDEXED WHERE rowid > ? ORDER BY rowid LIMIT 1").arg(t);
  Instruction ajout = destination.instruction(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                  .arg(t, noms.join(QLatin1Char(',')), marques.join(QLatin1Char(','))));
  // 1: a row after `depuis` can be read; 0: no row after it; -1: the read fails.
  auto essaie = [&](qint64 depuis) {
    QSqlQuery q(source);
    q.setForwardOnly(true);
    if (!q.prepare(sonde)) return -1;
    q.bindValue(0, depuis);
    if (!q.exec()) return -1;
    if (q.next()) return 1;
    return q.lastError().isValid() ? -1 : 0;
  };
  destination.transaction([&] {
    qint64 depuis = std::numeric_limits<qint64>::min();
    while (true) {
      bool erreur = false;
      {
        QSqlQuery q(source);
        q.setForwardOnly(true);
        // A statement that cannot be made (a column missing, the schema
        // unreadable) gives nothing anywhere in the table.
        if (!q.prepare(lecture)) refuse(q.lastError());
        {
          q.bindValue(0, depuis);
          if (!q.exec()) {
            erreur = true;
          } else {
            QVariantList valeurs;
            while (q.next()) {
              depuis = q.value(0).toLongLong();
              valeurs.clear();
              for (int i = 1; i <= noms.size(); ++i) valeurs << q.value(i);
              ajout.execute(valeurs);
              ++bilan.lignes;
            }
            erreur = q.lastError().isValid();
          }
        }
      }
      if (!erreur) break;
      ++bilan.zones_illisibles;
      // Past the damaged stretch: the first starting point, by doubling
      // steps, from which rows can be read again, then narrowed down so as
      // to lose as few rows as can be.
      if (depuis == std::numeric_limits<qint64>::min()) depuis = -1;
      qint64 echec = depuis, reprise = 0;
      bool trouve = false, fin = false;
      for (qint64 pas = 1; pas <= (qint64(1) << 40); pas *= 2) {
        const int r = essaie(depuis + pas);
        if (r == 1) {
          reprise = depuis + pas;
          trouve = true;
          break;
        }
        if (r == 0) {
          fin = true;
          break;
        }
        echec = depuis + pas;
      }
      if (fin || !trouve) break;
      while (reprise - echec > 1) {
        const qint64 milieu = echec + (reprise - echec) / 2;
        if (essaie(milieu) == 1)
          reprise = milieu;
        else
          echec = milieu;
      }
      depuis = reprise;
    }
  });
  return bilan;
}

qint64 BaseDonnees::ajoute(const QString& table, const Champs& champs) {
  QStringList noms, marques;
  QVariantList valeurs;
  for (const auto& [nom, v] : champs) {
    noms << identifiant(nom);
    marques << QStringLiteral("?");
    valeurs << v;
  }
  const QString sql = champs.isEmpty()
                          ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(identifiant(table))
                          : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(identifiant(table), noms.join(QLatin1Char(',')), marques.join(QLatin1Char(',')));
  QSqlQuery q = prepare(sql, valeurs);
  return q.lastInsertId().toLongLong();
}

int BaseDonnees::met_a_jour(const QString& table, const Champs& champs, const QString& colonne_cle,
                            const QVariant& cle) {
  if (champs.isEmpty()) return 0;
  QStringList affectations;
  QVariantList valeurs;
  for (const auto& [nom, v] : champs) {
    affectations << identifiant(nom) + QStringLiteral("=?");
    valeurs << v;
  }
  valeurs << cle;
  const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3=?")
                          .arg(identifiant(table), affectations.join(QLatin1Char(',')), identifiant(colonne_cle));
  return prepare(sql, valeurs).numRowsAffected();
}

void BaseDonnees::debut_transaction() {
  QSqlDatabase db = connexion();
  if (!db.transaction()) refuse(db.lastError());
  en_transaction_ = true;
}

void BaseDonnees::valide_transaction() {
  QSqlDatabase db = QSqlDatabase::database(nom_, false);
  if (!db.commit()) refuse(db.lastError());
  en_transaction_ = false;
}

void BaseDonnees::annule_transaction() {
  QSqlDatabase db = QSqlDatabase::database(nom_, false);
  db.rollback();
  en_transaction_ = false;
}

QStringList BaseDonnees::tables() const {
  QStringList noms;
  QSqlQuery q = prepare(
      QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                     "ORDER BY name"),
      {});
  while (q.next()) noms << q.value(0).toString();
  return noms;
}

QList<DefinitionColonne> BaseDonnees::colonnes(const QString& table) const {
  QList<DefinitionColonne> liste;
  QSqlQuery q = prepare(
      QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) ORDER BY cid"), {table});
  while (q.next()) {
    DefinitionColonne c;
    c.nom = q.value(0).toString();
    c.type = q.value(1).toString();
    c.non_nul = q.value(2).toInt() != 0;
    c.defaut = q.value(3);
    c.cle_primaire = q.value(4).toInt() != 0;
    liste << c;
  }
  if (liste.isEmpty()) leve(texte_message(790).arg(table));
  return liste;
}

QStringList BaseDonnees::verifie() const {
  QStringList problemes;
  QSqlQuery q = prepare(QStringLiteral("PRAGMA integrity_check"), {});
  while (q.next()) {
    const QString ligne = q.value(0).toString();
    if (ligne != QLatin1String("ok")) problemes << ligne;
  }
  return problemes;
}

void BaseDonnees::compacte_vers(const QString& destination) const {
  if (QFileInfo::exists(destination))
    leve(texte_message(791).arg(QDir::toNativeSeparators(destination)));
  prepare(QStringLiteral("VACUUM INTO ?"), {QFileInfo(destination).absoluteFilePath()});
}

void BaseDonnees::cree(const QString& chemin, const QStringList& schema) {
  if (QFileInfo::exists(chemin))
    leve(texte_message(791).arg(QDir::toNativeSeparators(chemin)));
  const QString nom = QStringLiteral("creation-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
  QString erreur;
  bool echec = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nom);
    db.setDatabaseName(chemin);
    if (!db.open()) {
      erreur = texte_erreur(db.lastError());
      echec = true;
    } else {
      QSqlQuery q(db);
      for (const QString& instruction : schema) {
        if (!q.exec(instruction)) {
          erreur = texte_erreur(q.lastError());
          echec = true;
          break;
        }
      }
      q.finish();
      db.close();
    }
  }
  QSqlDatabase::removeDatabase(nom);
  if (echec) throw ErreurBase(texte_message(782).arg(QDir::toNativeSeparators(chemin)), erreur);
}

}  // namespace plateforme
