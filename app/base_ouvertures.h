// The opening database as start-up opens it: once, for the whole run.
#pragma once

#include <QString>

// Opens the existing database file `chemin` (never creates one) and checks
// that it is a database. False with the error text when it is missing or
// damaged.
bool ouvre_base_ouvertures(const QString& chemin, QString& erreur);
bool base_ouvertures_ouverte();
void ferme_base_ouvertures();
