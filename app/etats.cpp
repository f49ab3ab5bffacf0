#include "app/etats.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

#include "play/parametres.h"
#include "localisation/textes_langue.h"
#include "openings/reglages_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/imprimante.h"
#include "play/impression.h"

namespace {

struct ErreurEtat : std::runtime_error {
  explicit ErreurEtat(const QString& t) : std::runtime_error(t.toStdString()), texte(t) {}
  QString texte;
};

struct Colonne {
  QString entete, champ;
  double largeur = 0;
  bool date = false;
};

struct Definition {
  QString titre, requete;
  QVariantList valeurs;
  QList<Colonne> colonnes;
};

Definition lit_definition(const QString& chemin) {
  QFile f(chemin);
  if (!f.exists())
    throw ErreurEtat(texte(910).arg(QDir::toNativeSeparators(chemin)));
  if (!f.open(QIODevice::ReadOnly))
    throw ErreurEtat(texte(911).arg(chemin, f.errorString()));
  QJsonParseError erreur;
  const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &erreur);
  const QJsonObject o = doc.object();
  if (erreur.error != QJsonParseError::NoError || !doc.isObject() || !o.value("requete").isString() ||
      !o.value("colonnes").isArray())
    throw ErreurEtat(texte(912).arg(QFileInfo(chemin).fileName()));
  Definition d;
  d.requete = o.value("requete").toString();
  const int numero = o.value("titre_texte").toInt();
  d.titre = numero > 0 ? texte(numero).remove(QLatin1Char('&')) : QString();
  if (d.titre.isEmpty()) d.titre = o.value("titre").toString();
  for (const QJsonValue v : o.value("valeurs").toArray()) d.valeurs << v.toVariant();
  for (const QJsonValue v : o.value("colonnes").toArray()) {
    const QJsonObject c = v.toObject();
    d.colonnes.append({c.value("entete").toString(), c.value("champ").toString(), c.value("largeur").toDouble(),
                       c.value("format").toString() == QLatin1String("date")});
  }
  return d;
}

QString valeur_affichee(const QVariant& v, bool date) {
  if (v.isNull()) return QString();
  const QString t = v.toString();
  if (!date) return t;
  const QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
  if (!d.isValid()) return t;
  return d.toString(cle_langue == 2 ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy"));
}

QString nom_executable() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

}  // namespace

bool lance_etat(const QString& modele, const QString& base) {
  try {
    const Definition d = lit_definition(dossier_etats + modele);
    // The rows are read first, the database closed before printing.
    QList<QStringList> lignes;
    {
      plateforme::BaseDonnees bd(QStringLiteral("etat"));
      bd.ouvre(plateforme::chemin_absolu(base));
      plateforme::JeuEnregistrements rs = bd.requete(d.requete, d.valeurs);
      for (; !rs.fin(); rs.suivant()) {
        QStringList l;
        for (const Colonne& c : d.colonnes) l << valeur_affichee(rs.valeur(c.champ), c.date);
        lignes << l;
      }
    }
    TableImpression table;
    for (const Colonne& c : d.colonnes) {
      table.entetes << c.entete;
      table.largeurs << c.largeur;
    }
    table.nb_lignes = static_cast<int>(lignes.size());
    table.cellule = [&lignes](int ligne, int colonne) { return lignes[ligne].value(colonne); };

    const QString titre = d.titre.trimmed().toUpper();
    plateforme::Imprimante travail(
        imp == 0 ? plateforme::Imprimante::Destination::apercu : plateforme::Imprimante::Destination::imprimante,
        titre);
    travail.paysage(true);
    dessine_table(travail, table, titre, tampon_impression(), QStringLiteral("Arial"), 10);
    return travail.termine();
  } catch (const ErreurEtat& e) {
    plateforme::boite_erreur(e.texte, nom_executable());
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_erreur(e.texte(), nom_executable());
  } catch (const plateforme::ErreurImpression& e) {
    plateforme::boite_erreur(e.texte(), nom_executable());
  }
  return false;
}

void menu_edt_eco_Click() { lance_etat(QStringLiteral("lis_eco.rpt"), base_eco); }
void menu_edt_enrichie_Click() { lance_etat(QStringLiteral("lis_con.rpt"), base_eco); }
void menu_pc_edt_Click(int Index) {
  lance_etat(Index == 0 ? QStringLiteral("lis_pc1.rpt") : QStringLiteral("lis_pc2.rpt"), base_corres);
}
