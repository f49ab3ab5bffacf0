// The CSV import of the opening table: any bytes as the file. The reader's
// records write back to the same records; a file refused leaves the table as
// it was; a file taken exports to a file that imports to the same table.
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "fuzz/cibles/cibles.h"
#include "openings/csv_eco.h"
#include "platform/base_donnees.h"
#include "platform/schemas_bases.h"

namespace fuzz {

namespace {

// Every row of the table, in key order, as one text. The target reads
// through one connection kept open from input to input (opening the base
// cost more than all the rest); the import and the export open their own.
QString contenu_table(const QString& base) {
  static plateforme::BaseDonnees* const lecteur = new plateforme::BaseDonnees(QStringLiteral("fuzz_csv"));
  if (!lecteur->ouverte() || lecteur->chemin() != base) lecteur->ouvre(base);
  const plateforme::BaseDonnees& b = *lecteur;
  QString t;
  auto rs = b.requete(QStringLiteral("SELECT * FROM ECO ORDER BY Eco_cle"));
  const QStringList colonnes = rs.colonnes();
  for (; !rs.fin(); rs.suivant()) {
    for (const QString& c : colonnes) {
      const QVariant v = rs.valeur(c);
      t += v.toString();
      if (v.isNull()) t += u"<nul>";
      t += u'|';
    }
    t += u'\n';
  }
  return t;
}

void verifie_enregistrements(const QList<EnregistrementCsv>& enregistrements) {
  for (const EnregistrementCsv& e : enregistrements) {
    if (e.champs.size() == 1 && e.champs.first().isEmpty()) continue;  // a blank line
    const QString ligne = ligne_csv(e.champs);
    const QList<EnregistrementCsv> relu = lit_csv(ligne);
    if (relu.size() != 1 || relu.first().champs != e.champs)
      faute("a record does not read back from its line: " + ligne.toStdString());
    // One field is cut from the whole line: the first, the middle and the
    // last say as much as every one (each would read the line again).
    const qsizetype nb = e.champs.size();
    for (qsizetype n : {qsizetype(1), (nb + 1) / 2, nb})
      if (decoupe_ligne_csv(static_cast<int>(n), ligne) != e.champs[n - 1]) faute("one field of a line reads wrong");
    if (!decoupe_ligne_csv(static_cast<int>(nb + 1), ligne).isNull()) faute("a field past the last one reads");
  }
}

}  // namespace

std::string csv_eco(const std::uint8_t* donnees, std::size_t taille) {
  const QByteArray octets(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
  const QString dossier = QString::fromStdString(dossier_travail());
  const QString base = dossier + QStringLiteral("/eco.db");
  const QString fichier = dossier + QStringLiteral("/entree.csv");
  const QString export_ = dossier + QStringLiteral("/sortie.csv");
  if (!QFileInfo::exists(base)) plateforme::BaseDonnees::cree(base, schemas::base_eco());

  try {
    verifie_enregistrements(lit_csv(texte_csv(octets)));
  } catch (const std::runtime_error&) {
    // An unclosed quote: the import refuses it below.
  }
  {
    QFile f(fichier);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) faute("cannot write the input file");
    f.write(octets);
  }
  const QString avant = contenu_table(base);
  int n = 0;
  try {
    n = importe_table_eco(base, fichier);
  } catch (const std::runtime_error&) {
    if (contenu_table(base) != avant) faute("a refused file changed the table");
    return "refusé";
  }
  if (n == 0) {
    if (contenu_table(base) != avant) faute("a file without rows changed the table");
    return "vide";
  }
  const QString importe = contenu_table(base);
  if (exporte_table_eco(base, export_) != n) faute("the export does not hold every row imported");
  if (importe_table_eco(base, export_) != n) faute("the exported file does not import every row");
  if (contenu_table(base) != importe) faute("the table changes through an export and an import");
  return "importé " + std::to_string(n);
}

}  // namespace fuzz
