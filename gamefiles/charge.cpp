#include "gamefiles/charge.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/messages.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/conversion_pgn.h"
#include "gamefiles/filtre_pgn.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/lancement.h"

namespace {

using fenetres::nomme;

// "1000", "12": digits only (blanks around them allowed).
bool numerique(const QString& t, qlonglong* valeur = nullptr) {
  bool ok = false;
  const qlonglong v = t.trimmed().toLongLong(&ok);
  if (valeur) *valeur = v;
  return ok;
}

// Each filter field of the form with its setting and its criterion.
struct ChampFiltre {
  QLineEdit* charge::*zone;
  QString* reglage;
  QString pgn::CriteresFiltre::*critere;
};
const ChampFiltre CHAMPS_FILTRE[] = {
    {&charge::Text2, &critere_blanc, &pgn::CriteresFiltre::blanc},
    {&charge::Text3, &critere_noir, &pgn::CriteresFiltre::noir},
    {&charge::Text5, &critere_eco, &pgn::CriteresFiltre::eco},
    {&charge::Text6, &critere_resultat, &pgn::CriteresFiltre::resultat},
    {&charge::Text7, &critere_date, &pgn::CriteresFiltre::date},
    {&charge::Text8, &critere_site, &pgn::CriteresFiltre::site},
    {&charge::Text9, &critere_ronde, &pgn::CriteresFiltre::ronde},
    {&charge::Text10, &critere_event, &pgn::CriteresFiltre::event},
};

}  // namespace

pgn::CriteresFiltre criteres_reglages() {
  pgn::CriteresFiltre c;
  for (const ChampFiltre& ch : CHAMPS_FILTRE) c.*ch.critere = *ch.reglage;
  c.lesdeux = critere_lesdeux == 1;
  return c;
}

