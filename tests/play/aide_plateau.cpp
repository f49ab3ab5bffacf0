#include "tests/play/aide_plateau.h"

#include <QClipboard>
#include <QFileInfo>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/fenetres.h"
#include "platform/base_donnees.h"
#include "platform/schemas_bases.h"
#include "openings/base_eco.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/cases.h"
#include "chess/etat.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/jeu.h"
#include "play/mise_en_place.h"
#include "play/position_presse_papiers.h"

void TestPlateau::SetUp() {
  TestMorvandel::SetUp();
  reinitialise_parametres();
  reglages_fenetre(2, true, true);
  delai_partie = QStringLiteral("00:15:00");
  aff_repere = 1;
  bulle_aide = 1;
  couleur_joueur = BLANC;
  style_notation = 2;
  etat_clic = 0;
  piece_choisie = 0;
  // No machine answers a move by hand unless the test plugs it in.
  liens_jeu().joue_machine = nullptr;
  liens_ouvertures().affiche_commentaire = [] { return true; };
  plateforme::SonsEnTest::active();
  plateforme::MinuteriesEnTest::active();
}

void TestPlateau::TearDown() {
  fenetres::decharge<plateau>();
  plateau::hauteur_ecran_essai = 0;
  decharge_comment();
  plateforme::SonsEnTest::desactive();
  TestMorvandel::TearDown();
}

plateau& TestPlateau::ouvre() {
  p = charge_plateau();
  if (!p) throw std::runtime_error("the board window did not load");
  p->show();
  sons_joues();
  return *p;
}

void TestPlateau::clic(int colonne, int ligne) {
  QTest::mouseClick(p->Echiquier, Qt::LeftButton, Qt::NoModifier, p->Echiquier->rect_image(colonne, ligne).center());
}

int TestPlateau::colonne_de(const char* n) { return case_de_nom(n).colonne; }
int TestPlateau::ligne_de(const char* n) { return case_de_nom(n).ligne; }

void TestPlateau::clic(const char* n) { clic(colonne_de(n), ligne_de(n)); }

void TestPlateau::coup(const char* depart, const char* arrivee) {
  clic(depart);
  clic(arrivee);
}

int TestPlateau::controle(const char* n) const { return p->Echiquier->Piece(colonne_de(n), ligne_de(n)); }
int TestPlateau::tableau(const char* n) const { return tab_echiquier(colonne_de(n), ligne_de(n)); }

void TestPlateau::garde_rois_et_tours() {
  for (const char* n : {"b1", "c1", "d1", "f1", "g1", "b8", "c8", "d8", "f8", "g8"}) {
    p->Echiquier->Piece(colonne_de(n), ligne_de(n), CASE_VIDE);
    tab_echiquier(colonne_de(n), ligne_de(n)) = CASE_VIDE;
  }
}

void TestPlateau::pose_piece(int code, const char* nom_case) {
  QTest::mouseClick(p->Piece[code], Qt::LeftButton);
  clic(nom_case);
}

bool TestPlateau::met_en_place(const QStringList& pieces, int numero) {
  entre_mise_en_place(*p);
  for (const QString& piece : pieces) {
    const int code = code_de_lettre(2, piece.at(0).toLatin1());
    pose_piece(code, piece.mid(1).toLatin1().constData());
  }
  p->texte_coup->setText(QString::number(numero));
  return Command4_Click(*p);
}

void TestPlateau::colle_fen(const QString& fen) {
  QGuiApplication::clipboard()->setText(fen);
  ControlesPartie c = p->controles();
  colle_position(c);
}

void TestPlateau::pose_position(const char* const lignes[8]) {
  pose_diagramme(lignes);
  p->montre_tab_echiquier();
  historique_positions.clear();
  memorise_position();
}

QStringList TestPlateau::lignes_liste() const {
  QStringList l;
  for (int i = 0; i < p->List1->count(); ++i) l << p->List1->item(i)->text();
  return l;
}

QStringList TestPlateau::lignes_commentaire() const {
  return texte_commentaire().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QList<int> TestPlateau::sons_joues() {
  QList<int> numeros;
  for (const QString& chemin : plateforme::SonsEnTest::joues()) {
    int n = -1;
    for (int i = 0; i < 15; ++i)
      if (!sons[i].isEmpty() && sons[i] == chemin) n = i;
    numeros << n;
  }
  plateforme::SonsEnTest::efface();
  return numeros;
}

void TestPlateau::cree_base_ouvertures(const QStringList& lignes) {
  const QString chemin = QDir(dossier()).filePath(QStringLiteral("base/eco.db"));
  QDir().mkpath(QFileInfo(chemin).path());
  plateforme::BaseDonnees::cree(chemin, schemas::base_eco());
  ouvre_base_eco(chemin);
  db_eco.transaction([&] {
    for (const QString& l : lignes)
      db_eco.ajoute(QStringLiteral("ECO"), {{QStringLiteral("Eco_code"), QStringLiteral("A00")},
                                            {QStringLiteral("Eco_libelle"), QStringLiteral("Test")},
                                            {QStringLiteral("Eco_coup"), l},
                                            {QStringLiteral("Eco_connaissance"), 0},
                                            {QStringLiteral("Eco_note"), QVariant()}});
  });
}
