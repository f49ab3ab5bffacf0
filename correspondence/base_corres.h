// Table PARTIE of the correspondence base (file base_corres): one row per
// game. Every operation opens the file, does its work with bound values and
// closes it again; nothing stays open between two operations. Dates are kept
// as text "yyyy-mm-dd" and shown "dd/mm/yyyy". Errors are thrown as
// plateforme::ErreurBase.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

struct PartieCorres {
  qint64 cle = 0;
  QVariant cle_adverse;  // a number, or null when none was given
  QString lieu;
  bool jai_blanc = false;
  QString blanc, noir, mel_blanc, mel_noir;
  QVariant elo_blanc, elo_noir;  // numbers or null
  QDate debut, fin;              // null when empty
  QString resultat;
  bool avertir = false;
  QString coups;                 // column Move
  int notation = 0;              // 1 French letters, 2 English, anything else none
  QDate date_envoi, date_recu;
  QString dernier_envoye, dernier_recu;
};

// Every game, the latest start date first.
std::vector<PartieCorres> lit_parties(const QString& chemin);
// The game of key `cle`, or nothing when no row has it.
std::optional<PartieCorres> lit_partie(const QString& chemin, qint64 cle);
// Adds the game (its key is given by the base) and returns its key.
qint64 ajoute_partie(const QString& chemin, const PartieCorres& p);
// Writes the game's description over row p.cle: every column the manager
// edits (the moves only when `p.coups` is not empty; the end date, the
// opponent's reference and the result as given, empty clearing them).
// False when no row has the key.
bool modifie_partie(const QString& chemin, const PartieCorres& p);
// Deletes row `cle`; false when there was none.
bool supprime_partie(const QString& chemin, qint64 cle);
// After a move sent: the move list, the date sent and the move sent.
bool enregistre_coup_envoye(const QString& chemin, qint64 cle, const QString& coups, const QString& coup,
                            const QDate& jour);
// After the opponent's move: the move list, the date received and the move.
bool enregistre_coup_recu(const QString& chemin, qint64 cle, const QString& coups, const QString& coup,
                          const QDate& jour);

// Dates: the stored form, the shown form, and reading either (a stored
// text that is neither gives a null date).
QString date_stockee(const QDate& d);
QString date_affichee(const QDate& d);
QDate lit_date(const QString& texte);
// A reference as shown: four digits at least ("0007"), empty for none.
QString reference(const QVariant& valeur);
