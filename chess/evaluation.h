// The static evaluation of the machine player, with the weights of the
// current engine profile (chess/poids.h).
#pragma once

// Reserved notes: no move, or the side's own king is attacked.
inline constexpr float NOTE_AUCUN_COUP = -999999.0f;
inline constexpr float NOTE_MAT = 999999.0f;

// The note of the position on tab_echiquier for `couleur` (2 White, 3
// Black): higher is better for that side. -999999 when the side's own king is
// attacked; when the other king is in check and its side has no legal move,
// the mate note 999999 / ((profondeur_courante + 1) * 10); otherwise the
// weighted sums of material, mobility, defence, attack and centre of the side
// minus those of the other side, plus the check bonus. Adds 1 to
// nb_positions_evaluees. Throws std::invalid_argument when a square holds
// something else than a piece code, std::out_of_range when profil_moteur is
// outside 0..2.
float evalue_position(int couleur);

// The mobility note of the piece on (colonne, ligne): the value of one
// reachable square (note_mobilite + numero_coup * mobilite_evolutive of its
// type) for every square it reaches; 0 for an empty square.
float mobilite_piece(int colonne, int ligne);

// The castling note of a king that has just moved from (colonne, ligne) to
// (col_d, lig_d) on its row: note_roque when it stands on its home row, the
// first piece between it and the corner on that side is its own rook on the
// corner, and the square in front of it is occupied; 0 otherwise.
float evalue_roque(int colonne, int ligne, int col_d, int lig_d);
