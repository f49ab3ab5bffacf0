// The per-user settings store: text values by application, section and key,
// kept in the user's configuration folder (an INI file read through
// QSettings). The settings file of the program folder is another thing.
//
// Tests point the store at a temporary folder with definit_dossier_reglages;
// the test programs also set XDG_CONFIG_HOME, so no test ever reads or writes
// the real user's configuration.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace plateforme {

// The value of a key, or `defaut` when it is missing.
QString lit_reglage(const QString& application, const QString& section, const QString& cle,
                    const QString& defaut = QString());
void ecrit_reglage(const QString& application, const QString& section, const QString& cle, const QString& valeur);
void efface_reglage(const QString& application, const QString& section, const QString& cle);
// Every (key, value) of a section, keys in natural order (Key2 before Key10).
std::vector<std::pair<QString, QString>> lit_section(const QString& application, const QString& section);

// The file that holds an application's values (for tests and diagnostics).
QString fichier_reglages(const QString& application);

// Seam: the folder that holds the store; an empty text gives back the user's
// configuration folder.
void definit_dossier_reglages(const QString& dossier);
QString dossier_reglages();

}  // namespace plateforme
