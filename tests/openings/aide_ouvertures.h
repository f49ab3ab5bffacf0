// The fixture of the opening-base tests: a small opening database in the
// test's program folder, opened as db_eco, and stand-ins for the windows the
// lookups reach (main window items, opening lines window, progress window).
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <ostream>
#include <stdexcept>

#include "openings/liens_ouvertures.h"
#include "tests/common/aide_tests.h"

struct LigneEco {
  LigneEco(QString c, QString l, QString k, bool appris = false, QVariant n = QVariant())
      : code(std::move(c)), libelle(std::move(l)), coup(std::move(k)), connaissance(appris), note(std::move(n)) {}
  QString code;
  QString libelle;
  QString coup;
  bool connaissance;
  QVariant note;  // invalid: no rating
};

// Texts read in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// The opening lines window as the lookup sees it.
class FausseListe : public ListeOuvertures {
 public:
  struct Ligne {
    QString cle, code, libelle, coups;
  };
  QList<Ligne> lignes;
  QString titre_fenetre;
  int montree = 0;
  // Called after each line added (a test may set arret_demande there).
  std::function<void(int)> apres_ajout;

  void vide_lignes() override { lignes.clear(); }
  void ajoute_ligne(const QString& cle, const QString& code, const QString& libelle, const QString& coups) override {
    for (const auto& l : lignes)
      if (l.cle == cle) throw std::runtime_error("Clé déjà présente dans la liste");
    lignes.append({cle, code, libelle, coups});
    if (apres_ajout) apres_ajout(static_cast<int>(lignes.size()));
  }
  int nb_lignes() const override { return static_cast<int>(lignes.size()); }
  QString titre() const override { return titre_fenetre; }
  void definit_titre(const QString& t) override { titre_fenetre = t; }
  void montre() override { ++montree; }
};

class FausseProgression : public FenetreProgression {
 public:
  QString titre;
  QStringList libelles;
  QList<double> valeurs;
  int ouvertures = 0, fermetures = 0;
  void montre(const QString& t) override {
    titre = t;
    ++ouvertures;
  }
  void definit_libelle(const QString& t) override { libelles << t; }
  void progression(double p) override { valeurs << p; }
  void ferme() override { ++fermetures; }
};

class TestOuvertures : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the opening database with `lignes` (keys 1, 2, ... in order) at
  // `chemin` (default: base/eco.db in the program folder) and opens it as db_eco.
  void cree_base(const QList<LigneEco>& lignes, QString chemin = QString());
  QString chemin_base() const;
  // The rows of db_eco in key order, and their line texts.
  QList<LigneEco> lignes_base() const;
  QStringList coups_base() const;

  // What the stand-in main window shows.
  bool coche = true;              // affiche_commentaire
  bool menu_voir = true;          // menu_voir_ouvertures enabled
  int decoches = 0;
  int profil = 1;
  QList<int> pointeurs;           // piece codes given to the board window's pointer
  FausseListe liste;
  FausseProgression patience;
};

// French wording of the texts used by the opening base.
QString texte_francais(int numero);
