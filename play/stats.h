// The evaluation chart of the game in hand: one point per move number from
// notes_coups, the list of the values with their relative change, and a
// sentence naming the side ahead after the last move.
//
// The window exists once (ouvre_stats()); Command2 rebuilds it from the game
// as it stands, Command1 closes it.
#pragma once

#include <QString>
#include <QWidget>

class BoiteImage;
class QLabel;
class QPushButton;
class QTreeWidget;

class stats : public QWidget {
  Q_OBJECT

 public:
  stats();
  ~stats() override;

  static stats* existante();

  QTreeWidget* List2 = nullptr;   // "N°", "Note", "Var%"
  QPushButton* Command1 = nullptr;  // close
  QPushButton* Command2 = nullptr;  // rebuild
  BoiteImage* picture1 = nullptr;   // the chart
  QLabel* roi_haut = nullptr;
  QLabel* roi_bas = nullptr;
  QLabel* legende_haute = nullptr;
  QLabel* legende_basse = nullptr;
  QLabel* Label1 = nullptr;         // the summary sentence

  // Height of the chart in its own units: a note v is drawn at 3000 + v from
  // the top edge, so 0 is the middle line and +3000 the lower edge. Notes
  // beyond +-3000 are drawn on the edge.
  static constexpr int HAUTEUR = 6000;

  // The number of move numbers the chart shows (its width in units).
  int nb_points() const { return nb_points_; }

  // The pixel of a chart point (x in move numbers, y in chart units).
  QPointF point_pixel(double x, double y) const;

 public slots:
  void Command1_Click();
  void Command2_Click();

 private:
  void construit();
  int nb_points_ = 0;
  QPoint pos_roi_haut_;
  QPoint pos_roi_bas_;
};

stats* ouvre_stats();

// The relative change of a note, as the list shows it: "0%" when the previous
// note is 0, else (note - previous) / previous in percent, rounded ("50%",
// "-125%").
QString variation_note(float precedente, float note);
