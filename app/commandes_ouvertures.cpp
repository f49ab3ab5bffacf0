// The main window's commands on the opening base.
#include "app/menu.h"
#include "gamefiles/enrichit_pgn.h"
#include "openings/csv_eco.h"
#include "openings/enrichissement.h"
#include "openings/maintenance_eco.h"
#include "play/jeu.h"

void Menu::menu_enrichir_Click(int Index) {
  switch (Index) {
    case 1:
      enrichit_partie_en_cours(derniere_note);
      break;
    case 2:
      enrichit_depuis_fichier_pgn();
      break;
    default:  // "Partie jusqu'au curseur" does nothing
      break;
  }
}

void Menu::menu_trans_Click(int Index) {
  if (Index == 1)
    importe_eco_csv();
  else if (Index == 2)
    exporte_eco_csv();
}

void Menu::menu_vider_Click() { vide_base_connaissance(); }
void Menu::menu_reorg_Click() { reorganise_base_eco(); }
void Menu::menu_repare_Click() { repare_base_eco(); }
