#include "correspondence/corres.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>

#include "chess/messages.h"
#include "chess/poids.h"
#include "correspondence/base_corres.h"
#include "correspondence/chargement_corres.h"
#include "correspondence/champs_corres.h"
#include "correspondence/coups_corres.h"
#include "correspondence/prepare.h"
#include "correspondence/saisie_coup.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/avis_etat.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/fenetres.h"
#include "play/impression.h"
#include "play/parametres.h"

namespace {

using fenetres::controle;

// The labels of this window stand on one line.
QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte, int x, int y, int l, int h = 20) {
  auto* e = controle<QLabel>(parent, QString::fromLatin1(nom), x, y, l, h);
  e->setText(texte);
  return e;
}

QLineEdit* champ(QWidget* parent, const char* nom, int x, int y, int l, int h = 22) {
  return controle<QLineEdit>(parent, QString::fromLatin1(nom), x, y, l, h);
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle, int x, int y,
                    int l = 120, int h = 28) {
  auto* b = controle<QPushButton>(parent, QString::fromLatin1(nom), x, y, l, h);
  b->setText(texte);
  if (!bulle.isEmpty()) b->setToolTip(bulle);
  return b;
}

// The icon of a list row: finished, the user's move, waiting for the opponent.
QIcon icone(const QString& cle) {
  QStyle* s = QApplication::style();
  if (cle == QLatin1String("interdiction")) return s->standardIcon(QStyle::SP_DialogCancelButton);
  if (cle == QLatin1String("main")) return s->standardIcon(QStyle::SP_ArrowRight);
  return s->standardIcon(QStyle::SP_DialogApplyButton);
}

}  // namespace

// --- The window ---------------------------------------------------------------------

corres::corres() {
  setObjectName(QStringLiteral("corres"));
  setAttribute(Qt::WA_DeleteOnClose);
  construit();
  Form_Load();
}

corres::~corres() { fenetres::retire(this); }

