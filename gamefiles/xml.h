// The form that loads a game published as an XML game list
// (gamefiles/liste_xml.h) at a web address: the address is typed in or
// picked from a list read from a URL list file; the document is fetched in
// the background (15 seconds at most, counted by Timer1) and its game made
// the game in hand, replayed on the board window.
//
// URL list file: text, one address per line (a comma is part of it; double
// quotes around a line are taken off); a line beginning with "#" is a
// remark, an empty line is skipped.
//
// A document of several games gives its last game, with its own tags; the
// message says which it is, and the board window's game list shows them all,
// so that a double-click loads another. The game in hand is changed only once
// a game has arrived; closing the form ends a transfer under way.
#pragma once

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace plateforme {
class Minuterie;
class Telechargement;
}  // namespace plateforme

class xml : public QWidget {
  Q_OBJECT

 public:
  xml();
  ~xml() override;

  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;  // the address
  QPushButton* Command2 = nullptr;  // fetch and load
  QPushButton* Command1 = nullptr;  // close
  QGroupBox* Frame1 = nullptr;
  QListWidget* List1 = nullptr;     // the addresses of a URL list file
  QPushButton* Command3 = nullptr;  // read a URL list file
  plateforme::Minuterie* Timer1 = nullptr;  // one tick a second while a document is awaited
  int compteur_attente = 0;

  // The transfer under way (null between loads).
  plateforme::Telechargement* telechargement() const { return telechargement_; }

 public slots:
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void List1_Click();
  void Text1_Change();
  void Timer1_Timer();

 private:
  void Form_Load();
  void arrivee(const QByteArray& document);
  void echec();
  void fin_attente();

  plateforme::Telechargement* telechargement_ = nullptr;
  QString adresse_;
};

namespace pgn {
struct PartieLue;
struct PartieXml;
}  // namespace pgn

// A game of an XML document as the loader and the game list take it.
pgn::PartieLue partie_du_document(const pgn::PartieXml& p);

// The addresses of the lines of a URL list file.
QStringList adresses_url(const QStringList& lignes);

// The form, shown in the main window.
void affiche_xml();
