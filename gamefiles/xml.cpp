#include "gamefiles/xml.h"

#include <algorithm>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/messages.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/movetext_pgn.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/evenements.h"
#include "platform/fichiers_texte.h"
#include "platform/minuterie.h"
#include "platform/telechargement.h"
#include "play/machine.h"

namespace {
// Why a game that arrived is not loaded.
constexpr int TEXTE_LISTE_EN_COURS = 744;
constexpr int TEXTE_MACHINE_OCCUPEE = 745;
}  // namespace

namespace {

using fenetres::nomme;

// Where a web address begins in a text, -1 without one.
qsizetype debut_adresse(const QString& t) {
  const qsizetype http = t.indexOf(QStringLiteral("http://"));
  const qsizetype https = t.indexOf(QStringLiteral("https://"));
  if (http < 0) return https;
  return https < 0 ? http : std::min(http, https);
}

}  // namespace

QStringList adresses_url(const QStringList& lignes) {
  QStringList adresses;
  for (const QString& ligne : lignes) {
    // One address a line: a comma belongs to the address.
    QString a = ligne.trimmed();
    if (a.size() >= 2 && a.startsWith(QLatin1Char('"')) && a.endsWith(QLatin1Char('"'))) a = a.mid(1, a.size() - 2).trimmed();
    if (!a.isEmpty() && !a.startsWith(QLatin1Char('#'))) adresses << a;
  }
  return adresses;
}

