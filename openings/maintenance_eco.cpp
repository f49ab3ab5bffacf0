#include "openings/maintenance_eco.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>
#include <cstring>
#include <stdexcept>

#include "openings/base_eco.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/evenements.h"
#include "platform/fichiers_texte.h"
#include "platform/schemas_bases.h"

namespace {

constexpr int TEXTE_CONFIRME_VIDAGE = 225;
constexpr int TEXTE_VIDEE = 226;
constexpr int TEXTE_BASE_INACTIVE = 227;

QString natif(const QString& chemin) { return QDir::toNativeSeparators(chemin); }

// A name of the base's folder that no file has yet.
QString nom_provisoire(const QString& chemin, const QString& genre) {
  return chemin + QLatin1Char('.') + genre + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void renomme(const QString& de, const QString& vers) {
  if (const int numero = plateforme::renomme(de, vers))
    throw std::runtime_error(texte_ouvertures(851)
                                 .arg(natif(de), natif(vers), QString::fromLocal8Bit(std::strerror(numero)))
                                 .toStdString());
}

// The names of the copies above, of the base named `nom`: the copy, then
// SQLite's journal of it.
QRegularExpression forme_restes(const QString& nom) {
  return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(nom) +
                            QStringLiteral("\\.(compacte|reparee)-[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-"
                                           "[0-9a-f]{12}(-journal|-wal|-shm)?$"));
}

// The other windows that hold the file open (the data grid).
bool tenue_ailleurs(const QString& chemin) {
  QStringList noms = plateforme::BaseDonnees::connexions_sur(chemin);
  noms.removeAll(db_eco.nom_connexion());
  if (noms.isEmpty()) return false;
  plateforme::boite_message(texte_ouvertures(852).arg(natif(chemin)),
                            boite::OK_SEUL);
  return true;
}

// db_eco open again on the base, whatever happened; an error there is said.
void rouvre_eco(const QString& chemin) {
  if (db_eco.ouverte()) return;
  try {
    ouvre_base_eco(chemin);
  } catch (const std::exception& e) {
    plateforme::boite_message(QString::fromUtf8(e.what()), boite::OK_SEUL);
  }
}

// What went wrong in a failed job, for the lines under the job's sentence:
// SQLite's words alone when the database only refused a statement (the
// job's sentence says it better), else the whole text.
QString detail_de(const std::exception& e) {
  const auto* base = dynamic_cast<const plateforme::ErreurBase*>(&e);
  if (base && base->texte().startsWith(plateforme::texte_message(780))) return base->detail();
  return QString::fromUtf8(e.what());
}

// The hourglass while a job runs.
struct Sablier {
  Sablier() { plateforme::curseur_attente(true); }
  ~Sablier() { plateforme::curseur_attente(false); }
};

}  // namespace

