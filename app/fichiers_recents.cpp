#include "app/fichiers_recents.h"

#include "platform/reglages_utilisateur.h"

namespace {
QString cle(int i) { return QStringLiteral("RecentFile") + QString::number(i); }
QString appli() { return QString::fromLatin1(APPLI_REGLAGES); }
QString section() { return QString::fromLatin1(SECTION_RECENTS); }
}  // namespace

void ajoute_fichier_recent(const QString& chemin) {
  if (chemin == plateforme::lit_reglage(appli(), section(), cle(1))) return;
  for (int i = 9; i >= 1; --i) {
    const QString v = plateforme::lit_reglage(appli(), section(), cle(i));
    if (!v.isEmpty()) plateforme::ecrit_reglage(appli(), section(), cle(i + 1), v);
  }
  plateforme::ecrit_reglage(appli(), section(), cle(1), chemin);
}

QStringList fichiers_recents() {
  QStringList l;
  if (plateforme::lit_reglage(appli(), section(), cle(1)).isEmpty()) return l;
  for (const auto& [k, v] : plateforme::lit_section(appli(), section())) l << v;
  return l;
}
