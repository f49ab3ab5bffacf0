// The move lists of a correspondence game: the stored list and the move the
// user types from the opponent's mail, or the game on the board to send.
// Input: one byte of choices (bit 0: French letters, bit 1: the player has
// White, bit 2: a move to send rather than one received), then the stored
// list, a line break and the second text. Whatever comes, the shared board
// is left as it was; a list the rules read is written back to the same
// moves; a move taken gives a list that reads as the stored moves plus that
// one half-move, whose last move is the move taken.
#include <vector>

#include "chess/etat.h"
#include "correspondence/coups_corres.h"
#include "fuzz/cibles/cibles.h"
#include "platform/fichiers_texte.h"

namespace fuzz {

namespace {

// The half-moves of `texte` read with the rules; false when it does not replay.
bool lit_coups(const std::string& texte, int style, std::vector<std::string>& coups) {
  PartieLue p;
  const bool lu = p.lit(texte, style);
  coups = p.coups();
  return lu;
}

// Checks a list made by the program from the stored moves `avant` and one
// more half-move, `coup` being that move as the program gives it.
void verifie_liste_allongee(const QString& liste, const std::vector<std::string>& avant, const QString& coup,
                            int style, bool numero_blanc) {
  std::vector<std::string> apres;
  if (!lit_coups(liste.toStdString(), style, apres)) faute("a list made with a move taken does not replay: " + liste.toStdString());
  if (apres.size() != avant.size() + 1 || !std::equal(avant.begin(), avant.end(), apres.begin()))
    faute("a list made with a move taken is not the stored moves plus one: " + liste.toStdString());
  if (demi_coups_ecrits(liste) != static_cast<int>(apres.size()))
    faute("the half-moves counted differ from those read: " + liste.toStdString());
  // A received White move comes with its number ("3.Cc6").
  QString sans_numero = coup;
  if (numero_blanc && avant.size() % 2 == 0) {
    const QString numero = QString::number(avant.size() / 2 + 1) + QLatin1Char('.');
    if (!sans_numero.startsWith(numero)) faute("White's move taken comes without its number: " + coup.toStdString());
    sans_numero = sans_numero.mid(numero.size());
  }
  if (dernier_coup(liste) != sans_numero)
    faute("the last move of the list is not the move taken: " + liste.toStdString() + " / " + coup.toStdString());
}

std::string lit_et_verifie(const std::uint8_t* donnees, std::size_t taille) {
  const int notation = donnees[0] & 1 ? 1 : 2;
  const bool jai_blanc = donnees[0] & 2;
  const bool envoi = donnees[0] & 4;
  const QString entree =
      plateforme::decode_texte(QByteArray(reinterpret_cast<const char*>(donnees + 1), static_cast<qsizetype>(taille - 1)));
  const qsizetype saut = entree.indexOf(QLatin1Char('\n'));
  const QString stockes = saut < 0 ? entree : entree.left(saut);
  const QString second = saut < 0 ? QString() : entree.mid(saut + 1);

  std::vector<std::string> lus;
  const bool lisible = lit_coups(stockes.toStdString(), notation, lus);
  if (lisible) {
    const QString reecrit = QString::fromStdString(ecrit_coups(lus, notation));
    std::vector<std::string> relus;
    if (!lit_coups(reecrit.toStdString(), notation, relus) || relus != lus)
      faute("a list written back does not read as the same moves: " + reecrit.toStdString());
    if (demi_coups_ecrits(reecrit) != static_cast<int>(lus.size()))
      faute("the half-moves counted differ from those read: " + reecrit.toStdString());
    if (trait_au_joueur(reecrit, jai_blanc) != ((lus.size() % 2 == 0) == jai_blanc))
      faute("the turn does not follow the half-moves read: " + reecrit.toStdString());
  }

  QString erreur;
  if (envoi) {
    const std::optional<CoupEnvoye> e = coup_a_envoyer(stockes, notation, jai_blanc, second.toStdString(), &erreur);
    if (!e) {
      if (erreur.isEmpty()) faute("a move to send refused without a reason");
      return "envoi refusé";
    }
    if (!lisible) faute("a move was sent after a stored list that does not replay");
    verifie_liste_allongee(e->coups, lus, e->coup, notation, false);
    return "envoi " + e->coup.toStdString();
  }
  const std::optional<CoupRecu> r = coup_adverse(stockes, notation, jai_blanc, second, &erreur);
  if (!r) {
    if (erreur.isEmpty()) faute("a received move refused without a reason");
    return "reçu refusé";
  }
  if (!lisible) faute("a move was taken after a stored list that does not replay");
  verifie_liste_allongee(r->coups, lus, r->coup, notation, true);
  return "reçu " + r->coup.toStdString();
}

}  // namespace

std::string corres(const std::uint8_t* donnees, std::size_t taille) {
  if (taille == 0) return "vide";
  reinitialise_etat_jeu();
  const TableauCases plateau = tab_echiquier;
  const int trait = dernier_trait;
  const std::string verdict = lit_et_verifie(donnees, taille);
  if (!(tab_echiquier == plateau) || dernier_trait != trait) faute("reading a move list changed the board");
  return verdict;
}

}  // namespace fuzz
