// The data grid frmDataGrid: one table of a database file (ECO of the
// opening base, PARTIE of the correspondence base) in an editable grid, with
// buttons to filter, sort, refresh and close, and a sort by a click on a
// column head (descending while Shift, Ctrl or Alt was held at the last
// mouse press in the grid). Edits go to the table after a confirmation.
//
// The window holds its own connection to the file while it is open; the
// upkeep of the opening base refuses to work on the file meanwhile.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QPushButton;
class QTableView;

namespace plateforme {
class BaseDonnees;
class ModeleTable;
}  // namespace plateforme

class frmDataGrid : public QWidget {
  Q_OBJECT
 public:
  explicit frmDataGrid(QWidget* parent = nullptr);
  ~frmDataGrid() override;

  // Opens the table `source` of the database file `base`; the caption is
  // the table's name ("Instruction SQL" for a name above 50 characters).
  // False when the file or the table cannot be read: the error has been
  // shown and the caller unloads the window.
  bool Form_Load(const QString& base, const QString& source);
  const QString& base() const { return base_; }
  const QString& source() const { return source_; }

  QTableView* grdDataGrid = nullptr;
  QWidget* picButtons = nullptr;
  QPushButton* cmdClose = nullptr;
  QPushButton* cmdFilter = nullptr;
  QPushButton* cmdSort = nullptr;
  QPushButton* cmdRefresh = nullptr;
  plateforme::ModeleTable* modele() const { return modele_; }

  // The sort a column-head click runs, and the modifier keys of the last
  // mouse press in the grid (1 Shift, 2 Ctrl, 4 Alt).
  QString tri;
  int etat_touches = 0;

 public slots:
  void cmdFilter_Click();
  void cmdSort_Click();
  void cmdRefresh_Click();
  void cmdClose_Click();
  void grdDataGrid_HeadClick(int colonne);

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void signale(const QString& erreur);
  std::unique_ptr<plateforme::BaseDonnees> connexion_;
  plateforme::ModeleTable* modele_ = nullptr;
  QString base_, source_;
};
