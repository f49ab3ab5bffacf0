#include "tests/correspondence/aide_message.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "chess/etat.h"
#include "platform/courriel.h"
#include "platform/fenetres.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/controles_partie.h"
#include "play/parametres.h"
#include "play/plateau.h"
#include "play/rejoue.h"

void TestMessage::SetUp() {
  TestMorvandel::SetUp();
  transport = std::make_unique<FauxSendmail>(dossier() + QStringLiteral("/transport"));
  adresse_mel = QStringLiteral("moi@exemple.fr");
  plateforme::SonsEnTest::active();
  plateforme::MinuteriesEnTest::active();
}

void TestMessage::TearDown() {
  fenetres::decharge<message>();
  fenetres::decharge<plateau>();
  plateforme::SonsEnTest::desactive();
  TestMorvandel::TearDown();
}

message* TestMessage::fenetre() { return fenetres::existante<message>(); }

plateau& TestMessage::plateau_avec(const char* coups, int couleur) {
  reglages_fenetre(2, true, false);
  couleur_joueur = couleur;
  style_notation = 2;
  plateau* p = charge_plateau();
  if (!p) throw std::runtime_error("the board window did not load");
  texte_partie = coups;
  ControlesPartie controles{p->Echiquier, p->List1};
  rejoue_partie(controles, couleur);
  return *p;
}

QString TestMessage::fichier(const QString& nom, const QByteArray& contenu) const {
  const QString chemin = dossier() + QLatin1Char('/') + nom;
  ecrit_octets(chemin, contenu);
  return chemin;
}

void TestMessage::saisit(const QString& a, const QString& sujet, const QString& corps) {
  fenetre()->txtTo->setText(a);
  fenetre()->txtsubject->setText(sujet);
  fenetre()->txtNoteText->setPlainText(corps);
}

QString chaine_du_diagramme(const char* const lignes[8], int couleur) {
  TableauCases t;
  for (int l = 1; l <= 8; ++l)
    for (int c = 1; c <= 8; ++c) {
      const char x = lignes[l - 1][c - 1];
      if (x == '.') continue;
      if (couleur == BLANC)
        t(c, l) = code_de_lettre(2, x);
      else
        t(9 - c, 9 - l) = code_de_lettre(2, x);
    }
  return QString::fromStdString(chaine_du_tableau(t));
}

QString chaine_apres_e4() {
  const char* const lignes[8] = {"rnbqkbnr", "pppppppp", "........", "........",
                                 "....P...", "........", "PPPP.PPP", "RNBQKBNR"};
  return chaine_du_diagramme(lignes, BLANC);
}

FicheCoup fiche_exemple(bool j_ai_les_blancs) {
  FicheCoup f;
  f.cle = 12;
  f.j_ai_les_blancs = j_ai_les_blancs;
  f.ref_locale = QStringLiteral("0012");
  f.ref_distante = QStringLiteral("0034");
  f.blanc = QStringLiteral("Anne Blanc");
  f.noir = QStringLiteral("Bruno Noir");
  f.mel_blanc = QStringLiteral("anne@blanc.example");
  f.mel_noir = QStringLiteral("bruno@noir.example");
  f.date_debut = QStringLiteral("01/03/2026");
  f.duree = QStringLiteral("10");
  f.dernier_envoye = QString();
  f.date_envoi = QString();
  f.dernier_recu = QString();
  f.date_recu = QString();
  f.coups = QString();
  f.resultat = QStringLiteral("*");
  f.chaine_position = chaine_apres_e4();
  return f;
}
