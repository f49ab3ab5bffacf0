// The main window's commands on the opening base.
#include "app/menu.h"
#include "gamefiles/enrichit_pgn.h"
#include "openings/csv_eco.h"
#include "openings/enrichissement.h"
#include "openings/grille_donnees.h"
#include "openings/maintenance_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/fenetres.h"
#include "play/jeu.h"
#include "play/parametres.h"

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

namespace {
// The data grid on `table` of `base`: the window open on another table or
// file is unloaded first, so the grid shows what was asked.
void montre_grille(const QString& base, const QString& table) {
  base_grille = base;
  source_grille = table;
  frmDataGrid* g = fenetres::existante<frmDataGrid>();
  if (g && (g->base() != base || g->source() != table)) {
    fenetres::decharge(g);
    g = nullptr;
  }
  if (!g) {
    g = &fenetres::instance<frmDataGrid>();
    if (!g->Form_Load(base_grille, source_grille)) {
      fenetres::decharge(g);
      return;
    }
  }
  fenetres::montre_enfant(g);
}
}  // namespace

void Menu::menu_grille_Click() { montre_grille(base_eco, QStringLiteral("ECO")); }
void Menu::menu_pc_grille_Click() { montre_grille(base_corres, QStringLiteral("PARTIE")); }
