#include "correspondence/champs_corres.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

#include "chess/etat.h"
#include "correspondence/message.h"
#include "chess/outils.h"
#include "platform/boites.h"
#include "play/position_presse_papiers.h"

namespace {
QDate& jour_essai() {
  static QDate d;
  return d;
}

class SelectionAuFocus : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* objet, QEvent* e) override {
    if (e->type() == QEvent::FocusIn)
      if (auto* l = qobject_cast<QLineEdit*>(objet)) QTimer::singleShot(0, l, [l] { l->selectAll(); });
    return false;
  }
};
}  // namespace

QDate aujourdhui() { return jour_essai().isValid() ? jour_essai() : QDate::currentDate(); }
void fixe_aujourdhui_essai(const QDate& jour) { jour_essai() = jour; }

std::optional<QDate> date_saisie(const QString& texte) {
  static const QRegularExpression forme(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})$"));
  const QRegularExpressionMatch m = forme.match(texte.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  std::string annee = m.captured(3).toStdString();
  if (annee.size() == 2) {
    // The widening of the rules' short dates: "01/01/75" gives 1975.
    const std::string large = date_quatre_chiffres("01/01/" + annee);
    annee = large.substr(large.size() - 4);
  }
  // Digits of other scripts match the pattern but are no year here (0: no date).
  const QDate d(QString::fromStdString(annee).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
  if (!d.isValid()) return std::nullopt;
  return d;
}

QString jours_signes(const QDate& debut, const QDate& fin) {
  const qint64 n = debut.daysTo(fin);
  return n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n);
}

bool est_numerique(const QString& texte) {
  static const QRegularExpression forme(QStringLiteral("^[+-]?\\d{1,9}$"));
  return forme.match(texte.trimmed()).hasMatch();
}

ChampDate::ChampDate(QLineEdit* champ, bool vide_si_invalide)
    : QObject(champ), champ_(champ), vide_si_invalide_(vide_si_invalide) {
  champ->installEventFilter(this);
}

bool ChampDate::verifie() {
  const QString t = champ_->text();
  if (t.isEmpty()) return true;
  if (const std::optional<QDate> d = date_saisie(t)) {
    champ_->setText(d->toString(QStringLiteral("dd/MM/yyyy")));
    return true;
  }
  // The field is put right before the box shows: the box taking the focus
  // away again finds nothing more to say.
  champ_->setText(vide_si_invalide_ ? QString() : aujourdhui().toString(QStringLiteral("dd/MM/yyyy")));
  plateforme::boite_message(QStringLiteral("Date au format jj/mm/aaaa SVP !"), boite::EXCLAMATION,
                            QStringLiteral("Attention"));
  QLineEdit* c = champ_;
  QTimer::singleShot(0, c, [c] { c->setFocus(); });
  return false;
}

bool ChampDate::eventFilter(QObject* objet, QEvent* e) {
  if (objet != champ_) return false;
  switch (e->type()) {
    case QEvent::FocusIn:
      QTimer::singleShot(0, champ_, [c = champ_] { c->selectAll(); });
      break;
    case QEvent::FocusOut:
      verifie();
      break;
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(e);
      const QString tape = k->text();
      const bool chiffre = tape.size() == 1 && tape[0].isDigit();
      if (chiffre) {
        if (champ_->text().size() == 2 || champ_->text().size() == 5) {
          champ_->setText(champ_->text() + QLatin1Char('/'));
          champ_->end(false);
        }
      } else if ((k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Delete || (!tape.isEmpty() && tape[0].isPrint())) &&
                 !champ_->text().isEmpty()) {
        // Another key replaces the last character (Backspace takes one more).
        champ_->setText(champ_->text().chopped(1));
        champ_->end(false);
      }
      break;
    }
    default:
      break;
  }
  return false;
}

void selection_au_focus(QLineEdit* champ) { champ->installEventFilter(new SelectionAuFocus(champ)); }

std::optional<QString> diagramme_position(const QString& chaine, int style, QString* refus) {
  TableauCases cases;
  if (!lit_chaine_position(chaine, cases, refus)) return std::nullopt;
  return diagramme_courriel(chaine.trimmed(), style);
}