xml::xml() {
  setObjectName(QStringLiteral("xml"));
  setWindowTitle(QStringLiteral("Charger une partie distante (XML)"));
  auto* principal = new QVBoxLayout(this);
  auto* ligne = new QHBoxLayout;
  Label1 = nomme(new QLabel(QStringLiteral("&URL d'une partie :"), this), "Label1");
  Text1 = nomme(new QLineEdit(QStringLiteral("http://"), this), "Text1");
  Label1->setBuddy(Text1);
  Command2 = nomme(new QPushButton(QStringLiteral("&Charger la partie !"), this), "Command2");
  ligne->addWidget(Label1);
  ligne->addWidget(Text1, 1);
  ligne->addWidget(Command2);
  principal->addLayout(ligne);

  Frame1 = nomme(new QGroupBox(QStringLiteral("&Adresses URL des parties"), this), "Frame1");
  auto* cadre = new QVBoxLayout(Frame1);
  List1 = nomme(new QListWidget(Frame1), "List1");
  Command3 = nomme(new QPushButton(QStringLiteral("&Charger un fichier d'URL"), Frame1), "Command3");
  cadre->addWidget(List1, 1);
  cadre->addWidget(Command3);
  principal->addWidget(Frame1, 1);

  auto* bas = new QHBoxLayout;
  Command1 = nomme(new QPushButton(QStringLiteral("&Quitter"), this), "Command1");
  bas->addStretch(1);
  bas->addWidget(Command1);
  principal->addLayout(bas);

  Timer1 = new plateforme::Minuterie(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  connect(Timer1, &plateforme::Minuterie::Timer, this, &xml::Timer1_Timer);
  connect(Command1, &QPushButton::clicked, this, &xml::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &xml::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &xml::Command3_Click);
  connect(List1, &QListWidget::itemClicked, this, &xml::List1_Click);
  connect(Text1, &QLineEdit::textChanged, this, &xml::Text1_Change);
  Form_Load();
}

xml::~xml() {
  // Closing the form ends the transfer under way (the transfer is its child)
  // and the wait with it.
  if (telechargement_) {
    Timer1->Interval(0);
    plateforme::curseur_attente(false);
  }
}

void xml::Form_Load() { affiche_libelles(this); }

void xml::Command1_Click() { fenetres::decharge_plus_tard(this); }

void xml::Command2_Click() {
  if (telechargement_) return;  // a load is under way
  adresse_ = Text1->text().trimmed();
  if (debut_adresse(adresse_) < 0) {
    plateforme::boite_message(texte(120), boite::EXCLAMATION);
    return;
  }
  telechargement_ = new plateforme::Telechargement(this);
  // A game list may be much longer than the small documents of other fetches.
  telechargement_->definit_taille_max(plateforme::Telechargement::TAILLE_MAX_LISTE);
  connect(telechargement_, &plateforme::Telechargement::recu, this, &xml::arrivee);
  connect(telechargement_, &plateforme::Telechargement::echec, this, &xml::echec);
  if (!telechargement_->lance(adresse_)) {
    delete telechargement_;
    telechargement_ = nullptr;
    plateforme::boite_message(texte(121), boite::EXCLAMATION);
    return;
  }
  Command2->setEnabled(false);
  plateforme::curseur_attente(true);
  compteur_attente = 0;
  Timer1->Interval(1000);
}

void xml::fin_attente() {
  Timer1->Interval(0);
  plateforme::curseur_attente(false);
  if (telechargement_) {
    telechargement_->abandonne();
    telechargement_->deleteLater();
    telechargement_ = nullptr;
  }
  Command2->setEnabled(true);
}

void xml::echec() {
  fin_attente();
  plateforme::boite_message(texte(121) + QStringLiteral("\r\n") + texte(122), boite::EXCLAMATION);
}

void xml::arrivee(const QByteArray& document) {
  fin_attente();
  std::vector<pgn::PartieXml> lues;
  pgn::lit_liste_xml(document, lues);
  // The games that have a movetext; the last of them is loaded.
  std::vector<pgn::PartieLue> parties;
  for (const pgn::PartieXml& p : lues)
    if (!QString::fromStdString(p.coups).trimmed().isEmpty()) parties.push_back(partie_du_document(p));
  if (parties.empty()) {
    plateforme::boite_message(texte(121) + QStringLiteral("\r\n") + texte(122), boite::EXCLAMATION);
    return;
  }
  // The game in hand cannot change now: say so rather than drop the game.
  const int occupe = machine_occupee() ? TEXTE_MACHINE_OCCUPEE : lecture_pgn_en_cours() ? TEXTE_LISTE_EN_COURS : 0;
  if (occupe) {
    plateforme::boite_message(texte(occupe), boite::EXCLAMATION);
    return;
  }
  charge_parties_externes(parties, parties.size() - 1, adresse_, texte(123));
}

pgn::PartieLue partie_du_document(const pgn::PartieXml& p) {
  pgn::PartieLue partie;
  partie.lignes_tags = p.lignes_tags;
  partie.tags = p.tags;
  partie.movetext = p.coups;
  partie.nb_tags = static_cast<int>(p.tags.size());
  // What the game list shows of it; the result is the movetext's.
  for (int i = 0; i < pgn::NB_TAGS_CONNUS; ++i) {
    const std::string v = i == pgn::RESULT ? pgn::lit_movetext(p.coups).resultat : partie.valeur_tag(pgn::nom_tag(i));
    partie.presents[i] = !v.empty();
    partie.valeurs[i] = QString::fromStdString(v);
  }
  return partie;
}

void xml::Command3_Click() {
  const QString chemin = plateforme::choisit_fichier_a_ouvrir(
      texte(315), texte(215) + QStringLiteral(" TXT (*.txt)|*.txt"), plateforme::chemin_appli(), QString());
  if (chemin.isEmpty()) return;
  QStringList lignes;
  QString erreur;
  if (!plateforme::est_fichier(chemin)) {
    plateforme::boite_message(texte(270) + QStringLiteral(" (") + chemin + QLatin1Char(')'), boite::EXCLAMATION);
    return;
  }
  if (!plateforme::lit_lignes(chemin, lignes, &erreur)) {
    plateforme::boite_message(erreur, boite::EXCLAMATION);
    return;
  }
  List1->clear();
  const QStringList adresses = adresses_url(lignes);
  List1->addItems(adresses);
  Frame1->setTitle(QStringLiteral(" %1").arg(adresses.size()) + texte(124));
}

void xml::List1_Click() {
  Text1->clear();
  if (QListWidgetItem* ligne = List1->currentItem()) {
    const QString t = ligne->text();
    const qsizetype debut = debut_adresse(t);
    if (debut >= 0) Text1->setText(t.mid(debut));
  }
  Command2->setEnabled(!telechargement_);
}

void xml::Text1_Change() { Command2->setEnabled(!telechargement_); }

void xml::Timer1_Timer() {
  if (++compteur_attente >= 15 && telechargement_) echec();
}

void affiche_xml() { fenetres::montre_enfant(&fenetres::instance<xml>()); }
