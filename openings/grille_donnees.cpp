#include "openings/grille_donnees.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QUuid>
#include <QVBoxLayout>

#include "localisation/libelles.h"
#include "openings/liens_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/evenements.h"
#include "platform/fenetres.h"
#include "platform/modele_table.h"

namespace {

constexpr int TEXTE_FILTRE = 185;
constexpr int TEXTE_TRI = 186;
constexpr int TEXTE_SUPPRIMER = 187;
constexpr int TEXTE_MODIFIER = 188;


}  // namespace

frmDataGrid::frmDataGrid(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmDataGrid"));
  setAttribute(Qt::WA_DeleteOnClose);
  grdDataGrid = new QTableView(this);
  grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
  grdDataGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdDataGrid->viewport()->installEventFilter(this);
  grdDataGrid->installEventFilter(this);
  picButtons = new QWidget(this);
  picButtons->setObjectName(QStringLiteral("picButtons"));
  auto bouton = [this](const char* nom, const char* libelle) {
    return fenetres::nomme(new QPushButton(QString::fromUtf8(libelle), picButtons), nom);
  };
  cmdClose = bouton("cmdClose", "&Fermer");
  cmdFilter = bouton("cmdFilter", "F&iltrer");
  cmdSort = bouton("cmdSort", "&Trier");
  cmdRefresh = bouton("cmdRefresh", "&Actualiser");
  auto* boutons = new QHBoxLayout(picButtons);
  boutons->setContentsMargins(0, 0, 0, 0);
  for (QPushButton* b : {cmdRefresh, cmdSort, cmdFilter, cmdClose}) boutons->addWidget(b);
  boutons->addStretch();
  auto* disposition = new QVBoxLayout(this);
  disposition->addWidget(grdDataGrid, 1);
  disposition->addWidget(picButtons);
  resize(640, 400);
  connect(cmdClose, &QPushButton::clicked, this, &frmDataGrid::cmdClose_Click);
  connect(cmdFilter, &QPushButton::clicked, this, &frmDataGrid::cmdFilter_Click);
  connect(cmdSort, &QPushButton::clicked, this, &frmDataGrid::cmdSort_Click);
  connect(cmdRefresh, &QPushButton::clicked, this, &frmDataGrid::cmdRefresh_Click);
  connect(grdDataGrid->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmDataGrid::grdDataGrid_HeadClick);
  affiche_libelles(this);
}

frmDataGrid::~frmDataGrid() {
  grdDataGrid->setModel(nullptr);
  delete modele_;
  modele_ = nullptr;
  if (connexion_) connexion_->ferme();
}

bool frmDataGrid::Form_Load(const QString& base, const QString& source) {
  base_ = base;
  source_ = source;
  try {
    connexion_ = std::make_unique<plateforme::BaseDonnees>(QStringLiteral("grille-") +
                                                           QUuid::createUuid().toString(QUuid::WithoutBraces));
    connexion_->ouvre(base);
    auto* m = new plateforme::ModeleTable(*connexion_, source);
    modele_ = m;
    m->confirme_suppression = [] {
      return plateforme::boite_message(texte_ouvertures(TEXTE_SUPPRIMER), boite::OUI_NON + boite::QUESTION) ==
             boite::OUI;
    };
    m->confirme_modification = [] {
      return plateforme::boite_message(texte_ouvertures(TEXTE_MODIFIER), boite::OUI_NON + boite::QUESTION) ==
             boite::OUI;
    };
    grdDataGrid->setModel(m);
    // Every column as wide as its values and heading, after each refresh,
    // sort or filter too.
    grdDataGrid->resizeColumnsToContents();
    connect(m, &QAbstractItemModel::modelReset, grdDataGrid, &QTableView::resizeColumnsToContents);
  } catch (const std::exception& e) {
    delete modele_;
    modele_ = nullptr;
    if (connexion_) connexion_->ferme();
    plateforme::boite_message(QString::fromUtf8(e.what()), boite::OK_SEUL);
    return false;
  }
  setWindowTitle(source.size() > 50 ? QStringLiteral("Instruction SQL") : source);
  return true;
}

void frmDataGrid::signale(const QString& erreur) {
  plateforme::curseur_attente(false);
  if (!erreur.isEmpty()) plateforme::boite_erreur(erreur);
}

void frmDataGrid::cmdFilter_Click() {
  if (!modele_) return;
  const QString expression = plateforme::boite_saisie(texte_ouvertures(TEXTE_FILTRE));
  if (expression.trimmed().isEmpty()) return;
  plateforme::curseur_attente(true);
  signale(modele_->filtre(expression));
}

void frmDataGrid::cmdSort_Click() {
  if (!modele_) return;
  QString texte = tri;
  if (texte.isEmpty()) {
    texte = plateforme::boite_saisie(texte_ouvertures(TEXTE_TRI));
    if (texte.trimmed().isEmpty()) return;
  }
  plateforme::curseur_attente(true);
  signale(modele_->trie(texte));
}

void frmDataGrid::cmdRefresh_Click() {
  if (!modele_) return;
  plateforme::curseur_attente(true);
  signale(modele_->actualise());
}

// The window goes with its frame in the main window's area.
void frmDataGrid::cmdClose_Click() { fenetres::decharge_plus_tard(this); }

void frmDataGrid::grdDataGrid_HeadClick(int colonne) {
  if (!modele_ || colonne < 0 || colonne >= modele_->columnCount()) return;
  const QString nom = modele_->headerData(colonne, Qt::Horizontal).toString();
  tri = QLatin1Char('[') + nom + (etat_touches == 0 ? QStringLiteral("]") : QStringLiteral("] desc"));
  cmdSort_Click();
  tri.clear();
}

bool frmDataGrid::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::MouseButtonPress) {
    const Qt::KeyboardModifiers m = static_cast<QMouseEvent*>(evenement)->modifiers();
    etat_touches = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
  } else if (objet == grdDataGrid && evenement->type() == QEvent::KeyPress && modele_ &&
             static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Delete) {
    // The selected rows go, each after its confirmation.
    const QModelIndexList lignes = grdDataGrid->selectionModel()->selectedRows();
    for (qsizetype i = lignes.size() - 1; i >= 0; --i) modele_->removeRow(lignes[i].row());
    modele_->select();
    return true;
  }
  return QWidget::eventFilter(objet, evenement);
}
