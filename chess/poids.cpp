#include "chess/poids.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "chess/etat.h"

int profil_moteur = 1;
int profil2_charge = 0;

int profondeur_max[NB_PROFILS];
float note_mobilite[24];
float mobilite_evolutive[24];
float note_materiel[24];
float bonus_echec[NB_PROFILS];
int seuil_bonus_echec[NB_PROFILS];
float note_promotion[NB_PROFILS];
float note_roque[NB_PROFILS];
float malus_double[NB_PROFILS];
float malus_roi[NB_PROFILS];
float note_centre[NB_PROFILS];
int seuil_centre[NB_PROFILS];
float indice_defense[NB_PROFILS];
float indice_attaque[NB_PROFILS];
int alpha_beta[NB_PROFILS];
float seuil_partie_nulle;

namespace {

// Piece-type suffixes in the order of the file, with their type.
struct Suffixe {
  const char* nom;
  int type;
};
constexpr Suffixe suffixes[6] = {{"PION", TYPE_PION},   {"FOU", TYPE_FOU},   {"CAVALIER", TYPE_CAVALIER},
                                 {"TOUR", TYPE_TOUR},   {"DAME", TYPE_DAME}, {"ROI", TYPE_ROI}};

// Where a key's values live.
struct Emplacement {
  ClePoids cle;
  int* entiers = nullptr;   // array indexed by profile (offset by 3 * type for the type tables)
  float* decimaux = nullptr;
};

// The 18 composed names of the type tables ("NOTE_MATERIEL_DAME"); the key
// table views them, so they never move.
std::string noms_composes[18];

const std::vector<Emplacement>& emplacements() {
  static const std::vector<Emplacement> table = [] {
    std::vector<Emplacement> t;
    int n = 0;
    auto entier = [&](std::string_view cle, GenreCle g, int* tab, bool chiffres) {
      t.push_back({{cle, g, true, true, chiffres}, tab, nullptr});
    };
    auto decimal = [&](std::string_view cle, GenreCle g, float* tab) {
      t.push_back({{cle, g, true, false, false}, nullptr, tab});
    };
    entier("PROFONDEUR_MAX", GenreCle::entier, profondeur_max, true);
    const std::pair<const char*, float*> familles[3] = {
        {"NOTE_MOBILITE_", note_mobilite}, {"MOBILITE_EVOLUTIVE_", mobilite_evolutive},
        {"NOTE_MATERIEL_", note_materiel}};
    for (const auto& [prefixe, tableau] : familles)
      for (const Suffixe& s : suffixes) {
        noms_composes[n] = std::string(prefixe) + s.nom;
        decimal(noms_composes[n++], GenreCle::decimal, tableau + 3 * s.type);
      }
    decimal("BONUS_ECHEC", GenreCle::decimal, bonus_echec);
    entier("SEUIL_BONUS_ECHEC", GenreCle::entier, seuil_bonus_echec, false);
    decimal("NOTE_PROMOTION", GenreCle::decimal, note_promotion);
    decimal("NOTE_ROQUE", GenreCle::decimal, note_roque);
    decimal("MALUS_DOUBLE", GenreCle::decimal, malus_double);
    decimal("MALUS_ROI", GenreCle::decimal, malus_roi);
    decimal("NOTE_CENTRE", GenreCle::decimal, note_centre);
    entier("SEUIL_CENTRE", GenreCle::decimal_vers_entier, seuil_centre, false);
    decimal("INDICE_DEFENSE", GenreCle::decimal_simple, indice_defense);
    decimal("INDICE_ATTAQUE", GenreCle::decimal, indice_attaque);
    entier("ALPHA_BETA", GenreCle::drapeau, alpha_beta, false);
    t.push_back({{"SEUIL_PARTIE_NULLE", GenreCle::decimal, false, false, false}, nullptr, &seuil_partie_nulle});
    return t;
  }();
  return table;
}

const Emplacement* cherche(std::string_view cle) {
  for (const Emplacement& e : emplacements())
    if (e.cle.cle == cle) return &e;
  return nullptr;
}

}  // namespace

