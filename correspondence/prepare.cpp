#include "correspondence/prepare.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "chess/etat.h"
#include "chess/messages.h"
#include "correspondence/base_corres.h"
#include "correspondence/chargement_corres.h"
#include "correspondence/champs_corres.h"
#include "correspondence/corres.h"
#include "correspondence/liens_corres.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/fenetres.h"
#include "play/parametres.h"

LiensCorres& liens_corres() {
  static LiensCorres l;
  return l;
}

namespace {
using fenetres::controle;
using fenetres::etiquette;
}  // namespace

prepare::prepare() {
  setObjectName(QStringLiteral("prepare"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Jouer et transmettre le coup"));
  resize(640, 400);
  Frame1 = controle<QGroupBox>(this, "Frame1", 8, 8, 250, 340);
  Frame1->setTitle(QStringLiteral("&Charger la partie N° "));
  Command3 = controle<QPushButton>(Frame1, "Command3", 10, 24, 230, 28);
  Command3->setText(QStringLiteral("&Charger la partie"));
  Command3->setToolTip(QStringLiteral("Charger la partie sur l'échiquier"));
  Label2 = etiquette(Frame1, "Label2", QString(), 10, 60, 230, 270);
  Label2->setAlignment(Qt::AlignTop | Qt::AlignLeft);

  Frame2 = controle<QGroupBox>(this, "Frame2", 266, 8, 366, 340);
  Frame2->setTitle(QStringLiteral("&Transmettre la nouvelle position"));
  Frame2->setEnabled(false);
  Label1 = etiquette(Frame2, "Label1", QStringLiteral("&Coller le script de la position dans la zone ci-dessous :"),
                     10, 20, 346, 32);
  Text1 = controle<QLineEdit>(Frame2, "Text1", 10, 56, 346, 24);
  Label1->setBuddy(Text1);
  grille = controle<QLabel>(Frame2, "grille", 10, 86, 180, 170);
  grille->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  grille->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  grille->setTextFormat(Qt::PlainText);
  Label3 = etiquette(Frame2, "Label3", QString(), 196, 86, 160, 120);
  Label3->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  Label4 = etiquette(Frame2, "Label4", QString(), 196, 210, 160, 90);
  Label4->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  Command2 = controle<QPushButton>(Frame2, "Command2", 10, 300, 180, 28);
  Command2->setText(QStringLiteral("&Générer le message"));
  Command2->setToolTip(QStringLiteral("Construction et envoi du message"));
  Command2->setEnabled(false);
  Command1 = controle<QPushButton>(this, "Command1", 532, 358, 100, 28);
  Command1->setText(QStringLiteral("&Quitter"));
  Command1->setToolTip(QStringLiteral("Quitter cet écran"));

  connect(Command1, &QPushButton::clicked, this, &prepare::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &prepare::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &prepare::Command3_Click);
  connect(Text1, &QLineEdit::textChanged, this, &prepare::Text1_Change);
  Form_Load();
}

prepare::~prepare() { fenetres::retire(this); }

void prepare::Form_Load() {
  affiche_libelles(this);
  // The two explanations name the buttons and menu items to use.
  for (QLabel* l : {Label2, Label4}) l->setText(sans_raccourcis(l->text()));
  if (corres* c = fenetres::existante<corres>()) {
    cle_ = c->cle_affichee();
    Frame1->setTitle(Frame1->title() + c->Text5->text() + QStringLiteral("/") + c->Text17->text());
  }
}

void prepare::Command3_Click() {
  corres* c = fenetres::existante<corres>();
  if (!c) return;
  // The game goes onto the board from the manager's description: only while
  // that is still this window's game, the one its mail will update.
  if (!cle_ || c->cle_affichee() != cle_) {
    plateforme::boite_message(texte(934).arg(reference(cle_)), boite::EXCLAMATION);
    return;
  }
  Frame2->setEnabled(true);
  charge_partie_corres(*c, false);
}

void prepare::Text1_Change() {
  if (Text1->text().isEmpty()) return;
  // The position is the box's own text, checked as the paste command checks
  // a position string: what the diagram shows is what the mail sends.
  QString refus;
  const std::optional<QString> diagramme = diagramme_position(Text1->text(), style_notation, &refus);
  if (!diagramme) {
    plateforme::boite_message(refus.isEmpty() ? texte(499) : refus, boite::EXCLAMATION);
    Text1->clear();
    return;
  }
  grille->setText(*diagramme);
  Command2->setEnabled(true);
}

void prepare::Command2_Click() {
  message_mode = 1;
  if (liens_corres().montre_message) liens_corres().montre_message();
}

void prepare::Command1_Click() { fenetres::decharge_plus_tard(this); }

void montre_prepare() { fenetres::montre_enfant_au_centre(&fenetres::instance<prepare>()); }
