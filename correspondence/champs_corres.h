// What the correspondence windows share: the date fields with their typing
// and checking rules, the numeric fields, and the text diagram of a pasted
// position string.
#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <optional>

class QLineEdit;

// The date of a typed text: day, month and year separated by "/", a
// two-digit year widened (19yy from 50 up, 20yy below). Nothing otherwise.
std::optional<QDate> date_saisie(const QString& texte);

// Today, or the day the tests fix.
QDate aujourdhui();
void fixe_aujourdhui_essai(const QDate& jour);  // a null date gives the clock back

// Days from `debut` to `fin` as the description shows them: one blank before
// a count of zero or more, "-" before a negative one.
QString jours_signes(const QDate& debut, const QDate& fin);

// A numeric field's text: digits, with a sign at most, blanks around.
bool est_numerique(const QString& texte);

// The rules of a date field, installed on it: the whole text selected when it
// gets the focus; "/" added after the day and the month as digits are typed;
// any other key first removes the last character; when it loses the focus a
// text that is not a date gives "Date au format jj/mm/aaaa SVP !" and the
// field becomes today's date (or empty, `vide_si_invalide`) and takes the
// focus back, a date is written "dd/mm/yyyy".
class ChampDate : public QObject {
  Q_OBJECT
 public:
  ChampDate(QLineEdit* champ, bool vide_si_invalide);
  // The check of leaving the field; false when the text was no date.
  bool verifie();

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  QLineEdit* champ_;
  bool vide_si_invalide_;
};

// Selects the whole text of `champ` each time it gets the focus.
void selection_au_focus(QLineEdit* champ);

// The text diagram of a 64-character position string (column by column, as
// the board showed it), eight lines of "x " squares each ended by CRLF, in
// the letters of `style` (English for a style without letters). Nothing when
// the text is not a position string the paste command would take
// (lit_chaine_position, the side to move unknown); then `refus` holds its
// message, or is empty when the text is no position string at all.
std::optional<QString> diagramme_position(const QString& chaine, int style, QString* refus = nullptr);