void corres::construit() {
  setWindowTitle(QStringLiteral("Partie par correspondance"));
  resize(860, 600);
  List1 = controle<QTreeWidget>(this, QStringLiteral("List1"), 8, 8, 844, 190);
  List1->setRootIsDecorated(false);
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List1->setIconSize(QSize(16, 16));
  List1->header()->setSectionsClickable(true);

  Frame1 = controle<QGroupBox>(this, QStringLiteral("Frame1"), 8, 204, 844, 350);
  Frame1->setTitle(QStringLiteral("&Description"));
  QWidget* f = Frame1;
  // The description's fields, row by row: each with its label just left of
  // it (the label `largeur_etiquette` wide from x, 2 pixels lower).
  struct Rubrique {
    int x, y;
    const char* etiquette;
    const char* texte;
    int largeur_etiquette;
    QLineEdit* corres::*champ;
    const char* nom;
    int largeur;
    bool lecture_seule;
  };
  static const Rubrique references[] = {
      {142, 20, "Label22", "Locale", 50, &corres::Text5, "Text5", 60, true},
      {262, 20, "Label23", "Distante", 72, &corres::Text17, "Text17", 60, false},
  };
  static const Rubrique rubriques[] = {
      {10, 50, "Label1", "&Blancs :", 80, &corres::Text2, "Text2", 160, false},
      {262, 50, "Label4", "Adresse @ :", 80, &corres::Text4, "Text4", 220, false},
      {574, 50, "Label7", "ELO :", 40, &corres::Text7, "Text7", 60, false},
      {10, 78, "Label2", "&Noirs :", 80, &corres::Text3, "Text3", 160, false},
      {262, 78, "Label3", "Adresse @ :", 80, &corres::Text1, "Text1", 220, false},
      {574, 78, "Label6", "ELO :", 40, &corres::Text6, "Text6", 60, false},
      {10, 108, "Label5", "&Date début :", 116, &corres::MaskEdBox3, "MaskEdBox3", 90, false},
      {228, 108, "Label11", "&Date fin :", 116, &corres::MaskEdBox4, "MaskEdBox4", 90, false},
      {446, 108, "Label10", "&Durée :", 100, &corres::Text10, "Text10", 50, true},
      {668, 108, "Label12", "&Résultat :", 76, &corres::Text12, "Text12", 60, false},
      {10, 138, "Label13", "&Dernier coup envoyé :", 206, &corres::Text13, "Text13", 90, false},
      {318, 138, "Label15", "le :", 30, &corres::Text8, "Text8", 90, true},
      {450, 138, "Label19", "Depuis :", 72, &corres::Text15, "Text15", 50, true},
      {10, 166, "Label17", "&Dernier coup recu :", 206, &corres::Text14, "Text14", 90, true},
      {318, 166, "Label16", "le :", 30, &corres::Text11, "Text11", 90, true},
      {450, 166, "Label21", "Depuis :", 72, &corres::Text16, "Text16", 50, true},
  };
  auto place = [this, f](const Rubrique& r) {
    QLabel* l = etiquette(f, r.etiquette, QString::fromUtf8(r.texte), r.x, r.y + 2, r.largeur_etiquette);
    QLineEdit* c = champ(f, r.nom, r.x + r.largeur_etiquette + 2, r.y, r.largeur);
    // Its shortcut goes to the field.
    l->setBuddy(c);
    c->setReadOnly(r.lecture_seule);
    this->*r.champ = c;
  };
  // Built in the order the focus goes through them.
  etiquette(f, "Label14", QStringLiteral("Référence :"), 10, 22, 130);
  for (const Rubrique& r : references) place(r);
  Check2 = controle<QCheckBox>(f, QStringLiteral("Check2"), 410, 20, 200, 22);
  Check2->setText(QStringLiteral("J'ai les &Blancs"));
  for (const Rubrique& r : rubriques) place(r);
  MaskEdBox3->setMaxLength(10);
  MaskEdBox4->setMaxLength(10);
  // The days after a count.
  etiquette(f, "Label9", QStringLiteral("jour(s)"), 600, 110, 64);
  etiquette(f, "Label18", QStringLiteral("jour(s)"), 578, 140, 64);
  etiquette(f, "Label20", QStringLiteral("jour(s)"), 578, 168, 64);

  Check1 = controle<QCheckBox>(f, QStringLiteral("Check1"), 10, 196, 340, 22);
  Check1->setText(QStringLiteral("&Avertir par Mèl automatiquement"));
  Frame2 = controle<QGroupBox>(f, QStringLiteral("Frame2"), 646, 138, 190, 80);
  Frame2->setTitle(QStringLiteral("&Partie PGN"));
  Option1 = {nullptr, nullptr, nullptr};
  const char* noms[] = {nullptr, "&Français", "&Anglais"};
  for (int i = 1; i <= 2; ++i) {
    Option1[i] = controle<QRadioButton>(Frame2, QStringLiteral("Option1(%1)").arg(i), 10, 20 + (i - 1) * 26, 170, 22);
    Option1[i]->setText(QString::fromUtf8(noms[i]));
    // Neither may be selected (a game with no known letters): the two are
    // kept apart by hand.
    Option1[i]->setAutoExclusive(false);
    connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool oui) {
      if (oui) Option1[3 - i]->setChecked(false);
    });
  }
  Text9 = controle<QPlainTextEdit>(f, QStringLiteral("Text9"), 10, 226, 824, 114);

  const int y = 562;
  Command3 = bouton(this, "Command3", QStringLiteral("&Nouvelle"), QStringLiteral("Créer une nouvelle partie"), 8, y, 90);
  Command4 = bouton(this, "Command4", QStringLiteral("&Modifier"), QStringLiteral("Modifier la partie"), 102, y, 90);
  Command5 = bouton(this, "Command5", QStringLiteral("&Supprimer"), QStringLiteral("Supprimer la partie"), 196, y, 90);
  Command8 = bouton(this, "Command8", QStringLiteral("&Valider"), QStringLiteral("Valider les modifications"), 290, y, 96);
  Command6 = bouton(this, "Command6", QStringLiteral("&Saisir le coup adverse !"), QString(), 390, y, 222);
  Command7 = bouton(this, "Command7", QStringLiteral("&Jouer et transmettre"), QString(), 616, y, 180);
  picture1 = bouton(this, "picture1", QString(), QStringLiteral("Voir la partie sur l'échiquier"), 800, y, 32);
  picture1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  Command1 = bouton(this, "Command1", QStringLiteral("Imprimer"), QString(), 614, y + 32, 134);
  Command2 = bouton(this, "Command2", QStringLiteral("&Quitter"), QString(), 752, y + 32, 100);
  resize(860, 630);

  // The opponent's move is entered once a game waiting for it is clicked.
  Command6->setEnabled(false);
  connect(List1, &QTreeWidget::itemClicked, this, [this] { List1_Click(); });
  connect(List1, &QTreeWidget::itemActivated, this, [this] { List1_Click(); });
  connect(List1->header(), &QHeaderView::sectionClicked, this, &corres::List1_ColumnClick);
  connect(Command1, &QPushButton::clicked, this, &corres::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &corres::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &corres::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &corres::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &corres::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &corres::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &corres::Command7_Click);
  connect(Command8, &QPushButton::clicked, this, &corres::Command8_Click);
  connect(picture1, &QPushButton::clicked, this, &corres::picture1_Click);
  connect(Check2, &QCheckBox::clicked, this, &corres::Check2_Click);

  // Field rules: dates, numbers checked when the field is left.
  new ChampDate(MaskEdBox3, false);
  new ChampDate(MaskEdBox4, true);
  for (QLineEdit* c : {Text1, Text2, Text3, Text4, Text6, Text7, Text12, Text13}) selection_au_focus(c);
  for (QLineEdit* c : {Text17, Text6, Text7}) c->installEventFilter(this);
}

