#include "openings/cherche_ouverture.h"

#include <stdexcept>

#include "chess/etat.h"
#include "openings/base_eco.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/evenements.h"

namespace {

constexpr int TEXTE_NON_REFERENCEE = 155;
constexpr int TEXTE_CHARGEMENT = 129;
constexpr int TEXTE_OUVERTURES = 274;
constexpr int SEUIL_PROGRESSION = 100;

const QString COLONNES = QStringLiteral("SELECT Eco_cle, Eco_code, Eco_libelle, Eco_coup FROM ECO");

bool lignes_a_montrer = false;

void active_boutons(bool actif) {
  const auto& l = liens_ouvertures();
  // Without the window of the opening lines there is nothing to show.
  actif = actif && static_cast<bool>(l.charge_liste_coup);
  active_voir_coup(actif);
  if (l.active_menu_voir_ouvertures) l.active_menu_voir_ouvertures(actif);
  lignes_a_montrer = actif;
  plateforme::signale_changement();
}

// Mode 1: the first line, the one that ends with the moves when there is one
// (its blank and "*" sort before any further move).
void nomme_ouverture(plateforme::JeuEnregistrements& rs, bool coche) {
  eco_courant = rs.texte(QStringLiteral("Eco_code"));
  ouverture_courante = rs.texte(QStringLiteral("Eco_libelle"));
  if (coche)
    ajoute_ligne_commentaire(QLatin1Char('[') + eco_courant + QStringLiteral(" - ") + ouverture_courante +
                             QLatin1Char(']'));
}

// Mode 0: the opening lines window receives every line.
void remplit_liste(const FiltreCoups& filtre, int total) {
  const auto& l = liens_ouvertures();
  ListeOuvertures* liste = l.charge_liste_coup ? l.charge_liste_coup() : nullptr;
  if (!liste) throw std::logic_error("La fenêtre des ouvertures n'est pas disponible.");
  FenetreProgression* patience = nullptr;
  if (total > SEUIL_PROGRESSION) {
    patience = progression_ouvertures();
    if (patience) patience->montre(texte_ouvertures(TEXTE_CHARGEMENT));
  }
  liste->vide_lignes();
  plateforme::curseur_attente(true);
  arret_demande = false;
  try {
    auto rs = db_eco.requete(COLONNES + filtre.clause_where() + QStringLiteral(" ORDER BY Eco_coup"), filtre.valeurs);
    int compteur = 0;
    for (; !rs.fin() && !arret_demande; rs.suivant()) {
      plateforme::laisse_passer();
      liste->ajoute_ligne(QStringLiteral("ref") + rs.texte(QStringLiteral("Eco_cle")),
                          rs.texte(QStringLiteral("Eco_code")), rs.texte(QStringLiteral("Eco_libelle")),
                          rs.texte(QStringLiteral("Eco_coup")));
      ++compteur;
      if (patience) {
        patience->definit_libelle(QStringLiteral("%1/%2 ").arg(compteur).arg(total) +
                                  texte_ouvertures(TEXTE_OUVERTURES));
        patience->progression(100.0 / total * compteur);
      }
    }
  } catch (...) {
    if (patience) patience->ferme();
    throw;
  }
  plateforme::curseur_attente(false);
  if (patience) patience->ferme();
  liste->definit_titre(QString::number(liste->nb_lignes()) + liste->titre());
}

}  // namespace

void cherche_ouverture(int mode, const std::string& coups) {
  try {
    const FiltreCoups filtre = filtre_coups(coups_recherches(coups));
    const bool coche = commentaire_coche();
    // Mode 1 reads one row; the others need to know whether any row matches.
    auto rs = db_eco.requete(COLONNES + filtre.clause_where() +
                                 (filtre.condition.isEmpty() ? QStringLiteral(" ORDER BY Eco_cle")
                                                             : QStringLiteral(" ORDER BY Eco_coup")) +
                                 QStringLiteral(" LIMIT 1"),
                             filtre.valeurs);
    if (!rs.fin()) {
      if (coche) active_boutons(true);
      if (mode == 1) {
        nomme_ouverture(rs, coche);
      } else if (mode == 0) {
        const int total =
            db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO") + filtre.clause_where(), filtre.valeurs).toInt();
        remplit_liste(filtre, total);
      }
    } else if (coche) {
      active_boutons(false);
      if (numero_coup < max_coup_ouverture)
        ajoute_ligne_commentaire(texte_ouvertures(TEXTE_NON_REFERENCEE));
    }
  } catch (const std::exception& e) {
    signale_erreur_base(e);
  }
}

void montre_ouvertures_possibles() {
  // While the lines window fills, the events let through may bring the
  // command again: the window fills once.
  static bool remplissage = false;
  if (remplissage) return;
  struct GardeRemplissage {
    GardeRemplissage() { remplissage = true; }
    ~GardeRemplissage() { remplissage = false; }
  } garde;
  // The lines run from the usual start: they continue no game begun elsewhere.
  if (!partie_du_debut()) return;
  const auto& l = liens_ouvertures();
  ListeOuvertures* liste = l.charge_liste_coup ? l.charge_liste_coup() : nullptr;
  if (!liste) return;
  liste->definit_titre(texte_ouvertures(TEXTE_OUVERTURES) + QStringLiteral(" - ") +
                       QString::fromStdString(texte_partie));
  cherche_ouverture(0, texte_partie);
  liste->montre();
}

bool ouvertures_a_montrer() { return lignes_a_montrer && db_eco.ouverte() && partie_du_debut(); }

void definit_ouvertures_a_montrer(bool actif) { active_boutons(actif); }
