#include "openings/base_eco.h"

#include <QDir>

#include "openings/liens_ouvertures.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/evenements.h"

plateforme::BaseDonnees db_eco(QStringLiteral("db_eco"));

namespace {

// What the open base offers the lookups.
bool eco_est_table = false;
QStringList index_servis;

// An index as the lookups need it: its key columns in order, each with its
// direction ("" stands for the line's length).
struct IndexAttendu {
  QString nom;
  QList<QPair<QString, bool>> cles;  // column, descending
};

const QList<IndexAttendu>& index_attendus() {
  static const QList<IndexAttendu> liste = {
      {QStringLiteral("ECO_coup"),
       {{QStringLiteral("Eco_coup"), false},
        {QStringLiteral("Eco_note"), false},
        {QStringLiteral("Eco_connaissance"), false},
        {QStringLiteral("Eco_code"), false}}},
      {QStringLiteral("ECO_ordre"),
       {{QStringLiteral("Eco_note"), true},
        {QStringLiteral("Eco_connaissance"), true},
        {QStringLiteral("Eco_code"), true},
        {QString(), true},
        {QStringLiteral("Eco_coup"), false}}},
  };
  return liste;
}

// True when table ECO has the index `attendu`, whole (not partial) and on
// the columns the lookups read through it.
bool a_index(const IndexAttendu& attendu) {
  bool trouve = false;
  for (auto rs = db_eco.requete(QStringLiteral("SELECT name, partial FROM pragma_index_list('ECO')")); !rs.fin();
       rs.suivant())
    if (rs.texte(QStringLiteral("name")).compare(attendu.nom, Qt::CaseInsensitive) == 0)
      trouve = rs.valeur(QStringLiteral("partial")).toInt() == 0;
  if (!trouve) return false;
  QList<QPair<QString, bool>> cles;
  for (auto rs = db_eco.requete(
           QStringLiteral("SELECT name, \"desc\" FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno"),
           {attendu.nom});
       !rs.fin(); rs.suivant())
    cles.append({rs.texte(QStringLiteral("name")), rs.valeur(QStringLiteral("desc")).toInt() != 0});
  if (cles.size() != attendu.cles.size()) return false;
  for (int i = 0; i < cles.size(); ++i)
    if (cles[i].first.compare(attendu.cles[i].first, Qt::CaseInsensitive) != 0 ||
        cles[i].second != attendu.cles[i].second)
      return false;
  return true;
}

}  // namespace

void ouvre_base_eco(const QString& chemin) {
  eco_est_table = false;
  index_servis.clear();
  db_eco.ouvre(chemin);
  const QString fichier = QDir::toNativeSeparators(chemin);
  try {
    auto refuse = [&](const QString& pourquoi) {
      throw plateforme::ErreurBase(
          texte_ouvertures(840).arg(fichier, pourquoi));
    };
    const QString genre =
        db_eco.valeur(QStringLiteral("SELECT type FROM sqlite_master WHERE name = 'ECO' COLLATE NOCASE AND "
                                     "type IN ('table', 'view')"))
            .toString();
    if (genre.isEmpty()) refuse(texte_ouvertures(841));
    const auto colonnes = db_eco.colonnes(QStringLiteral("ECO"));
    const QStringList attendues = {QStringLiteral("Eco_cle"),          QStringLiteral("Eco_code"),
                                   QStringLiteral("Eco_libelle"),      QStringLiteral("Eco_coup"),
                                   QStringLiteral("Eco_connaissance"), QStringLiteral("Eco_note")};
    QStringList absentes;
    for (const QString& nom : attendues) {
      bool trouvee = false;
      for (const auto& c : colonnes) trouvee = trouvee || c.nom.compare(nom, Qt::CaseInsensitive) == 0;
      if (!trouvee) absentes << nom;
    }
    if (!absentes.isEmpty())
      refuse(texte_ouvertures(842).arg(absentes.join(QStringLiteral(", "))));
    eco_est_table = genre == QLatin1String("table");
    QStringList manquants;
    for (const IndexAttendu& i : index_attendus()) {
      if (eco_est_table && a_index(i))
        index_servis << i.nom;
      else
        manquants << i.nom;
    }
    // Room for the pages of the indexes that the lookups walk.
    db_eco.regle(QStringLiteral("PRAGMA cache_size = -16384"));
    if (!manquants.isEmpty())
      plateforme::boite_erreur(
          texte_ouvertures(843).arg(fichier, manquants.join(QStringLiteral(", "))));
  } catch (...) {
    eco_est_table = false;
    index_servis.clear();
    db_eco.ferme();
    plateforme::signale_changement();
    throw;
  }
  plateforme::signale_changement();
}

QString par_index_eco(const QString& nom) {
  return index_servis.contains(nom) ? QStringLiteral(" INDEXED BY ") + nom : QString();
}

QString sans_index_eco() { return eco_est_table ? QStringLiteral(" NOT INDEXED") : QString(); }

QString coups_recherches(const std::string& texte_partie) {
  QString t = QString::fromStdString(texte_partie);
  qsizetype n = t.size();
  while (n > 0 && t.at(n - 1).isSpace()) --n;
  t.truncate(n);
  return t;
}

FiltreCoups filtre_coups(const QString& coups) {
  FiltreCoups f;
  if (coups.isEmpty()) return f;
  // Lines beginning with the moves and a blank: from "moves " up to, not
  // including, "moves!" ("!" follows the blank in code order). Text compares
  // byte by byte, so the range is exact and served by the index on Eco_coup.
  f.condition = QStringLiteral("Eco_coup >= ? AND Eco_coup < ?");
  f.valeurs = {coups + QLatin1Char(' '), coups + QLatin1Char('!')};
  return f;
}

QString FiltreCoups::clause_where() const {
  return condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition;
}

QString FiltreCoups::clause_where_et(const QString& autre) const {
  if (condition.isEmpty()) return QStringLiteral(" WHERE ") + autre;
  return QStringLiteral(" WHERE ") + condition + QStringLiteral(" AND ") + autre;
}

void signale_erreur_base(const std::exception& e) {
  plateforme::curseur_attente(false);
  plateforme::boite_erreur(QString::fromUtf8(e.what()));
}

namespace {
int travaux_en_cours = 0;
}

bool base_occupee() { return travaux_en_cours > 0; }

GardeBase::GardeBase() {
  if (travaux_en_cours++ == 0) plateforme::signale_changement();
}

GardeBase::~GardeBase() {
  if (--travaux_en_cours == 0) plateforme::signale_changement();
}

QString fichier_travail_base(bool a_ecrire, const QString& titre, const QString& filtre, const QString& nom_propose) {
  if (base_occupee()) return QString();
  try {
    return a_ecrire ? plateforme::choisit_fichier_a_sauver(titre, filtre, plateforme::chemin_appli(), nom_propose)
                    : plateforme::choisit_fichier_a_ouvrir(titre, filtre, plateforme::chemin_appli(), nom_propose);
  } catch (const std::exception&) {
    return QString();
  }
}
