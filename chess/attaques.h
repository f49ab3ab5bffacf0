// Attack scans that complete nb_attaques: the defenders of a square, the
// enemy pieces a piece attacks, and the circles around undefended pieces.
#pragma once

// What entoure_pieces needs of the board control: its pieces and its
// circles. The board window hands its control `Echiquier` through this.
class SurfaceEchiquier {
 public:
  virtual ~SurfaceEchiquier() = default;
  // The code shown on (colonne, ligne), 1 for an empty square.
  virtual int piece(int colonne, int ligne) const = 0;
  // A circle on the square, in the RGB colour `couleur` (0xBBGGRR).
  virtual void trace_cercle(int colonne, int ligne, long couleur, double delta, int style, int largeur) = 0;
};

inline constexpr long CERCLE_ROUGE = 255;
inline constexpr long CERCLE_VERT = 65280;

// Number of pieces of colour `couleur` attacking (colonne, ligne) on
// tab_echiquier: with the colour of the piece standing there, its defenders.
// `code` is not used; the square itself never counts.
int case_attaquee(int code, int colonne, int ligne, int couleur);

// Number of pieces of the other colour that the piece on (colonne, ligne)
// attacks; 0 for an empty square.
int compte_attaques_lignes(int colonne, int ligne);

// Circles every undefended piece shown by `echiquier` (defenders counted on
// tab_echiquier): red for the pieces of `couleur`, green for the others.
// Returns the number of circles drawn.
int entoure_pieces(int couleur, SurfaceEchiquier& echiquier);
