// The opening lines window liste_coup: the lines of the opening base that
// continue the game in hand (filled by the opening lookup), the whole line
// of the one selected (Text2), its next move (Text1), and a button that
// plays that move on the board (Command3) through the game's one move path.
#pragma once

#include <QString>
#include <QWidget>

#include "openings/liens_ouvertures.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

class liste_coup : public QWidget, public ListeOuvertures {
  Q_OBJECT
 public:
  explicit liste_coup(QWidget* parent = nullptr);

  QTreeWidget* List1 = nullptr;  // columns: ECO code, name, moves; each item keyed "ref" + Eco_cle
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command1 = nullptr;

  // What the opening lookup fills.
  void vide_lignes() override;
  void ajoute_ligne(const QString& cle, const QString& code, const QString& libelle, const QString& coups) override;
  int nb_lignes() const override;
  QString titre() const override;
  void definit_titre(const QString& titre) override;
  void montre() override;

  // The next move of `ligne` after the moves `partie`: the token that follows
  // "partie " (with its number for a White move, "3.Bb5"), or the first token
  // for an empty game; empty when the line does not continue the game or
  // ends there.
  static QString coup_suivant(const QString& ligne, const QString& partie);

 public slots:
  void List1_Click();
  void Command3_Click();
  void Command1_Click();

 private:
  void Form_Load();
  // The play button: a game on the board, begun from the usual start, still
  // on, the machine idle, and the move one the user may play in this mode.
  bool jouable(const QString& jeton) const;
};
