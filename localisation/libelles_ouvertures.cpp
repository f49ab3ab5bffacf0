#include "localisation/libelles_ouvertures.h"

std::vector<Libelle> table_liste_coup() {
  return {
      {"Command1", -1, 211, nullptr, nullptr, false},
      {"Command3", -1, 280, nullptr, nullptr, false},
  };
}

std::vector<Libelle> table_frmDataGrid() {
  return {
      {"cmdRefresh", -1, 180, nullptr, nullptr, false},
      {"cmdSort", -1, 181, nullptr, nullptr, false},
      {"cmdFilter", -1, 182, nullptr, nullptr, false},
      {"cmdClose", -1, 183, nullptr, nullptr, false},
  };
}
