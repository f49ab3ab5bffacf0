// The printed reports of the two databases. Each report is a definition
// file of the folder "etat" (dossier_etats): a JSON object holding its title
// ("titre", and "titre_texte", the number of the language text that names
// it), its query ("requete", SQLite, its "?" bound to "valeurs" in order)
// and its columns ("colonnes": "entete", "champ", "largeur", and "format"
// "date" for a "yyyy-mm-dd" value). A report runs on the database its
// command names and prints as a table, landscape; IMP 0 shows it in the
// print preview, IMP 1 sends it to the printer.
#pragma once

#include <QString>

// Runs the report `modele` (a file name in dossier_etats) on the database
// file `base` (made absolute the program's way). Any error shows its text
// with the exclamation icon, titled with the program's executable name, and
// changes nothing; returns true when the report went out.
bool lance_etat(const QString& modele, const QString& base);

// The main window's report items.
void menu_edt_eco_Click();       // "lis_eco.rpt" on the opening base
void menu_edt_enrichie_Click();  // "lis_con.rpt" on the opening base
void menu_pc_edt_Click(int Index);  // 0 "lis_pc1.rpt", 1 "lis_pc2.rpt" on the correspondence base
