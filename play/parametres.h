// The settings of the program: the settings file morvandel.ini of the
// program folder, its reader and its writer, and the values that live for the
// whole run in variables named after their keys in lower case.
//
// File format: Windows-1252 text, CRLF line ends, five section lines
// ([GENERAL], [TCP/IP], [CALCUL], [FILTRE], [MEL]) that the reader ignores,
// and one line per setting: KEY=value. Per-profile keys are arrays indexed by
// the engine profile (1 or 2); reader and writer use profil_moteur.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// BASE_ECO, MAX_COUP_OUVERTURE, OUVERTURE_ALEATOIRE, ACTIVE_BASE_CON and
// analyse_ouverture belong to the opening base.
#include "openings/reglages_ouvertures.h"

// --- Paths derived from the program folder at start-up -------------------
extern QString fichier_aide;   // the help pages
extern QString fichier_ini;    // the settings file
extern QString dossier_etats;  // the report templates, ending with "/"

// --- [GENERAL] ------------------------------------------------------------
extern int first_startup;  // 1: show the language dialog at the next start
// CLE_LANGUE lives in cle_langue (localisation).
extern QString nom_joueur[3];
extern QString nom_moteur[3];
extern int mode_jeux;  // 1..5
extern QString lieu_jeu;
extern int niveau_elo[3];
extern int tri_eco;
extern int deb_blanc;
extern QString curent_echiquier;
extern QString curent_piece;
extern int aff_repere;
extern int zip_partie;
extern int sauve_abrege;
extern int aff_nouvelle;
extern int machine_trace_coup;
extern int active_son;
extern int imp;
extern int bulle_aide;
extern QString partie_filtre;
extern int max_seuil_partie;
extern QString ouverture_defaut[3];
extern QString file_log;
extern int ges_log;
extern int active_horloge;
extern QString delai_partie;  // "hh:nn:ss"
extern int delai_attente;     // milliseconds
extern QString version_xml;

// --- [TCP/IP] ---------------------------------------------------------------
extern int ip_mode_serveur;
extern QString ip_adresse_host;
extern QString ip_num_port;
extern QString ip_nom_utilisateur;
// The longest nickname, in characters: every message that carries it (the
// game request, its acceptance, each chat line) must fit the receiver's
// limit with room to spare (network/protocole.cpp checks it at build time).
constexpr int LONGUEUR_PSEUDO_MAX = 32;

// --- [CALCUL]: the engine weights of chess/poids.h ---------------------------

// --- [FILTRE] ---------------------------------------------------------------
extern QString critere_event;
extern QString critere_site;
extern QString critere_blanc;
extern QString critere_noir;
extern int critere_lesdeux;
extern QString critere_eco;
extern QString critere_ronde;
extern QString critere_resultat;
extern QString critere_date;

// --- [MEL] --------------------------------------------------------------------
extern QString base_corres;
extern QString adresse_mel;
extern int nb_jour_max;

// Read at start-up and kept, never written.
extern QString actualite_xml;

// --- Values of the run that no key holds ---------------------------------------
extern int piece_choisie;      // the set-up piece picked, 0 none
extern float seuil_note_haut;  // 600: a human move above it is marked "!"
extern float seuil_note_bas;   // -600: below it "?"
extern QString table_elo[5];   // Elo label of each playing level (level 4 has none)
extern QString sons[15];       // the sound files by number, empty where none
extern QString fichier_pgn;    // the PGN file whose games the board window lists
extern int mode_charge;        // 0 the load form loads, 1 it extracts and saves
extern int message_mode;       // 1 correspondence move, 2 FEN, 3 blank message
extern int mode_saisie_corres; // 1 new correspondence game, 2 modify or show
extern QString table_grille;   // "ECO" or "PARTIE": what the data grid edits
extern QString base_grille;    // and in which database file
extern QString& source_grille; // the same text as table_grille, under its other name

// What the preferences' OK chose while a game was on the board: that game
// keeps its play mode, its engine profile and the human's colour, and the
// choice is the setting from then on (the preferences show it, every write of
// the settings file writes it, per-profile keys from profile 1) until the
// board window closes and puts it in force. mode 0: nothing waits.
struct ChoixEnAttente {
  int mode = 0;     // 1..5
  int couleur = 0;  // BLANC or NOIR, 0 to keep couleur_joueur
};
extern ChoixEnAttente choix_en_attente;
// The play mode the settings hold: the one waiting, else mode_jeux.
int mode_jeux_reglage();
// The engine profile the settings file is written from: 1 while a choice
// waits, else profil_moteur.
int profil_reglage();
// Puts a waiting choice in force: mode_jeux, couleur_joueur, profil_moteur
// 1. False when nothing waited.
bool applique_choix_en_attente();