charge::charge() {
  setObjectName(QStringLiteral("charge"));
  setWindowTitle(QStringLiteral("Chargement d'un fichier de parties"));
  auto* principal = new QVBoxLayout(this);

  auto* ligne_fichier = new QHBoxLayout;
  Command3 = nomme(new QPushButton(QStringLiteral("&Fichier :"), this), "Command3");
  Text1 = nomme(new QLineEdit(this), "Text1");
  voir = nomme(new QPushButton(QStringLiteral("<< &Voir"), this), "voir");
  ligne_fichier->addWidget(Command3);
  ligne_fichier->addWidget(Text1, 1);
  ligne_fichier->addWidget(voir);
  principal->addLayout(ligne_fichier);

  Check1 = nomme(new QCheckBox(QStringLiteral("&Modifier le filtre sur les parties"), this), "Check1");
  principal->addWidget(Check1);
  Frame1 = nomme(new QGroupBox(QStringLiteral("&Filtrer sur ..."), this), "Frame1");
  auto* grille = new QGridLayout(Frame1);
  auto champ = [&](QLabel*& etiquette, const char* nom_etiquette, const char* texte, QLineEdit*& zone,
                   const char* nom_zone, int rang, int colonne) {
    etiquette = nomme(new QLabel(QString::fromUtf8(texte), Frame1), nom_etiquette);
    zone = nomme(new QLineEdit(Frame1), nom_zone);
    etiquette->setBuddy(zone);
    grille->addWidget(etiquette, rang, colonne);
    grille->addWidget(zone, rang, colonne + 1);
  };
  champ(Label1, "Label1", "&Blancs :", Text2, "Text2", 0, 0);
  champ(Label2, "Label2", "&Noirs :", Text3, "Text3", 0, 2);
  Check2 = nomme(new QCheckBox(QStringLiteral("Blancs ou Noirs indifféremment"), Frame1), "Check2");
  grille->addWidget(Check2, 1, 0, 1, 4);
  champ(Label4, "Label4", "Code &ECO :", Text5, "Text5", 2, 0);
  champ(Label5, "Label5", "&Résultat :", Text6, "Text6", 2, 2);
  champ(Label8, "Label8", "&Date :", Text7, "Text7", 3, 0);
  champ(Label9, "Label9", "&Site :", Text8, "Text8", 3, 2);
  champ(Label10, "Label10", "&Ronde :", Text9, "Text9", 4, 0);
  champ(Label11, "Label11", "&Evènement :", Text10, "Text10", 4, 2);
  principal->addWidget(Frame1);

  auto* ligne_limite = new QHBoxLayout;
  Label3 = nomme(new QLabel(QStringLiteral("&Charger au maximum :"), this), "Label3");
  Text4 = nomme(new QLineEdit(this), "Text4");
  Label3->setBuddy(Text4);
  Label6 = nomme(new QLabel(QStringLiteral("partie(s)"), this), "Label6");
  ligne_limite->addWidget(Label3);
  ligne_limite->addWidget(Text4);
  ligne_limite->addWidget(Label6);
  ligne_limite->addStretch(1);
  principal->addLayout(ligne_limite);

  auto* ligne_filtre = new QHBoxLayout;
  Command5 = nomme(new QPushButton(QStringLiteral("&Ré-initaliser le filtre"), this), "Command5");
  Command6 = nomme(new QPushButton(QStringLiteral("&Sauvegarder le filtre"), this), "Command6");
  ligne_filtre->addWidget(Command5);
  ligne_filtre->addWidget(Command6);
  principal->addLayout(ligne_filtre);

  Frame2 = nomme(new QGroupBox(QStringLiteral("&Sauvegarder/Convertir"), this), "Frame2");
  auto* cadre2 = new QVBoxLayout(Frame2);
  Frame3 = nomme(new QGroupBox(QStringLiteral("&Format de sortie"), Frame2), "Frame3");
  auto* cadre3 = new QHBoxLayout(Frame3);
  Option1 = {nullptr, nomme(new QRadioButton(QStringLiteral("&PGN"), Frame3), "Option1(1)"),
             nomme(new QRadioButton(QStringLiteral("&XML"), Frame3), "Option1(2)")};
  cadre3->addWidget(Option1[1]);
  cadre3->addWidget(Option1[2]);
  Option1[2]->setChecked(true);
  Check3 = nomme(new QCheckBox(QStringLiteral("&Générer une partie par fichier(s)"), Frame2), "Check3");
  Check4 = nomme(new QCheckBox(QStringLiteral("&Création d'un fichier d'URL"), Frame2), "Check4");
  Command4 = nomme(new QPushButton(QStringLiteral("Sauver les &résultats"), Frame2), "Command4");
  Label7 = nomme(new QLabel(Frame2), "Label7");
  Label7->setWordWrap(true);
  cadre2->addWidget(Frame3);
  cadre2->addWidget(Check3);
  cadre2->addWidget(Check4);
  cadre2->addWidget(Label7);
  cadre2->addWidget(Command4);
  principal->addWidget(Frame2);

  auto* ligne_fin = new QHBoxLayout;
  Command2 = nomme(new QPushButton(QStringLiteral("&Charger les parties !"), this), "Command2");
  Command1 = nomme(new QPushButton(QStringLiteral("&Annuler"), this), "Command1");
  ligne_fin->addStretch(1);
  ligne_fin->addWidget(Command2);
  ligne_fin->addWidget(Command1);
  principal->addLayout(ligne_fin);

  connect(Check1, &QCheckBox::clicked, this, &charge::Check1_Click);
  connect(Command1, &QPushButton::clicked, this, &charge::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &charge::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &charge::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &charge::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &charge::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &charge::Command6_Click);
  connect(voir, &QPushButton::clicked, this, &charge::voir_Click);
  for (int i = 1; i <= 2; ++i) connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
  connect(Text1, &QLineEdit::textChanged, this, [this] { active_boutons_fichier(); });
  Text4->installEventFilter(this);
  Text9->installEventFilter(this);
  Form_Load();
}

void charge::Form_Load() {
  affiche_libelles(this);
  if (mode_charge == 1) {
    setWindowTitle(texte(232));
    for (QWidget* w : std::initializer_list<QWidget*>{Command2, Label3, Text4, Label6}) w->hide();
  } else {
    setWindowTitle(texte(230));
    Command4->hide();
    Frame2->hide();
  }
  Text1->setText(fichier_pgn);
  for (const ChampFiltre& ch : CHAMPS_FILTRE) (this->*ch.zone)->setText(*ch.reglage);
  Text4->setText(QString::number(max_seuil_partie));
  Check2->setChecked(critere_lesdeux == 1);
  Frame1->setEnabled(Check1->isChecked());
  active_boutons_fichier();
}

