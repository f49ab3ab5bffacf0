#include "openings/reglages_ouvertures.h"

#include <QDir>

#include "platform/chemins.h"

int active_base_con[3] = {0, 0, 0};
int ouverture_aleatoire[3] = {1, 1, 1};
int max_coup_ouverture = 0;
int analyse_ouverture = 1;
QString base_eco;
QString eco_courant = QStringLiteral("inconnu");
QString ouverture_courante = QStringLiteral("inconnu");

QString chemin_base_eco_livree() {
  return QDir(plateforme::chemin_appli()).filePath(QStringLiteral("base/eco.db"));
}

void reinitialise_reglages_ouvertures() {
  for (int& v : active_base_con) v = 0;
  for (int& v : ouverture_aleatoire) v = 1;
  max_coup_ouverture = 0;
  analyse_ouverture = 1;
  base_eco = chemin_base_eco_livree();
  eco_courant = QStringLiteral("inconnu");
  ouverture_courante = QStringLiteral("inconnu");
}
