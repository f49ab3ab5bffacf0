#include "play/liste_coup.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/fenetres.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/outils.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "platform/boites.h"
#include "play/entete_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/parametres.h"
#include "play/partie.h"
#include "play/patience.h"
#include "play/plateau.h"

namespace {

constexpr int TEXTE_CODE = 126;
constexpr int TEXTE_LIBELLE = 127;
constexpr int TEXTE_COUPS = 128;
constexpr int TEXTE_ILLEGAL = 143;

// Twips to pixels (15 twips a pixel).
constexpr int pixels(int twips) { return twips / 15; }

bool est_resultat(const QString& t) {
  return t == QLatin1String("1-0") || t == QLatin1String("0-1") || t == QLatin1String("1/2-1/2");
}

}  // namespace

liste_coup::liste_coup(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("liste_coup"));
  setAttribute(Qt::WA_DeleteOnClose);
  List1 = new QTreeWidget(this);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setRootIsDecorated(false);
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  Text2 = new QLineEdit(this);
  Text2->setObjectName(QStringLiteral("Text2"));
  Text2->setReadOnly(true);
  Text1 = new QLineEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setReadOnly(true);
  Command3 = new QPushButton(QStringLiteral("&Jouer le coup ==>"), this);
  Command3->setObjectName(QStringLiteral("Command3"));
  Command1 = new QPushButton(QStringLiteral("&Annuler"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command3->setEnabled(false);

  auto* bas = new QHBoxLayout;
  bas->addWidget(Command3);
  bas->addWidget(Text1);
  bas->addStretch();
  bas->addWidget(Command1);
  auto* disposition = new QVBoxLayout(this);
  disposition->addWidget(List1, 1);
  disposition->addWidget(Text2);
  disposition->addLayout(bas);
  resize(700, 360);

  connect(List1, &QTreeWidget::itemSelectionChanged, this, &liste_coup::List1_Click);
  connect(Command3, &QPushButton::clicked, this, &liste_coup::Command3_Click);
  connect(Command1, &QPushButton::clicked, this, &liste_coup::Command1_Click);
  Form_Load();
}

void liste_coup::Form_Load() {
  affiche_libelles(this);
  List1->clear();
  List1->setColumnCount(3);
  List1->setHeaderLabels({texte(TEXTE_CODE), texte(TEXTE_LIBELLE), texte(TEXTE_COUPS)});
  List1->setColumnWidth(0, pixels(1000));
  List1->setColumnWidth(1, pixels(3000));
  List1->setColumnWidth(2, pixels(10000));
  fenetres::colonnes_a_leurs_titres(List1->header());
}

void liste_coup::vide_lignes() {
  List1->clear();
  Text1->clear();
  Text2->clear();
  Command3->setEnabled(false);
}

void liste_coup::ajoute_ligne(const QString& cle, const QString& code, const QString& libelle, const QString& coups) {
  for (int i = 0; i < List1->topLevelItemCount(); ++i)
    if (List1->topLevelItem(i)->data(0, Qt::UserRole).toString() == cle)
      throw std::runtime_error("Clé déjà présente dans la liste : " + cle.toStdString());
  auto* item = new QTreeWidgetItem(List1, {code, libelle, coups});
  item->setData(0, Qt::UserRole, cle);
}

int liste_coup::nb_lignes() const { return List1->topLevelItemCount(); }
QString liste_coup::titre() const { return windowTitle(); }
void liste_coup::definit_titre(const QString& titre) { setWindowTitle(titre); }
void liste_coup::montre() { fenetres::montre_enfant(this); }

QString liste_coup::coup_suivant(const QString& ligne, const QString& partie) {
  qsizetype debut = 0;
  if (!partie.isEmpty()) {
    if (!ligne.startsWith(partie + QLatin1Char(' '))) return QString();
    debut = partie.size() + 1;
  }
  qsizetype fin = debut;
  while (fin < ligne.size() && ligne[fin] != QLatin1Char(' ') && ligne[fin] != QLatin1Char('*')) ++fin;
  return ligne.mid(debut, fin - debut);
}

bool liste_coup::jouable(const QString& jeton) const {
  plateau* p = plateau::existante();
  if (jeton.isEmpty() || !p || p->dechargee() || !partie_en_cours() || machine_occupee()) return false;
  // A line of the base continues only a game begun from the usual start.
  if (!partie_depuis_debut()) return false;
  const bool du_joueur = jeton.contains(QLatin1Char('.')) == (couleur_joueur == BLANC);
  // A network game takes only this side's own move, once it runs on its
  // connection: the other board gets it as every move made here.
  if (texte_partie.empty())
    return mode_jeux != 3 || (du_joueur && liens_jeu().partie_reseau_active && liens_jeu().partie_reseau_active());
  if (mode_jeux == 2) return true;
  if (mode_jeux == 1) return du_joueur;
  return false;
}

void liste_coup::List1_Click() {
  QTreeWidgetItem* item = List1->currentItem();
  if (!item) return;
  try {
    const qint64 cle = item->data(0, Qt::UserRole).toString().mid(3).toLongLong();
    const QVariant coups = db_eco.valeur(QStringLiteral("SELECT Eco_coup FROM ECO WHERE Eco_cle = ?"), {cle});
    if (!coups.isValid()) return;  // the line is gone meanwhile
    QString ligne = coups.toString();
    ligne.remove(QLatin1Char('+'));
    Text2->setText(ligne);
    const QString jeton = coup_suivant(ligne, QString::fromStdString(rogne(texte_partie)));
    Text1->setText(jeton);
    Command3->setEnabled(jouable(jeton));
  } catch (const std::exception& e) {
    plateforme::boite_erreur(QString::fromUtf8(e.what()));
  }
}

void liste_coup::Command3_Click() {
  const QString jeton = Text1->text();
  if (!jouable(jeton)) return;
  plateau* p = plateau::existante();
  p->remet_piece_levee();
  if (est_resultat(jeton)) {
    // The line ends with a result: the game ends with it, once.
    termine_par_resultat(jeton.toStdString());
    Command3->setEnabled(false);
    return;
  }
  const qsizetype point = jeton.indexOf(QLatin1Char('.'));
  const int couleur = point >= 0 ? BLANC : NOIR;
  const std::string coup = (point >= 0 ? jeton.mid(point + 1) : jeton).toStdString();
  const int au_trait = dernier_trait == BLANC ? NOIR : BLANC;
  int cs = 0, ls = 0, cd = 0, ld = 0, promotion = 0;
  if (couleur != au_trait || !lit_coup_legal(couleur, coup, cs, ls, cd, ld, promotion)) {
    plateforme::boite_erreur(texte(TEXTE_ILLEGAL));
    return;
  }
  CoupPartie c;
  c.source = SourceCoup::MAIN;
  c.col_s = cs;
  c.lig_s = ls;
  c.col_d = cd;
  c.lig_d = ld;
  c.promotion = promotion;
  ControlesPartie controles = p->controles();
  const Verdict verdict = joue_coup_partie(controles, c);
  p->selectionne_derniere_ligne();
  if (verdict == Verdict::CONTINUE && mode_jeux == 1) reponse_machine();
  fenetres::decharge_plus_tard(this);
}

void liste_coup::Command1_Click() { fenetres::decharge_plus_tard(this); }
