// The settings file reader: any bytes as morvandel.ini. Whatever it takes,
// the file the writer then makes is read back to the same settings (the
// written file is a fixed point of reading and writing).
#include <QFile>

#include "fuzz/cibles/cibles.h"
#include "play/parametres.h"

namespace fuzz {

std::string parametres(const std::uint8_t* donnees, std::size_t taille) {
  const QString dossier = QString::fromStdString(dossier_travail());
  const QString entree = dossier + QStringLiteral("/entree.ini");
  const QString sortie = dossier + QStringLiteral("/morvandel.ini");
  {
    QFile f(entree);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) faute("cannot write the input file");
    f.write(reinterpret_cast<const char*>(donnees), static_cast<qint64>(taille));
  }
  reinitialise_parametres();
  const LectureParametres lu = lit_parametres(entree);
  if (!lu.lu) faute("a file on disk could not be read: " + lu.erreur.toStdString());
  const QStringList premieres = lignes_parametres();
  if (!sauve_parametres(sortie)) faute("the settings could not be written");
  reinitialise_parametres();
  const LectureParametres relu = lit_parametres(sortie);
  if (!relu.cle_inconnue.isEmpty() || !relu.valeurs_rejetees.isEmpty())
    faute("the written file is refused: " + (relu.cle_inconnue + relu.valeurs_rejetees.join(QLatin1Char(' '))).toStdString());
  const QStringList secondes = lignes_parametres();
  if (secondes != premieres) {
    for (qsizetype i = 0; i < premieres.size() && i < secondes.size(); ++i)
      if (premieres[i] != secondes[i])
        faute("a setting changes once written and read: " + premieres[i].toStdString() + " / " +
              secondes[i].toStdString());
    faute("the written file has other lines");
  }
  return (lu.cle_inconnue.isEmpty() ? "lu" : "clé inconnue") + std::string(" ") +
         std::to_string(lu.valeurs_rejetees.size());
}

}  // namespace fuzz