bool corres::eventFilter(QObject* objet, QEvent* e) {
  if (e->type() == QEvent::FocusOut)
    if (auto* c = qobject_cast<QLineEdit*>(objet)) perd_focus(c);
  return QWidget::eventFilter(objet, e);
}

void corres::perd_focus(QLineEdit* c) {
  if (est_numerique(c->text())) return;
  // The value is put right before the box shows: the box taking the focus
  // away again finds nothing more to say.
  c->setText(c == Text17 ? QStringLiteral("0") : QStringLiteral("1500"));
  plateforme::boite_message(texte(233), boite::EXCLAMATION);
}

void corres::Form_Load() {
  affiche_libelles(this);
  List1->clear();
  const int colonnes[] = {410, 412, 413, 414, 415, 416, 417, 418, 419, 420};
  const int largeurs[] = {600, 500, 500, 1000, 1000, 1000, 1000, 500, 1000, 1000};  // twips
  QStringList titres;
  for (int n : colonnes) titres << texte(n);
  List1->setColumnCount(10);
  List1->setHeaderLabels(titres);
  for (int i = 0; i < 10; ++i) List1->setColumnWidth(i, largeurs[i] / 15 + 16);
  fenetres::colonnes_a_leurs_titres(List1->header());
  liste_parties();
  if (mode_saisie_corres == 2) {
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + texte(29));
    mode_chargement = true;
  } else if (mode_saisie_corres == 1) {
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + texte(28));
    mode_chargement = false;
    Command3_Click();
  }
}

int corres::notation() const { return Option1[1]->isChecked() ? 1 : Option1[2]->isChecked() ? 2 : 0; }

void corres::choisit_notation(int n) {
  for (int i = 1; i <= 2; ++i) Option1[i]->setChecked(i == n);
}

// --- The game list ----------------------------------------------------------------------

void corres::liste_parties() {
  List1->clear();
  if (!QFileInfo(base_corres).isFile()) {
    plateforme::boite_message(QStringLiteral("Warning, your base path is not correct ! please, modify the "
                                             "morvandel.ini file and enter the right path."),
                              boite::EXCLAMATION);
    // The description keeps the values it showed, but no longer a game to act on.
    return sans_partie(false);
  }
  try {
    const std::vector<PartieCorres> parties = lit_parties(base_corres);
    int rang = 0;
    for (const PartieCorres& p : parties) {
      ++rang;
      const QString cle_icone = p.fin.isValid()                       ? QStringLiteral("interdiction")
                                : trait_au_joueur(p.coups, p.jai_blanc) ? QStringLiteral("main")
                                                                        : QStringLiteral("validation");
      auto* ligne = new QTreeWidgetItem(List1);
      ligne->setData(0, Qt::UserRole, QStringLiteral("ref") + QString::number(p.cle));
      ligne->setData(0, Qt::UserRole + 1, cle_icone);
      ligne->setIcon(0, icone(cle_icone));
      ligne->setText(0, QStringLiteral(" ") + QString::number(rang));
      ligne->setText(1, reference(p.cle));
      ligne->setText(2, reference(p.cle_adverse));
      ligne->setText(3, p.blanc);
      ligne->setText(4, p.noir);
      ligne->setText(5, date_affichee(p.debut));
      if (p.debut.isValid() && p.fin.isValid()) ligne->setText(6, QString::number(p.debut.daysTo(p.fin)));
      ligne->setText(7, p.resultat);
      ligne->setText(8, date_affichee(p.fin));
      ligne->setText(9, p.dernier_envoye);
    }
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_message(e.texte(), boite::EXCLAMATION, QStringLiteral("Attention"));
  }
  sans_partie(false);
}

