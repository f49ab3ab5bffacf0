// The engine profiles and the weights the machine player reads: the values of
// the [CALCUL] section of the settings file, one column per engine profile.
//
// Per-profile values are arrays indexed by the profile (0 to 2; profiles 1
// and 2 are used). The weights of a piece type are arrays of 24 read at
// element profil + 3 * type_piece, for the types 2 (pawn) to 7 (king):
// note_materiel[indice_type(profil_moteur, TYPE_DAME)] is the queen's value
// in the current profile. Each array is named after its key in lower case
// (NOTE_MATERIEL_DAME fills note_materiel, ALPHA_BETA fills alpha_beta).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

inline constexpr int NB_PROFILS = 3;  // indices 0..2, profiles 1 and 2 used

// The engine profile whose column every reader of the weights uses (1 or 2).
extern int profil_moteur;
// Non-zero once a second engine profile has been loaded (machine against
// machine then alternates profil_moteur between 1 and 2).
extern int profil2_charge;

inline constexpr int indice_type(int profil, int type) { return profil + 3 * type; }

// --- [CALCUL] -------------------------------------------------------------
extern int profondeur_max[NB_PROFILS];   // playing level: reply levels searched (the search uses 0..3)
extern float note_mobilite[24];          // value of one reachable square, by type
extern float mobilite_evolutive[24];     // extra value of one reachable square per move number, by type
extern float note_materiel[24];          // value of a piece, by type (the king included)
extern float bonus_echec[NB_PROFILS];    // check bonus per move number
extern int seuil_bonus_echec[NB_PROFILS];  // first move number of the check bonus
extern float note_promotion[NB_PROFILS];
extern float note_roque[NB_PROFILS];
extern float malus_double[NB_PROFILS];   // a pawn landing right in front of an own pawn
extern float malus_roi[NB_PROFILS];      // every king move
extern float note_centre[NB_PROFILS];    // one attack on a centre square
extern int seuil_centre[NB_PROFILS];     // last move number of the centre term
extern float indice_defense[NB_PROFILS]; // a piece with more defenders than attackers
extern float indice_attaque[NB_PROFILS]; // a defended piece that attacks an enemy piece
extern int alpha_beta[NB_PROFILS];       // non-zero: skip the reply search of moves above the depth's best
extern float seuil_partie_nulle;         // one value for both profiles

// Factory values: every value above in profile 1 as a start without
// settings file has it; profiles 0 and 2 hold zeros (a second profile is
// filled only by loading an engine parameter file). profil_moteur becomes 1,
// profil2_charge 0.
void reinitialise_poids();

// --- The [CALCUL] keys, for the settings reader and writer ------------------

// How the settings file writes a key's value and what the reader keeps of
// it; the reader reads every number whole, in one form (play/parametres.h).
enum class GenreCle {
  drapeau,              // 0..255, rounded half to even (ALPHA_BETA)
  entier,               // 16-bit whole number (PROFONDEUR_MAX, SEUIL_BONUS_ECHEC)
  decimal,              // single precision
  decimal_simple,       // single precision, not rounded (INDICE_DEFENSE)
  decimal_vers_entier,  // rounded to a 16-bit whole number (SEUIL_CENTRE)
};

struct ClePoids {
  std::string_view cle;  // as written in the file, "NOTE_MATERIEL_DAME"
  GenreCle genre;
  bool par_profil;       // false only for SEUIL_PARTIE_NULLE
  bool entier;           // stored in an int array (else float)
  // Written in plain decimal digits (PROFONDEUR_MAX); every
  // other [CALCUL] value is written in the locale-independent number form.
  bool chiffres_simples;
};

// The keys of [CALCUL] that the machine player reads, in the order of the
// written file: all but ACTIVE_BASE_CON, which belongs to the opening base.
const std::vector<ClePoids>& cles_calcul();
// The key named `cle` (exact, case-sensitive), or null.
const ClePoids* cherche_cle_calcul(std::string_view cle);

// Stores `valeur`, already converted by the reader as the key's genre asks,
// into the key's array at `profil` (ignored for SEUIL_PARTIE_NULLE); int
// arrays take the nearest whole number. False, nothing stored, for a key that
// is not in [CALCUL] or a profile outside 0..2.
bool ecrit_poids(std::string_view cle, double valeur, int profil);
// The value of a key at `profil`; nothing for an unknown key or profile.
std::optional<double> lit_poids(std::string_view cle, int profil);