void reinitialise_poids() {
  profil_moteur = 1;
  profil2_charge = 0;
  std::fill(std::begin(profondeur_max), std::end(profondeur_max), 0);
  std::fill(std::begin(note_mobilite), std::end(note_mobilite), 0.0f);
  std::fill(std::begin(mobilite_evolutive), std::end(mobilite_evolutive), 0.0f);
  std::fill(std::begin(note_materiel), std::end(note_materiel), 0.0f);
  for (float* t : {bonus_echec, note_promotion, note_roque, malus_double, malus_roi, note_centre, indice_defense,
                   indice_attaque})
    std::fill(t, t + NB_PROFILS, 0.0f);
  for (int* t : {seuil_bonus_echec, seuil_centre, alpha_beta}) std::fill(t, t + NB_PROFILS, 0);

  const int p = 1;
  struct ParType {
    int type;
    float mobilite, evolutive, materiel;
  };
  const ParType valeurs[6] = {
      {TYPE_PION, 1.0f, 0.1f, 100.0f},     {TYPE_FOU, 3.5f, 0.0f, 300.0f},
      {TYPE_CAVALIER, 3.5f, 0.0f, 300.0f}, {TYPE_TOUR, 2.0f, 0.1f, 500.0f},
      {TYPE_DAME, 1.0f, 0.0f, 900.0f},     {TYPE_ROI, 3.0f, 0.2f, 300.0f},
  };
  for (const ParType& v : valeurs) {
    note_mobilite[indice_type(p, v.type)] = v.mobilite;
    mobilite_evolutive[indice_type(p, v.type)] = v.evolutive;
    note_materiel[indice_type(p, v.type)] = v.materiel;
  }
  profondeur_max[p] = 0;
  bonus_echec[p] = 200.0f;
  seuil_bonus_echec[p] = 10;
  note_promotion[p] = 900.0f;
  note_roque[p] = 800.0f;
  malus_double[p] = 80.0f;
  malus_roi[p] = 100.0f;
  note_centre[p] = 40.0f;
  seuil_centre[p] = 15;
  indice_defense[p] = 3.0f;
  indice_attaque[p] = 1.0f;
  alpha_beta[p] = 0;
  seuil_partie_nulle = -1000.0f;
}

namespace {
// The program starts with the factory values.
const bool poids_initialises = (reinitialise_poids(), true);
}  // namespace

const std::vector<ClePoids>& cles_calcul() {
  static const std::vector<ClePoids> cles = [] {
    std::vector<ClePoids> c;
    for (const Emplacement& e : emplacements()) c.push_back(e.cle);
    return c;
  }();
  return cles;
}

const ClePoids* cherche_cle_calcul(std::string_view cle) {
  const Emplacement* e = cherche(cle);
  return e ? &e->cle : nullptr;
}

bool ecrit_poids(std::string_view cle, double valeur, int profil) {
  const Emplacement* e = cherche(cle);
  if (!e) return false;
  if (e->cle.par_profil && (profil < 0 || profil >= NB_PROFILS)) return false;
  const int i = e->cle.par_profil ? profil : 0;
  if (e->entiers)
    e->entiers[i] = static_cast<int>(std::nearbyint(valeur));
  else
    e->decimaux[i] = static_cast<float>(valeur);
  return true;
}

std::optional<double> lit_poids(std::string_view cle, int profil) {
  const Emplacement* e = cherche(cle);
  if (!e) return std::nullopt;
  if (e->cle.par_profil && (profil < 0 || profil >= NB_PROFILS)) return std::nullopt;
  const int i = e->cle.par_profil ? profil : 0;
  return e->entiers ? static_cast<double>(e->entiers[i]) : static_cast<double>(e->decimaux[i]);
}
