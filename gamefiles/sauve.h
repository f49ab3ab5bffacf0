// The save form: the game in hand as PGN text the user may edit (its tag
// lines, an empty line, the movetext with its comments and the result),
// written to a file as that PGN text or as an XML game list of one game.
//
// Saving asks the file's name; an existing file is replaced after a Yes to
// the overwrite question, or, with Check1, added to: a PGN save then follows
// the file's last game after one empty line, an XML save goes into the
// file's game list before its "</LIST>". Either way the file is written new
// and renamed over the old one. A failure says why and leaves the form open;
// a success puts a PGN file on the recent files and closes the form. The
// print button prints the game (format 0 of play/impression.h).
//
// The PGN written is in export form (gamefiles/export_pgn.h): whatever the
// user edits in the text, the Seven Tag Roster comes first, the result is
// the game's and the moves are in standard notation.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <string>

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class sauve : public QWidget {
  Q_OBJECT

 public:
  sauve();

  QPlainTextEdit* Text1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QList<QRadioButton*> Option1;  // 1 PGN, 2 XML (element 0 unused)
  QCheckBox* Check1 = nullptr;   // add to the end of an existing file
  QPushButton* Command1 = nullptr;  // save
  QPushButton* Command2 = nullptr;  // close
  QPushButton* Command3 = nullptr;  // print

 public slots:
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

 private:
  void Form_Load();
};

// The tag lines the save form starts from, in export form: the game's own
// (entete_pgn), or those built for a game without any (play/entete_partie.h,
// Event "Nouvelle partie", today's date); the result the game's; [SetUp "1"]
// and [FEN] for a game begun from a position of its own, so that its moves
// are numbered and replayed from there.
std::string entete_sauvegarde();

// Writes the game of the save form's text `texte` to `chemin`: as PGN, the
// text in export form; as XML, a game list of one game whose tags come from
// the text and whose movetext is the game in hand's. `ajoute` adds to an
// existing file. False with `erreur` set when the file cannot be written
// (or, for an XML addition, is not a game list).
bool ecrit_partie(const QString& chemin, const QString& texte, bool xml, bool ajoute, QString* erreur);

// The form, shown in the main window.
void affiche_sauve();
