// The network messages: any bytes from the peer, cut at points the input
// chooses (each piece as long as its first byte says, then the bytes), as
// they arrive on a connection. Every message handed on begins with a verb,
// is no longer than the cap, and together they hold no more than arrived; a
// move message read gives squares of the board.
#include <algorithm>

#include "fuzz/cibles/cibles.h"
#include "network/protocole.h"

namespace fuzz {

namespace {

void verifie_message(const QByteArray& m, std::string& resume) {
  if (m.isEmpty()) faute("an empty message");
  if (m.size() > ::reseau::Decoupeur::TAILLE_MAX) faute("a message over the cap");
  if (!QByteArray("?@-#>/!").contains(m[0])) faute("a message that begins with no verb");
  const QString texte = ::reseau::depuis_octets(m);
  if (::reseau::vers_octets(texte) != m) faute("a message does not go back to its bytes");
  ::reseau::CoupRecu coup;
  if (m[0] == '#' && ::reseau::lit_coup(texte, coup)) {
    for (int d : {coup.col_s, coup.lig_s, coup.col_d, coup.lig_d})
      if (d < 1 || d > 8) faute("a move message read off the board");
    ::reseau::type_promotion(coup.promotion);
  }
  resume += m[0];
}

}  // namespace

std::string reseau(const std::uint8_t* donnees, std::size_t taille) {
  ::reseau::Decoupeur d;
  d.pseudo_adverse(QStringLiteral("Bob"));
  std::string resume;
  qsizetype recus = 0, rendus = 0;
  std::size_t i = 0;
  while (i < taille) {
    const std::size_t longueur = std::min<std::size_t>(donnees[i] % 64 + 1, taille - i - 1);
    ++i;
    const QByteArray morceau(reinterpret_cast<const char*>(donnees + i), static_cast<qsizetype>(longueur));
    i += longueur;
    recus += morceau.size();
    if (!d.ajoute(morceau)) return resume + " coupé";
    if (d.en_attente() > ::reseau::Decoupeur::PLAFOND) faute("more than the cap waits");
    QByteArray m;
    while (d.suivant(m, false)) {
      verifie_message(m, resume);
      rendus += m.size();
    }
    d.rejets();
  }
  QByteArray m;
  while (d.suivant(m, true)) {
    verifie_message(m, resume);
    rendus += m.size();
  }
  if (rendus > recus) faute("the messages hold more than arrived");
  return resume;
}

}  // namespace fuzz
