// The new-version check: the window release fetches the new-version document
// from the address of the setting VERSION_XML, lists every text it holds,
// compares the VERSION it announces with the program's own version and says
// whether the program is up to date. Nothing is downloaded or installed.
//
// The window exists once (fenetres::instance<release>()) and is shown without
// waiting for it to close. Closing it during a check abandons the transfer.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QPlainTextEdit;
class QPushButton;

namespace plateforme {
class Telechargement;
}

// The last VERSION text of a document, trimmed; cleared when a check starts,
// so that a failed check never shows the verdict of an earlier one.
extern QString version_distante;

// Compares an announced version ("5.0.2", blanks around the text or its
// numbers allowed, missing numbers taken as 0) with the program's own
// major.minor.revision, number by number: 1 when the announced one is newer,
// 0 when they are the same, -1 when it is older; nothing when the text is
// not a version.
std::optional<int> compare_version(const QString& annoncee, int majeure, int mineure, int revision);

// What the new-version document holds: each text, in document order, as
// "ELEMENT [text]" under the name of the element that holds it; the last
// VERSION, AUTEUR and DATE texts, trimmed. A document that is not
// well-formed XML keeps the lines read before the fault, announces no
// version and says where it went wrong in `erreur` (empty otherwise).
struct DocumentVersion {
  QStringList lignes;
  QString version;
  QString auteur;
  QString date;
  QString erreur;
};
DocumentVersion lit_document_version(const QByteArray& document);

class release : public QDialog {
  Q_OBJECT

 public:
  release();

  QPushButton* Command2 = nullptr;  // start the check
  QPushButton* Command1 = nullptr;  // close
  QPlainTextEdit* contenu = nullptr;  // the report

  // The transfer of the check under way, or nullptr.
  plateforme::Telechargement* telechargement = nullptr;

  // Runs the check on `adresse`: the report goes into contenu, a failure
  // shows its reason in a message box and leaves Command2 enabled.
  void verifie_version(const QString& adresse);

  // The separator line of the report.
  static QString separateur();

 public slots:
  void Command1_Click();
  void Command2_Click();

 private:
  void Form_Load();
  void document_recu(const QByteArray& document);
  void echec(const QString& raison);
  void ajoute(const QString& ligne);
  void fin_transfert();
  QString auteur_;
  QString date_;
};
