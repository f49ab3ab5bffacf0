#include "chess/cases.h"

CaseEcran case_ecran(int fichier, int rangee, int en_bas) {
  if (en_bas == NOIR) return {9 - fichier, rangee};
  return {fichier, 9 - rangee};
}

int fichier_de_colonne(int colonne, int en_bas) { return en_bas == NOIR ? 9 - colonne : colonne; }
int rangee_de_ligne(int ligne, int en_bas) { return en_bas == NOIR ? ligne : 9 - ligne; }

CaseEcran case_de_nom(std::string_view nom, int en_bas) {
  if (nom.size() != 2 || nom[0] < 'a' || nom[0] > 'h' || nom[1] < '1' || nom[1] > '8') return {};
  return case_ecran(nom[0] - 'a' + 1, nom[1] - '0', en_bas);
}

CaseEcran case_de_nom(std::string_view nom) { return case_de_nom(nom, couleur_joueur); }

std::string nom_case(int colonne, int ligne, int en_bas) {
  return {static_cast<char>('a' - 1 + fichier_de_colonne(colonne, en_bas)),
          static_cast<char>('0' + rangee_de_ligne(ligne, en_bas))};
}

std::string nom_case(int colonne, int ligne) { return nom_case(colonne, ligne, couleur_joueur); }