void charge::active_boutons_fichier() {
  const bool fichier = !Text1->text().isEmpty();
  Command2->setEnabled(fichier);
  Command4->setEnabled(fichier);
  voir->setEnabled(fichier);
}

bool charge::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::FocusOut) {
    if (objet == Text4) Text4_LostFocus();
    if (objet == Text9) Text9_LostFocus();
  }
  return QWidget::eventFilter(objet, evenement);
}

void charge::Check1_Click() { Frame1->setEnabled(Check1->isChecked()); }

void charge::Command1_Click() { fenetres::decharge_plus_tard(this); }

void charge::prend_criteres() {
  for (const ChampFiltre& ch : CHAMPS_FILTRE) *ch.reglage = (this->*ch.zone)->text();
  critere_lesdeux = Check2->isChecked() ? 1 : 0;
}

void charge::Command2_Click() {
  fichier_pgn = Text1->text();
  prend_criteres();
  // The form goes first: the listing shows the board window.
  hide();
  fenetres::decharge_plus_tard(this);
  charge_pgn(1, fichier_pgn);
}

void charge::Command4_Click() {
  const bool pgn = Option1[1]->isChecked();
  const QString destination = plateforme::choisit_fichier_a_sauver(
      texte(214), texte(215) + (pgn ? QStringLiteral(" PGN (*.pgn)|*.pgn") : QStringLiteral(" XML (*.xml)|*.xml")),
      plateforme::chemin_appli(), QString());
  if (destination.isEmpty()) return;
  if (QFileInfo::exists(destination) &&
      plateforme::boite_message(destination + texte(216), boite::OUI_NON | boite::QUESTION) !=
          boite::OUI)
    return;
  fichier_pgn = Text1->text();
  prend_criteres();
  pgn_vers_xml(fichier_pgn, destination, pgn);
}

void charge::Command3_Click() {
  const QString chemin = plateforme::choisit_fichier_a_ouvrir(
      texte(214), texte(215) + QStringLiteral(" PGN (*.pgn)|*.pgn"), plateforme::chemin_appli(), QString());
  if (chemin.isEmpty()) return;
  Text1->setText(chemin);
  active_boutons_fichier();
}

void charge::Command5_Click() {
  for (const ChampFiltre& ch : CHAMPS_FILTRE) (this->*ch.zone)->clear();
}

void charge::Command6_Click() {
  Text4_LostFocus();
  prend_criteres();
  qlonglong limite = 0;
  if (numerique(Text4->text(), &limite)) max_seuil_partie = pgn::limite_liste(static_cast<int>(std::clamp<qlonglong>(limite, 0, 32767)));
  if (!sauve_parametres(fichier_ini)) return;
  plateforme::boite_message(texte(236), boite::EXCLAMATION);
}

void charge::Option1_Click(int Index) {
  if (Index == 1 && Option1[1]->isChecked()) {
    Check3->setEnabled(false);
    Check4->setEnabled(false);
  }
}

void charge::Text4_LostFocus() {
  const QString t = Text4->text();
  qlonglong v = 0;
  if (t.isEmpty() || (numerique(t, &v) && v >= 1 && v <= 32767)) return;
  plateforme::boite_message(texte(233), boite::EXCLAMATION);
  Text4->setText(QStringLiteral("1000"));
}

void charge::Text9_LostFocus() {
  const QString t = Text9->text();
  if (t.isEmpty() || numerique(t)) return;
  plateforme::boite_message(texte(233), boite::EXCLAMATION);
  Text9->clear();
}

void charge::voir_Click() {
  const QString chemin = Text1->text();
  if (chemin.isEmpty()) {
    plateforme::boite_message(texte(235), boite::EXCLAMATION);
    return;
  }
  if (!QFileInfo(chemin).isFile()) {
    plateforme::boite_message(texte(234), boite::EXCLAMATION);
    return;
  }
  plateforme::ouvre_fichier_externe(chemin);
}

void affiche_charge() {
  // The mode is read when the form loads: a form open in the other mode is loaded again.
  if (charge* f = fenetres::existante<charge>()) fenetres::decharge(f);
  charge& f = fenetres::instance<charge>();
  fenetres::montre_enfant(&f);
}
