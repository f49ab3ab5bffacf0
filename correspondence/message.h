// The e-mail window `message`: composes a mail, lets the user edit it and
// attach files, and sends it through the system's mail transport
// (platform/courriel.h). What it composes depends on `message_mode`
// (play/parametres.h) when the window opens:
//   1 the correspondence move mail of the game prepared in `prepare`,
//   2 the FEN text of the position on the board,
//   3 an empty mail.
// Only a move mail that was sent changes the game's row in PARTIE; a mail
// that was not sent changes nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// What a move mail says of its game: the fields of the correspondence
// manager for the game selected there, as it shows them, and the position
// the player pasted into `prepare`.
struct FicheCoup {
  int cle = 0;                // Cle of the game's row
  bool j_ai_les_blancs = false;
  QString ref_locale;         // Text5, "0000"
  QString ref_distante;       // Text17
  QString blanc, noir;        // Text2, Text3
  QString mel_blanc, mel_noir;  // Text4, Text1
  QString date_debut;         // MaskEdBox3
  QString duree;              // Text10
  QString dernier_envoye, date_envoi;  // Text13, Text8
  QString dernier_recu, date_recu;     // Text14, Text11
  QString coups;              // Text9: the stored move list
  QString resultat;           // Text12
  QString chaine_position;    // the 64 piece codes pasted in prepare's Text1
  QString partie;             // the game with the move played, in its own letters (empty: texte_partie)
};

// What the window reaches of the other correspondence windows, filled by
// the wiring.
struct LiensMessage {
  // The game of a move mail; nothing (after telling the user why) when the
  // manager, its selected game or the prepared move is missing.
  std::function<std::optional<FicheCoup>()> fiche_coup;
  // Records a sent move in the game's row and refreshes the manager; false
  // (after showing why) when nothing could be recorded.
  std::function<bool(const FicheCoup& fiche)> enregistre_coup_envoye;
};
LiensMessage& liens_message();

// The subject of a move mail: program name, " - ", text 440, " ", the
// opponent's reference, "/", the player's own, text 498.
QString sujet_coup(const FicheCoup& fiche);
// The recipient of a move mail: the opponent's address.
QString destinataire_coup(const FicheCoup& fiche);
// The body of a move mail, every line ended by CRLF; `date_envoi` is today
// in the system's short form, `texte_partie` the game with the move played.
QString corps_coup(const FicheCoup& fiche, const QString& date_envoi, const QString& texte_partie);
// The text diagram of a position string: eight lines top row first, each
// square a piece letter of `style` (English letters for style 0) and a
// blank, each line ended by CRLF.
QString diagramme_courriel(const QString& chaine, int style);

class message : public QDialog {
  Q_OBJECT
 public:
  message();
  ~message() override;

  QLabel* Label3 = nullptr;
  QLineEdit* txtTo = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* txtsubject = nullptr;
  QPlainTextEdit* txtNoteText = nullptr;
  QLabel* txtfic = nullptr;
  QPushButton* Send = nullptr;
  QPushButton* Attach = nullptr;
  QPushButton* Command1 = nullptr;

  // The mode the window was composed in (it acts by it until it closes).
  int mode() const { return mode_; }
  // The files attached so far, in order.
  const QStringList& pieces_jointes() const { return pieces_; }

 public slots:
  void Attach_Click();
  void Send_Click();
  void Command1_Click();

 private:
  friend void montre_message();
  // False when the window must not stay open (no mail transport, no game
  // to write about).
  bool Form_Load();

  int mode_ = 3;
  QStringList pieces_;
  std::optional<FicheCoup> fiche_;
};

// Shows the window `message`: created and composed by `message_mode` on
// first use, brought forward when it is already open.
void montre_message();
