#include "tests/openings/aide_ouvertures.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>

#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/comment.h"
#include "openings/reglages_ouvertures.h"
#include "platform/evenements.h"
#include "platform/schemas_bases.h"

QString texte_francais(int numero) {
  switch (numero) {
    case 129: return QStringLiteral("Chargement des ouvertures...");
    case 155: return QStringLiteral("[Ouverture non référencée]");
    case 274: return QStringLiteral(" ouvertures");
    default: return texte(numero);
  }
}

void TestOuvertures::SetUp() {
  TestMorvandel::SetUp();
  reinitialise_reglages_ouvertures();
  arret_demande = false;
  auto& l = liens_ouvertures();
  l = LiensOuvertures{};
  l.affiche_commentaire = [this] { return coche; };
  l.decoche_affiche_commentaire = [this] {
    coche = false;
    ++decoches;
  };
  l.active_menu_voir_ouvertures = [this](bool actif) { menu_voir = actif; };
  l.charge_liste_coup = [this]() -> ListeOuvertures* { return &liste; };
  l.patience = [this]() -> FenetreProgression* { return &patience; };
  l.pointeur_piece = [this](int code) { pointeurs << code; };
  l.texte = texte_francais;
  l.profil_moteur = [this] { return profil; };
}

void TestOuvertures::TearDown() {
  db_eco.ferme();
  decharge_comment();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  TestMorvandel::TearDown();
}

QString TestOuvertures::chemin_base() const { return QDir(dossier()).filePath(QStringLiteral("base/eco.db")); }

void TestOuvertures::cree_base(const QList<LigneEco>& lignes, QString chemin) {
  if (chemin.isEmpty()) chemin = chemin_base();
  QDir().mkpath(QFileInfo(chemin).path());
  plateforme::BaseDonnees::cree(chemin, schemas::base_eco());
  ouvre_base_eco(chemin);
  db_eco.transaction([&] {
    for (const LigneEco& l : lignes)
      db_eco.ajoute(QStringLiteral("ECO"), {{QStringLiteral("Eco_code"), l.code},
                                            {QStringLiteral("Eco_libelle"), l.libelle},
                                            {QStringLiteral("Eco_coup"), l.coup},
                                            {QStringLiteral("Eco_connaissance"), l.connaissance ? 1 : 0},
                                            {QStringLiteral("Eco_note"), l.note}});
  });
}

QList<LigneEco> TestOuvertures::lignes_base() const {
  QList<LigneEco> lignes;
  for (auto rs = db_eco.requete(QStringLiteral("SELECT * FROM ECO ORDER BY Eco_cle")); !rs.fin(); rs.suivant())
    lignes.append(LigneEco(rs.texte(QStringLiteral("Eco_code")), rs.texte(QStringLiteral("Eco_libelle")),
                           rs.texte(QStringLiteral("Eco_coup")),
                           rs.valeur(QStringLiteral("Eco_connaissance")).toInt() != 0,
                           rs.valeur(QStringLiteral("Eco_note"))));
  return lignes;
}

QStringList TestOuvertures::coups_base() const {
  QStringList coups;
  for (const LigneEco& l : lignes_base()) coups << l.coup;
  return coups;
}
