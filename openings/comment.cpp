#include "openings/comment.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

#include "localisation/libelles.h"
#include "platform/fenetres.h"
#include "openings/cherche_ouverture.h"
#include "openings/liens_ouvertures.h"

namespace {
// 10000 and 1200 twips at 15 twips per pixel.
constexpr int ECRAN_HAUT = 667;
constexpr int MARGE_ECRAN = 80;
}  // namespace

comment::comment(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("comment"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Commentaires"));

  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  calcul = new QPlainTextEdit(this);
  calcul->setObjectName(QStringLiteral("calcul"));
  calcul->setFixedHeight(60);
  voir_coup = new QPushButton(QStringLiteral("&Ouvertures ?"), this);
  voir_coup->setObjectName(QStringLiteral("voir_coup"));
  voir_coup->setToolTip(QStringLiteral("Afficher la liste des ouvertures"));
  Command1 = new QPushButton(QStringLiteral("&Effacer"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setToolTip(QStringLiteral("Effacer le contenu de la boite de commentaire"));

  // Text1 takes every change of height; calcul and the buttons keep theirs
  // and follow the bottom edge.
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(voir_coup);
  boutons->addStretch(1);
  boutons->addWidget(Command1);
  auto* colonne = new QVBoxLayout(this);
  colonne->addWidget(Text1, 1);
  colonne->addWidget(calcul, 0);
  colonne->addLayout(boutons, 0);

  connect(Command1, &QPushButton::clicked, this, &comment::Command1_Click);
  connect(voir_coup, &QPushButton::clicked, this, &comment::voir_coup_Click);
  Form_Load();
}

comment::~comment() { fenetres::retire(this); }

int comment::hauteur_au_chargement(int hauteur_ecran, int hauteur_propre) {
  return hauteur_ecran > ECRAN_HAUT ? hauteur_ecran - MARGE_ECRAN : hauteur_propre;
}

void comment::Form_Load() {
  affiche_libelles(this);
  resize(360, 420);
  if (QScreen* ecran = screen()) resize(width(), hauteur_au_chargement(ecran->geometry().height(), height()));
}

void comment::Form_Unload() {
  const auto& l = liens_ouvertures();
  if (l.decoche_affiche_commentaire) l.decoche_affiche_commentaire();
}

void comment::closeEvent(QCloseEvent* e) {
  Form_Unload();
  e->accept();
}

void comment::Command1_Click() { Text1->clear(); }

void comment::voir_coup_Click() { montre_ouvertures_possibles(); }

comment* fenetre_comment() {
  return &fenetres::instance<comment>();
}

comment* montre_comment_a_droite_de(const QWidget* voisin) {
  comment* c = fenetre_comment();
  fenetres::montre_a_droite_de(c, voisin);
  return c;
}

comment* fenetre_comment_chargee() { return fenetres::existante<comment>(); }

void decharge_comment() {
  comment* c = fenetres::existante<comment>();
  if (!c) return;
  if (auto* sous = qobject_cast<QMdiSubWindow*>(c->parentWidget()))
    sous->close();
  else
    c->close();
  // The window is deleted by the event loop a moment later; it counts as
  // unloaded from now on.
  fenetres::retire(c);
}

bool ajoute_commentaire(const QString& texte, bool defile) {
  if (!commentaire_coche()) return false;
  comment* c = fenetre_comment();
  QString t = texte;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  c->Text1->moveCursor(QTextCursor::End);
  c->Text1->insertPlainText(t);
  if (defile) {
    c->Text1->setFocus();
    c->Text1->moveCursor(QTextCursor::End);
    c->Text1->ensureCursorVisible();
  }
  return true;
}

bool ajoute_ligne_commentaire(const QString& ligne, bool defile) {
  return ajoute_commentaire(ligne + QLatin1Char('\n'), defile);
}

QString texte_commentaire() {
  comment* c = fenetre_comment_chargee();
  return c ? c->Text1->toPlainText() : QString();
}

void vide_calcul() {
  if (comment* c = fenetre_comment_chargee()) c->calcul->clear();
}

void prefixe_calcul(const QString& texte) {
  comment* c = commentaire_coche() ? fenetre_comment() : nullptr;
  if (c) c->calcul->setPlainText(texte + c->calcul->toPlainText());
}

void active_voir_coup(bool actif) {
  if (comment* c = fenetre_comment_chargee()) c->voir_coup->setEnabled(actif);
}
