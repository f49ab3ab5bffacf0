#include "correspondence/saisie_coup.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "chess/etat.h"
#include "chess/messages.h"
#include "correspondence/base_corres.h"
#include "correspondence/champs_corres.h"
#include "correspondence/corres.h"
#include "correspondence/coups_corres.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/fenetres.h"
#include "play/parametres.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");

using fenetres::controle;

// The labels of this window read from their top.
QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte, int x, int y, int l, int h) {
  auto* e = fenetres::etiquette(parent, QString::fromLatin1(nom), texte, x, y, l, h);
  e->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  return e;
}

void message(const QString& texte) { plateforme::boite_message(texte, boite::EXCLAMATION); }
}  // namespace

saisie_coup::saisie_coup() {
  setObjectName(QStringLiteral("saisie_coup"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Saisie du coup adverse"));
  resize(600, 470);
  Frame1 = controle<QGroupBox>(this, "Frame1", 8, 8, 276, 260);
  Frame1->setTitle(QStringLiteral("&Description"));
  Label4 = etiquette(Frame1, "Label4", QString(), 10, 20, 256, 230);
  Label1 = etiquette(this, "Label1",
                     QStringLiteral("Veuillez éventuellement effectuer un copier-coller des données issues du message "
                                    "électronique recu de votre adversaire !"),
                     292, 8, 300, 48);
  Label2 = etiquette(this, "Label2", QStringLiteral("&Coup adverse :"), 292, 64, 150, 22);
  Text2 = controle<QLineEdit>(this, "Text2", 446, 62, 120, 24);
  Label2->setBuddy(Text2);
  Label6 = etiquette(this, "Label6", QStringLiteral("(Pour les coups BLANCS, préciser le N° du coup. Ex : 3.Cc6)"), 292,
                     92, 300, 36);
  Frame2 = controle<QGroupBox>(this, "Frame2", 292, 130, 300, 100);
  Frame2->setTitle(QStringLiteral("Codage"));
  const char* codages[] = {"&International (ex : 5254)", "&PGN français (ex : Cc6)", "&PGN anglais (ex : Nc6)"};
  for (int i = 0; i <= 2; ++i) {
    auto* o = controle<QRadioButton>(Frame2, QStringLiteral("Option1(%1)").arg(i), 10, 20 + i * 24, 280, 22);
    o->setText(QString::fromUtf8(codages[i]));
    Option1 << o;
  }
  Option1[0]->setChecked(true);
  Label5 = etiquette(this, "Label5", QStringLiteral("&Date réception :"), 292, 240, 150, 22);
  MaskEdBox3 = controle<QLineEdit>(this, "MaskEdBox3", 446, 238, 100, 24);
  MaskEdBox3->setMaxLength(10);
  Label5->setBuddy(MaskEdBox3);
  Label3 = etiquette(this, "Label3",
                     QStringLiteral("&Facultatif : Coller le script de la position dans la zone ci-dessous :"), 8, 276,
                     584, 22);
  Text1 = controle<QLineEdit>(this, "Text1", 8, 300, 584, 24);
  Label3->setBuddy(Text1);
  grille = controle<QLabel>(this, "grille", 8, 330, 200, 130);
  grille->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  grille->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  grille->setTextFormat(Qt::PlainText);
  Command2 = controle<QPushButton>(this, "Command2", 300, 430, 190, 28);
  Command2->setText(QStringLiteral("&Valider et mettre à jour"));
  Command2->setEnabled(false);
  Command1 = controle<QPushButton>(this, "Command1", 496, 430, 96, 28);
  Command1->setText(QStringLiteral("&Quitter"));

  new ChampDate(MaskEdBox3, false);
  connect(Text2, &QLineEdit::textChanged, this, [this] { Command2->setEnabled(true); });
  connect(Text1, &QLineEdit::textChanged, this, &saisie_coup::Text1_Change);
  connect(Command1, &QPushButton::clicked, this, &saisie_coup::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &saisie_coup::Command2_Click);
  Form_Load();
}

saisie_coup::~saisie_coup() { fenetres::retire(this); }

void saisie_coup::Form_Load() {
  affiche_libelles(this);
  corres* c = fenetres::existante<corres>();
  MaskEdBox3->setText(aujourdhui().toString(QStringLiteral("dd/MM/yyyy")));
  if (!c) return;
  // The key and the description both come from the game the manager shows.
  cle_ = c->cle_affichee();
  jai_blanc_ = c->Check2->isChecked();
  notation_ = c->notation();
  Frame1->setTitle(texte(409) + QStringLiteral(" N° ") + c->Text5->text() + QStringLiteral("/") + c->Text17->text());
  if (notation_ == 1 || notation_ == 2) Option1[notation_]->setChecked(true);
  QString d = texte(458) + QStringLiteral(" :") + CRLF;
  d += texte(440) + QStringLiteral(" ") + c->Text5->text() + QStringLiteral("/") + c->Text17->text() + CRLF;
  d += texte(238) + QStringLiteral(" ") + c->Text2->text() + CRLF;
  d += texte(239) + QStringLiteral(" ") + c->Text3->text() + CRLF;
  d += texte(416) + QStringLiteral(" : ") + c->MaskEdBox3->text() + CRLF;
  d += texte(417) + QStringLiteral(" : ") + c->Text10->text() + QStringLiteral(" ") + texte(425) + CRLF;
  d += texte(427) + QStringLiteral(" ") + c->Text13->text() + CRLF;
  d += texte(468) + c->Text8->text() + CRLF;
  d += texte(428) + QStringLiteral(" ") + c->Text14->text() + CRLF;
  d += texte(469) + c->Text11->text() + CRLF;
  Label4->setText(d);
}

void saisie_coup::Text1_Change() {
  if (Text1->text().isEmpty()) return;
  QString refus;
  const std::optional<QString> diagramme = diagramme_position(Text1->text(), style_notation, &refus);
  if (!diagramme) {
    message(refus.isEmpty() ? texte(474) : refus);
    Text1->clear();
    return;
  }
  grille->setText(*diagramme);
}

void saisie_coup::Command2_Click() {
  const QString coup = Text2->text().trimmed();
  if (coup.isEmpty()) return message(texte(470));
  if (!jai_blanc_ && !coup.contains(QLatin1Char('.'))) return message(texte(471));
  if (jai_blanc_ && coup.contains(QLatin1Char('.'))) return message(texte(472));
  // The date is checked as when the field is left.
  if (auto* regle = MaskEdBox3->findChild<ChampDate*>(); regle && !regle->verifie()) return;
  const std::optional<QDate> recu = date_saisie(MaskEdBox3->text());
  if (!recu) return message(QStringLiteral("Date au format jj/mm/aaaa SVP !"));
  try {
    // The move follows the game as stored, whatever the manager shows now.
    const std::optional<PartieCorres> partie = cle_ ? lit_partie(base_corres, cle_) : std::nullopt;
    if (!partie) return message(texte(470));
    QString erreur;
    const std::optional<CoupRecu> r = coup_adverse(partie->coups, partie->notation, partie->jai_blanc, coup, &erreur);
    if (!r) return message(erreur);
    if (!enregistre_coup_recu(base_corres, cle_, r->coups, r->coup, *recu)) return message(texte(470));
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_message(e.texte(), boite::EXCLAMATION, QStringLiteral("Attention"));
    return;
  }
  message(texte(473));
  liste_parties_corres();
  fenetres::decharge_plus_tard(this);
}

void saisie_coup::Command1_Click() { fenetres::decharge_plus_tard(this); }

void montre_saisie_coup() { fenetres::montre_enfant_au_centre(&fenetres::instance<saisie_coup>()); }
