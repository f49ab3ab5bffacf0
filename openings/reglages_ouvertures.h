// Settings and shared values of the opening base.
//
// The settings reader sets these by key: ACTIVE_BASE_CON and
// OUVERTURE_ALEATOIRE per engine profile (elements 1 and 2), MAX_COUP_OUVERTURE,
// BASE_ECO. analyse_ouverture has no key (the main window's menu toggles it).
#pragma once

#include <QString>

extern int active_base_con[3];      // 1: the machine plays book moves from the base
extern int ouverture_aleatoire[3];  // 1: a random matching line instead of the best-rated one
extern int max_coup_ouverture;      // below this move number an unknown opening is reported
extern int analyse_ouverture;       // 1: the opening is named after every move
extern QString base_eco;            // path of the opening database file

// The opening of the game in hand, from the last lookup that found one.
extern QString eco_courant;
extern QString ouverture_courante;

// The values the program starts with, before the settings file is read.
void reinitialise_reglages_ouvertures();
// The opening database that ships with the program: base/eco.db in the program folder.
QString chemin_base_eco_livree();