int supprime_restes_maintenance(const QString& chemin) {
  const QFileInfo base(chemin);
  const QRegularExpression forme = forme_restes(base.fileName());
  const QDir dossier = base.absoluteDir();
  int supprimes = 0;
  for (const QString& nom : dossier.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (forme.match(nom).hasMatch() && QFile::remove(dossier.filePath(nom))) ++supprimes;
  return supprimes;
}

void vide_base_connaissance() {
  if (base_occupee()) return;
  if (active_base_con[profil_en_vigueur()] != 1) {
    plateforme::boite_erreur(texte_ouvertures(TEXTE_BASE_INACTIVE));
    return;
  }
  if (plateforme::boite_message(texte_ouvertures(TEXTE_CONFIRME_VIDAGE), boite::OUI_NON) != boite::OUI) return;
  try {
    db_eco.execute(QStringLiteral("DELETE FROM ECO WHERE Eco_connaissance = 1"));
    plateforme::boite_erreur(texte_ouvertures(TEXTE_VIDEE));
  } catch (const std::exception& e) {
    signale_erreur_base(e);
  }
}

void reorganise_base_eco() {
  if (base_occupee()) return;
  if (plateforme::boite_message(
          QStringLiteral("Réorganisation de la base de données ? (Cette opération peut prendre quelques minutes...)"),
          boite::OUI_NON + boite::EXCLAMATION) != boite::OUI)
    return;
  const QString chemin = QFileInfo(base_eco).absoluteFilePath();
  if (tenue_ailleurs(chemin)) return;
  const QString provisoire = nom_provisoire(chemin, QStringLiteral("compacte"));
  GardeBase garde;
  supprime_restes_maintenance(chemin);
  try {
    {
      Sablier sablier;
      if (!db_eco.ouverte()) ouvre_base_eco(chemin);
      db_eco.compacte_vers(provisoire);
      // The copy must be whole before it replaces the base.
      {
        plateforme::BaseDonnees copie(QStringLiteral("verification_compactage"));
        copie.ouvre(provisoire);
        const QStringList problemes = copie.verifie();
        if (!problemes.isEmpty())
          throw plateforme::ErreurBase(texte_ouvertures(853), problemes.first());
      }
      db_eco.ferme();
      renomme(provisoire, chemin);
      ouvre_base_eco(chemin);
    }
    plateforme::boite_message(QStringLiteral("La base de données est réorganisée avec succès !"), boite::OK_SEUL);
  } catch (const std::exception& e) {
    QFile::remove(provisoire);
    plateforme::curseur_attente(false);
    plateforme::boite_message(plateforme::avec_detail(texte_ouvertures(858), detail_de(e)), boite::OK_SEUL);
    rouvre_eco(chemin);
  }
}

BilanReparation repare_fichier_eco(const QString& chemin) {
  BilanReparation bilan;
  // The check runs on a connection of its own: db_eco may not be open when
  // the base could not be opened at start-up.
  {
    plateforme::BaseDonnees verif(QStringLiteral("verification_reparation"));
    try {
      verif.ouvre(chemin);
      bilan.problemes = verif.verifie();
    } catch (const plateforme::ErreurBase& e) {
      bilan.problemes << (e.detail().isEmpty() ? e.texte() : e.detail());
    }
  }
  if (bilan.problemes.isEmpty()) return bilan;

  db_eco.ferme();
  supprime_restes_maintenance(chemin);
  const QString nouvelle = nom_provisoire(chemin, QStringLiteral("reparee"));
  try {
    plateforme::BaseDonnees::cree(nouvelle, schemas::base_eco());
    {
      plateforme::BaseDonnees source(QStringLiteral("source_reparation"));
      plateforme::BaseDonnees cible(QStringLiteral("cible_reparation"));
      plateforme::TableRecuperee r;
      try {
        source.ouvre(chemin);
        cible.ouvre(nouvelle);
        r = source.recupere_table(QStringLiteral("ECO"), cible);
      } catch (const plateforme::ErreurBase& e) {
        // Nothing can be read: the file stays as it is.
        bilan.problemes << (e.detail().isEmpty() ? e.texte() : e.detail());
        r = {};
      }
      bilan.lignes = r.lignes;
      bilan.pertes = r.zones_illisibles > 0;
    }
    if (bilan.lignes == 0) {
      QFile::remove(nouvelle);
      bilan.issue = BilanReparation::ILLISIBLE;
      return bilan;
    }
    bilan.ancienne = chemin + QStringLiteral(".endommagee-") +
                     QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    renomme(chemin, bilan.ancienne);
    try {
      renomme(nouvelle, chemin);
    } catch (...) {
      renomme(bilan.ancienne, chemin);
      throw;
    }
  } catch (...) {
    QFile::remove(nouvelle);
    throw;
  }
  bilan.issue = BilanReparation::REPAREE;
  return bilan;
}

void repare_base_eco() {
  if (base_occupee()) return;
  if (plateforme::boite_message(QStringLiteral("Lancement des réparations ?"), boite::OUI_NON + boite::EXCLAMATION) !=
      boite::OUI)
    return;
  const QString chemin = QFileInfo(base_eco).absoluteFilePath();
  if (tenue_ailleurs(chemin)) return;
  GardeBase garde;
  BilanReparation bilan;
  try {
    Sablier sablier;
    bilan = repare_fichier_eco(chemin);
  } catch (const std::exception& e) {
    plateforme::boite_message(plateforme::avec_detail(texte_ouvertures(859), detail_de(e)), boite::OK_SEUL);
    rouvre_eco(chemin);
    return;
  }
  rouvre_eco(chemin);
  QString message;
  switch (bilan.issue) {
    case BilanReparation::INTACTE:
      message = texte_ouvertures(854);
      break;
    case BilanReparation::REPAREE:
      message = texte_ouvertures(bilan.pertes ? 856 : 855).arg(bilan.lignes).arg(natif(bilan.ancienne));
      break;
    case BilanReparation::ILLISIBLE:
      message = plateforme::avec_detail(texte_ouvertures(857).arg(natif(chemin)), bilan.problemes.value(0));
      break;
  }
  plateforme::boite_message(message, boite::OK_SEUL);
}
