#include "openings/base_eco.h"

#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/evenements.h"

plateforme::BaseDonnees db_eco(QStringLiteral("db_eco"));

void ouvre_base_eco(const QString& chemin) {
  db_eco.ouvre(chemin);
  try {
    const auto colonnes = db_eco.colonnes(QStringLiteral("ECO"));
    const QStringList attendues = {QStringLiteral("Eco_cle"),          QStringLiteral("Eco_code"),
                                   QStringLiteral("Eco_libelle"),      QStringLiteral("Eco_coup"),
                                   QStringLiteral("Eco_connaissance"), QStringLiteral("Eco_note")};
    for (const QString& nom : attendues) {
      bool trouvee = false;
      for (const auto& c : colonnes) trouvee = trouvee || c.nom.compare(nom, Qt::CaseInsensitive) == 0;
      if (!trouvee) throw plateforme::ErreurBase(QStringLiteral("Colonne absente de la table ECO : ") + nom);
    }
    // Room for the pages of the indexes that the lookups walk.
    db_eco.execute(QStringLiteral("PRAGMA cache_size = -16384"));
  } catch (...) {
    db_eco.ferme();
    plateforme::signale_changement();
    throw;
  }
  plateforme::signale_changement();
}

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