void corres::sans_partie(bool vide) {
  cle_affichee_ = 0;
  List1->clearSelection();
  List1->setCurrentItem(nullptr);
  for (QWidget* w : {static_cast<QWidget*>(Command7), static_cast<QWidget*>(Command6),
                     static_cast<QWidget*>(Command4), static_cast<QWidget*>(Command5),
                     static_cast<QWidget*>(Command8), static_cast<QWidget*>(Frame1),
                     static_cast<QWidget*>(picture1)})
    w->setEnabled(false);
  Command3->setEnabled(true);
  if (!vide) return;
  for (QLineEdit* l : Frame1->findChildren<QLineEdit*>()) l->clear();
  Text9->clear();
  Check1->setChecked(false);
  Check2->setChecked(false);
  choisit_notation(0);
}

void liste_parties_corres() {
  if (corres* c = fenetres::existante<corres>()) c->liste_parties();
}

void montre_corres() {
  corres& c = fenetres::instance<corres>();
  if (QMdiSubWindow* cadre = fenetres::montre_enfant(&c)) cadre->move(0, 0);
}

// --- Clicks -------------------------------------------------------------------------

void corres::List1_Click() {
  const QList<QTreeWidgetItem*> choisies = List1->selectedItems();
  if (choisies.isEmpty()) return;
  const qint64 cle = choisies.first()->data(0, Qt::UserRole).toString().mid(3).toLongLong();
  mode_saisie_corres = 2;
  // A row that cannot be read shows no game: the description of the game
  // shown before would otherwise stand beside another row, and a command
  // would act on one while the user reads the other.
  std::optional<PartieCorres> lue;
  try {
    lue = lit_partie(base_corres, cle);
  } catch (const plateforme::ErreurBase& e) {
    sans_partie(true);
    plateforme::boite_message(e.texte(), boite::EXCLAMATION, QStringLiteral("Attention"));
    return;
  }
  if (!lue) return sans_partie(true);
  const PartieCorres& p = *lue;
  cle_affichee_ = cle;
  const QDate jour = aujourdhui();
  Check2->setChecked(p.jai_blanc);
  Text5->setText(reference(p.cle));
  Text2->setText(p.blanc);
  Text3->setText(p.noir);
  Text4->setText(p.mel_blanc);
  Text1->setText(p.mel_noir);
  Text7->setText(p.elo_blanc.isNull() ? QString() : p.elo_blanc.toString());
  Text6->setText(p.elo_noir.isNull() ? QString() : p.elo_noir.toString());
  MaskEdBox3->setText(date_affichee(p.debut));
  Text17->setText(reference(p.cle_adverse));
  MaskEdBox4->setText(date_affichee(p.fin));
  if (p.debut.isValid()) Text10->setText(jours_signes(p.debut, p.fin.isValid() ? p.fin : jour));
  Text12->setText(p.resultat);
  Text8->setText(date_affichee(p.date_envoi));
  Text15->setText(p.date_envoi.isValid() ? jours_signes(p.date_envoi, jour) : QString());
  Text11->setText(date_affichee(p.date_recu));
  Text16->setText(p.date_recu.isValid() ? jours_signes(p.date_recu, jour) : QString());
  Check1->setChecked(p.avertir);
  choisit_notation(p.notation);
  Text13->setText(p.dernier_envoye);
  Text14->setText(p.dernier_recu);
  Text9->setPlainText(p.coups.trimmed());
  for (QPushButton* b : {Command7, Command4, Command5, picture1}) b->setEnabled(true);
  const bool au_joueur = trait_au_joueur(p.coups, p.jai_blanc);
  Command6->setEnabled(!au_joueur);
  Command7->setEnabled(au_joueur);
}

void corres::List1_ColumnClick(int colonne) { List1->sortItems(colonne, Qt::AscendingOrder); }

void corres::Command1_Click() {
  if (List1->topLevelItemCount() == 0) return;
  QString titre = texte(409);
  if (imprime_liste(*List1, titre, tampon_impression(), QStringLiteral("Arial"), 10))
    plateforme::boite_message(texte(220), boite::INFORMATION);
}

void corres::Command2_Click() { fenetres::decharge_plus_tard(this); }

void corres::Command3_Click() {
  mode_saisie_corres = 1;
  mode_chargement = false;
  Frame1->setEnabled(true);
  Text2->setText(nom_joueur[profil_moteur]);
  Text4->setText(adresse_mel);
  Text7->setText(QString::number(niveau_elo[profil_moteur]));
  Text12->setText(QStringLiteral("*"));
  for (QLineEdit* c : {Text10, Text13, Text5, Text17, Text8, Text14, Text11, Text15, Text16}) c->clear();
  Text9->clear();
  MaskEdBox3->setText(date_affichee(aujourdhui()));
  Text9->setEnabled(false);
  Command8->setEnabled(true);
  Command3->setEnabled(false);
  // The description is a new game's: no stored game to act on.
  cle_affichee_ = 0;
  for (QPushButton* b : {Command4, Command5, Command6, Command7, picture1}) b->setEnabled(false);
}

