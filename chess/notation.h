// Move texts: the long notation of the move list, the short algebraic
// notation of the game record, and the reader of short texts.
//
// Squares are screen coordinates (colonne, ligne) as on tab_echiquier; a text
// always names the real chess squares whichever colour is drawn at the bottom
// (couleur_joueur 2: file = colonne, row = 9 - ligne; otherwise file =
// 9 - colonne, row = ligne).
#pragma once

#include <string>

#include "chess/cases.h"

// --- Writing ------------------------------------------------------------

// The long text of one move, beginning with a blank: " 12.Cg1-f3" for a White
// move (the move number and "."), " e7xd6" for a Black one. Pawns show their
// source square only, other pieces their letter in style_notation (none in
// style 0) then the source square; a king moving between the castling columns
// is written "O-O" or "O-O-O". "x" before the target when code_dst is not an
// empty square or en_passant is 1, "-" otherwise; castling has no target.
std::string notation_coup(int numero, int code, int col_s, int lig_s, int code_dst, int col_d, int lig_d,
                          int en_passant);

// The short text, with English letters, of a long text made by notation_coup
// plus the callers' marks, passed without its leading blank: "12.Cg1xf3+"
// gives " 12.Nxf3", "e5xd6e.p." gives " exd6e.p.", "7.e7-e8=D" gives
// " 7.e8=Q", "5.O-O" gives " 5.O-O". The result begins with a blank and keeps
// the move number, so short texts joined end to end make a movetext. Check
// marks, "!" and "?" are dropped; "e.p." and "=" with the promoted piece's
// English letter are kept. The input letters are those of style_notation; in
// style 0 a piece move has no letter and is shortened like a pawn's.
//
// This form alone cannot tell whether another piece of the same kind could
// also reach the target: it never writes a disambiguation. Use the
// two-argument form with desambiguisation() for the game record.
std::string notation_abregee(const std::string& texte_long);

// The same, with `desambiguisation` (as returned by desambiguisation() on
// the board before the move: "", a file "b", a row "1" or a square "h4")
// written right after the piece letter: "Cb1-d2" with "b" gives " Nbd2",
// "Th1xh4" with "1" gives " R1xh4". Ignored for pawn moves, castling and
// moves written without a piece letter.
std::string notation_abregee(const std::string& texte_long, const std::string& desambiguisation);

// What the short text must add so that a reader finds the right piece, for the
// move (col_s, lig_s) -> (col_d, lig_d) on tab_echiquier BEFORE it is played:
// empty when no other piece of the same code could legally make the same move
// (legal: coup_valide and the mover's king not left attacked); otherwise the
// source file when it differs from every such piece's file, else the source
// row when it differs from every such piece's row, else the whole source
// square. Always empty for a pawn (its captures already carry its file) and for
// an empty source square.
std::string desambiguisation(int col_s, int lig_s, int col_d, int lig_d);

// The chess name of a screen square's file and row alone, in the current
// orientation (the whole name is nom_case of chess/cases.h).
char lettre_colonne(int colonne);
char chiffre_ligne(int ligne);

// --- Reading ------------------------------------------------------------

// Reads one movetext token for the side `couleur` (2 White, 3 Black) with
// French letters when `style` is 1, English letters otherwise, and gives the
// move on tab_echiquier. The token is trimmed and stripped of what a movetext
// may hold around a move: a comment from "{" or ";", "e.p.", a move number
// with one or more dots ("12.", "12...", "12... " before the move), numeric
// annotations ("$1"), check and mate marks, annotation marks ("!", "?", "!!",
// "!?", "?!", "??"), "=" with the promotion letter (also accepted without
// "=": "e8Q"). `token` is left holding the bare move, `marques` what was cut
// off, in the order it stood ("=D+", "e.p.", "+!"): the callers take the
// promotion letter and the en-passant mark from it.
//
// Results: "1-0", "0-1", "1/2-1/2", "*" give code 1, marques the result and all
// four coordinates 0. Castling: "O-O", "0-0", "O-O-O", "0-0-0". Other moves:
// "e4", "exd5", "Nf3", "Nxf3", "Nbd2", "R1e1", "Nbxd2", "R1xe1", "Qh4e1",
// "Qh4xe1"; a hint (file, row, square) chooses among several pieces.
//
// A pawn step whose pawn is not found, or a piece that no square of the board
// can bring to the target, leaves the source (0, 0). An empty token does
// nothing: source (0, 0), target and code unchanged. Any other token that is
// not a move (marks or a number alone, a letter outside a-h, a row outside
// 1-8, a pawn source off the board, an unknown piece letter) shows the message
// "Erreur de chargement du coup : " + token + " !" titled "Attention" through
// affiche_erreur and leaves all four coordinates 0. The board is never read
// outside its squares.
//
// The move itself is not tested: callers test it with coup_valide.
void decode_coup(int couleur, int style, std::string& token, int& col_s, int& lig_s, int& col_d, int& lig_d,
                 int& code, std::string& marques);

// True for a movetext token that holds no move but may stand between moves:
// a numeric annotation ("$1", "$14"), annotation marks alone ("!", "?", "!!",
// "??", "!?", "?!"), a bare move number ("12.", "12...", "..."), "e.p." alone,
// a token that opens a comment ("{" or ";").
// A caller reading a movetext token by token skips them instead of handing them
// to decode_coup (which refuses them with its message).
bool est_annotation(const std::string& token);

// Finds the square from which the piece `code` can come to (col_d, lig_d).
// On entry col_s and lig_s are hints (0 = none): a candidate must match every
// hint given. Candidates are taken along the lines (rook, queen, king: +1,0
// -1,0 0,+1 0,-1), then the diagonals (bishop, queen, king: +1,-1 -1,-1 +1,+1
// -1,+1), then the knight jumps, walking each line to the edge of the board.
// Among the candidates the first one from which the move is legal (coup_valide
// and the own king not left attacked) wins, else the first one coup_valide
// accepts, else the first one found. col_s and lig_s are left unchanged when no
// square holds the code.
void cherche_origine(int code, int col_d, int lig_d, int& col_s, int& lig_s);

// True, with the square in autre_col and autre_lig, when another square than
// (colonne, ligne) holds the same code (colonnes 1..8 outside, lignes 1..8
// inside, first found); false and the outputs untouched otherwise.
bool cherche_piece_identique(int colonne, int ligne, int& autre_col, int& autre_lig);
