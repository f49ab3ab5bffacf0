// The engine parameter file reader: any bytes as both profiles' file. A file
// the reader checks loads whole into both profiles, every value stored as
// read; a file it refuses changes neither profile.
#include <QFile>

#include "app/parametre_moteur.h"
#include "fuzz/cibles/cibles.h"
#include "play/parametres.h"

namespace fuzz {

std::string parametres_moteur(const std::uint8_t* donnees, std::size_t taille) {
  const QString chemin = QString::fromStdString(dossier_travail()) + QStringLiteral("/moteur.ini");
  {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) faute("cannot write the input file");
    f.write(reinterpret_cast<const char*>(donnees), static_cast<qint64>(taille));
  }
  reinitialise_parametres();
  QList<ReglageFichier> reglages;
  QString erreur;
  const bool lu = lit_parametres_moteur(chemin, reglages, erreur);
  const QStringList avant = lignes_parametres();
  QString erreur_charge;
  const bool charge = charge_parametres_moteur(chemin, chemin, erreur_charge);
  if (charge != lu) faute("loading and reading disagree on a file: " + erreur_charge.toStdString());
  if (!lu) {
    if (!reglages.isEmpty()) faute("a refused file still gives settings");
    if (lignes_parametres() != avant) faute("a refused file changed a profile");
    return "refusé";
  }
  // The last value of each key is the one stored, in both profiles.
  for (qsizetype i = 0; i < reglages.size(); ++i) {
    bool derniere = true;
    for (qsizetype j = i + 1; j < reglages.size(); ++j) derniere = derniere && reglages[j].cle != reglages[i].cle;
    if (!derniere) continue;
    for (int profil = 1; profil <= 2; ++profil) {
      const QString attendu = valeur_reglage(reglages[i].cle, profil);
      if (!range_reglage(reglages[i].cle, reglages[i].valeur, profil))
        faute("a checked value is refused when stored: " + reglages[i].cle.toStdString());
      if (valeur_reglage(reglages[i].cle, profil) != attendu)
        faute("a value was not stored as read: " + reglages[i].cle.toStdString());
    }
  }
  return "chargé " + std::to_string(reglages.size());
}

}  // namespace fuzz