void corres::Check2_Click() {
  QLineEdit* moi[] = {Text2, Text4, Text7};
  QLineEdit* autre[] = {Text3, Text1, Text6};
  if (!Check2->isChecked()) std::swap(moi, autre);
  moi[0]->setText(nom_joueur[profil_moteur]);
  moi[1]->setText(adresse_mel);
  moi[2]->setText(QString::number(niveau_elo[profil_moteur]));
  for (QLineEdit* c : autre) c->clear();
}

void corres::Command4_Click() {
  Frame1->setEnabled(true);
  Text9->setEnabled(true);
  Command8->setEnabled(true);
  Command3->setEnabled(false);
  Command4->setEnabled(false);
}

void corres::Command8_Click() {
  // Fields left with the focus still in them are checked as if left.
  for (QLineEdit* c : {MaskEdBox3, MaskEdBox4})
    if (auto* regle = c->findChild<ChampDate*>()) regle->verifie();
  for (QLineEdit* c : {Text17, Text6, Text7})
    if (!c->text().isEmpty()) perd_focus(c);
  if (Text1->text().isEmpty() || Text2->text().isEmpty() || Text3->text().isEmpty() || Text4->text().isEmpty() ||
      MaskEdBox3->text().isEmpty()) {
    plateforme::boite_message(texte(447), boite::EXCLAMATION);
    return;
  }
  PartieCorres p;
  p.cle = mode_saisie_corres == 2 ? cle_affichee_ : 0;
  p.lieu = lieu_jeu;
  p.jai_blanc = Check2->isChecked();
  p.blanc = Text2->text();
  p.noir = Text3->text();
  p.mel_blanc = Text4->text();
  p.mel_noir = Text1->text();
  if (est_numerique(Text7->text())) p.elo_blanc = Text7->text().trimmed().toInt();
  if (est_numerique(Text6->text())) p.elo_noir = Text6->text().trimmed().toInt();
  p.debut = date_saisie(MaskEdBox3->text()).value_or(QDate());
  p.fin = date_saisie(MaskEdBox4->text()).value_or(QDate());
  if (est_numerique(Text17->text())) p.cle_adverse = Text17->text().trimmed().toLongLong();
  p.resultat = Text12->text();
  p.avertir = Check1->isChecked();
  p.notation = Option1[1]->isChecked() ? 1 : 2;
  p.coups = Text9->toPlainText().simplified();
  // A move list is stored only when it replays with the rules.
  if (!p.coups.isEmpty()) {
    PartieLue lue;
    if (!lue.lit(p.coups.toStdString(), p.notation)) {
      plateforme::boite_message(texte(470) + QStringLiteral(" (") + QString::fromStdString(lue.fautif()) +
                                    QStringLiteral(")"),
                                boite::EXCLAMATION);
      return;
    }
  }
  if (mode_saisie_corres == 2 && p.cle == 0) return;
  const QString question = texte(445) + p.blanc + texte(442) + p.noir + texte(443);
  if (plateforme::boite_message(question, boite::OUI_NON) != boite::OUI) return;
  try {
    if (mode_saisie_corres == 1) {
      ajoute_partie(base_corres, p);
    } else if (!modifie_partie(base_corres, p)) {
      return;
    }
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_message(e.texte(), boite::EXCLAMATION, QStringLiteral("Attention"));
    return;
  }
  plateforme::boite_message(texte(446), boite::EXCLAMATION);
  liste_parties();
}

void corres::Command5_Click() {
  const qint64 cle = cle_affichee_;
  const QString question = texte(441) + Text2->text() + texte(442) + Text3->text() + texte(443);
  if (plateforme::boite_message(question, boite::OUI_NON) != boite::OUI) return;
  try {
    if (cle == 0 || !supprime_partie(base_corres, cle)) return;
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_message(e.texte(), boite::EXCLAMATION, QStringLiteral("Attention"));
    return;
  }
  plateforme::boite_message(texte(444), boite::EXCLAMATION);
  liste_parties();
}

void corres::Command6_Click() { montre_saisie_coup(); }
void corres::Command7_Click() { montre_prepare(); }
void corres::picture1_Click() { charge_partie_corres(*this, true); }