// The program's version, shown in the window title and the dialogs.
inline constexpr int VERSION_MAJEURE = 5;
inline constexpr int VERSION_MINEURE = 0;
inline constexpr int VERSION_REVISION = 1;
// "5.0.1"
QString texte_version();
// The product's web site, shown by the language dialog and the about box.
inline constexpr const char* ADRESSE_SITE = "https://morvandel.example.org";

// --- Start-up values -------------------------------------------------------------

// The six paths built from the program folder, the built-in value of every
// key (per-profile keys in profile 1, profile 2 emptied), the run values
// above, and profil_moteur 1 with no second profile loaded.
void reinitialise_parametres();
// The values a start without settings file sets before writing one.
void valeurs_sans_fichier();

// --- Reading ---------------------------------------------------------------------

// The items of one line as the settings reader sees them: an item ends at a
// comma or at the end of the line, blanks before it are skipped, and an item
// that begins with a double quote runs to the next double quote (dropped).
// The preferences dialog and the engine parameter files read lines the same
// way.
QStringList decoupe_elements(const QString& ligne);

// One trimmed item as a setting: true when it holds "=" and does not begin
// with "["; the key is the text before the first "=", the value the rest.
bool decoupe_reglage(const QString& element, QString& cle, QString& valeur);

// A number as the settings file holds it, the whole text (nombre_exact of
// chess/outils.h): "3.5", "3,5", "1E-08"; nothing for "", "abc", "12abc", "NaN".
std::optional<double> nombre_reglage(const QString& texte);

// What the start-up reader found.
struct LectureParametres {
  QString chemin;              // the file read
  bool lu = false;             // false: the file could not be read (erreur names it and the cause)
  QString erreur;
  QString cle_inconnue;        // the item of the first unknown key, empty if none
  QStringList valeurs_rejetees;  // "KEY=value" of each value refused (not a number, a fraction, out of range)
  QString message_rejet() const;  // the message naming the refused keys and the file
};

// Reads a settings file into the settings, key by key, for the current
// profile. Stops at the first unknown key. A number is read whole by
// nombre_reglage (a decimal comma too, though the line's items are cut at
// commas); a whole-number key takes a whole number only ("3,5" is refused),
// save the flags, SEUIL_CENTRE and NB_JOUR_MAX, rounded half to even; each
// within its range, decimal keys within +-10000000. A value that its key
// cannot take (not a number, a fraction, out of range, DELAI_PARTIE not a
// time "hh:nn:ss" under 24 hours) leaves the
// key's value as it was and is listed. A file that cannot
// be read is remembered: saving over it asks first.
LectureParametres lit_parametres(const QString& chemin);

// One key at a time, by the reader's rules (the preferences dialog, the
// engine parameter files). True when `valeur` is a value the reader stores
// for `cle`: a known key and a value of its type and range. Changes nothing.
bool valeur_acceptee(const QString& cle, const QString& valeur);
// The value of `cle` (a per-profile key at `profil`) as the writer writes it;
// empty for an unknown key.
QString valeur_reglage(const QString& cle, int profil);
// Stores `valeur` for `cle` as the reader does, a per-profile key at `profil`
// (0..2); false, nothing stored, for an unknown key or a refused value.
bool range_reglage(const QString& cle, const QString& valeur, int profil);

// The names of the 80 keys the reader accepts, in the order of the written file
// (ACTUALITE_XML last, which the writer does not write).
QStringList cles_acceptees();

// --- Writing ---------------------------------------------------------------------

// The lines of the settings file for the current profile, in file order.
QStringList lignes_parametres();

// Writes the whole settings file to `chemin` (a new file renamed over the old
// one), then refreshes the main window's play-mode marks and title. On
// failure shows the error (the file and the cause) with the exclamation icon,
// leaves the old file whole and returns false. A file that could not be read
// is replaced only when the user says yes; false otherwise.
bool sauve_parametres(const QString& chemin);

// The number form of a decimal setting: "." as decimal point, no leading zero
// before the point, no trailing zeros, at most seven significant digits, never
// an exponent ("3.5", ".1", "-.5", "100", "-1000").
QString texte_decimal(float valeur);
