// Shared values owned by neighbouring subsystems that the settings fill:
// the engine profile and weights of the [CALCUL] section. They move to the
// engine's header when that lands.
#pragma once

// Engine profile whose column the per-profile settings use (1 or 2).
extern int profil_moteur;
// 1 once a second engine profile has been loaded.
extern int profil2_charge;

// [CALCUL], per profile (index 1, 2); the per-piece tables at profile + 3 * type_piece.
// ACTIVE_BASE_CON lives with the opening base.
extern int profondeur_max[3];
extern float note_mobilite[24];
extern float mobilite_evolutive[24];
extern float note_materiel[24];
extern float bonus_echec[3];
extern int seuil_bonus_echec[3];
extern float note_promotion[3];
extern float note_roque[3];
extern float malus_double[3];
extern float malus_roi[3];
extern float note_centre[3];
extern int seuil_centre[3];
extern float indice_defense[3];
extern float indice_attaque[3];
extern int alpha_beta[3];
extern float seuil_partie_nulle;
