// The recent game files: up to ten paths in the per-user store (application
// "Morvandel", section "Recent Files", keys RecentFile1 to RecentFile10,
// RecentFile1 the newest). The main window lists them in its file menu,
// built once at start-up (Menu::charge_fichiers_recents).
#pragma once

#include <QString>
#include <QStringList>

// Puts `chemin` first on the list; nothing happens when it already is the
// first one (exact comparison). The oldest of ten falls off.
void ajoute_fichier_recent(const QString& chemin);

// The stored paths in menu order (the store's listing, keys in number order).
QStringList fichiers_recents();

// Names of the store.
inline constexpr const char* APPLI_REGLAGES = "Morvandel";
inline constexpr const char* SECTION_RECENTS = "Recent Files";
