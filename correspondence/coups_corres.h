// The moves of a correspondence game as the correspondence base keeps them:
// one move list ("1.e4 e5 2.Cf3") in the game's own letters (1 French,
// 2 English), White's moves with their number. Every list is read by playing
// it from the start position with the rules, on a copy of the shared board
// that is put back afterwards, so a list is stored only when it replays.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

// The last move of a move list, without its move number: "Cf3" for
// "1.e4 e5 2.Cf3", "exd6e.p." for "4...c5 5.exd6e.p.", "" for "".
QString dernier_coup(const QString& coups);

// The number of half-moves written in a move list (move numbers, results and
// annotations are not moves). The rules are not asked.
int demi_coups_ecrits(const QString& coups);

// The turn of a running game: true when the player is to move, that is when
// as many half-moves are written as leave the player's colour to move
// (White begins). Two equal moves in a row are counted as two.
bool trait_au_joueur(const QString& coups, bool jai_blanc);

// A move list read with the rules.
class PartieLue {
 public:
  PartieLue();
  ~PartieLue();
  PartieLue(const PartieLue&) = delete;
  PartieLue& operator=(const PartieLue&) = delete;

  // Plays the moves of `texte` (letters of `style`: 1 French, otherwise
  // English) after those already read. Move numbers and annotations are
  // skipped, a result ends the text. False at the first token that is no
  // legal move of the side to move; fautif() names it and the moves before
  // it stay read.
  bool lit(const std::string& texte, int style);
  // Plays one move token of the side to move, with its move number when it
  // has one: the number must then be that of the move and say the right side
  // ("5." White, "5..." Black).
  bool joue_numerote(const std::string& jeton, int style);

  // The half-moves read, each in English letters without number ("Nf3").
  const std::vector<std::string>& coups() const { return coups_; }
  // 2 White or 3 Black: the side to move now.
  int trait() const;
  const std::string& fautif() const { return fautif_; }

 private:
  bool joue(const std::string& jeton, int style);
  struct Garde;
  Garde* garde_;
  std::vector<std::string> coups_;
  std::string fautif_;
};

// A short move text of English letters ("Nbd2", "e8=Q+", "O-O") in the
// letters of `style` (1 French: "Cbd2", "e8=D+"; otherwise unchanged).
std::string en_lettres(const std::string& court_anglais, int style);

// The move list of `coups` (English, without numbers) in the letters of
// `style`: "1.e4 e5 2.Cf3".
std::string ecrit_coups(const std::vector<std::string>& coups, int style);

// The move sent after the player's move on the board.
struct CoupEnvoye {
  QString coups;  // the whole move list to store, in the game's letters
  QString coup;   // the move just played, in the game's letters, without number
};

// Checks that the game on the board, `partie` (texte_partie: the stored
// moves as they were loaded, followed by the moves played on the board in
// English letters), is the stored list `stockes` (letters of `notation`)
// followed by exactly one half-move, of the player's colour. Otherwise
// nothing and `erreur` says why.
std::optional<CoupEnvoye> coup_a_envoyer(const QString& stockes, int notation, bool jai_blanc,
                                         const std::string& partie, QString* erreur);

// The opponent's move received by mail.
struct CoupRecu {
  QString coups;  // the stored list followed by the move, in the game's letters
  QString coup;   // the move as stored: "3.Cc6" for White, "Cc6" for Black
};

// Checks the opponent's move `saisi` (game letters, its number when it is
// White's) by replaying the stored list `stockes` and the move with the
// rules: the stored list must replay, the opponent must be to move and the
// move must be legal. Otherwise nothing and `erreur` says why.
std::optional<CoupRecu> coup_adverse(const QString& stockes, int notation, bool jai_blanc, const QString& saisi,
                                     QString* erreur);
