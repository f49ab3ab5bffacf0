#include "localisation/libelles_ouvertures.h"

using namespace lignes_libelles;

std::vector<Libelle> table_liste_coup() {
  return {
      L("Command1", 211),
      L("Command3", 280),
  };
}

std::vector<Libelle> table_frmDataGrid() {
  return {
      L("cmdRefresh", 180),
      L("cmdSort", 181),
      L("cmdFilter", 182),
      L("cmdClose", 183),
  };
}
