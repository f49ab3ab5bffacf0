// The network messages: any bytes from the peer, cut at points the input
// chooses (each piece as long as its first byte says, then the bytes), as
// they arrive on a connection. Every message handed on begins with a verb,
// is no longer than the cap, and together they hold no more than arrived; a
// move message read gives squares of the board. The same bytes in one piece
// give the same messages: where the network cuts the stream changes nothing.
#include <algorithm>
#include <vector>

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

// The messages of `morceaux` read in turn, the sender silent after the last;
// false when the buffer went past its cap.
bool decoupe(const std::vector<QByteArray>& morceaux, std::vector<QByteArray>& messages) {
  ::reseau::Decoupeur d;
  d.pseudo_adverse(QStringLiteral("Bob"));
  QByteArray m;
  for (const QByteArray& morceau : morceaux) {
    if (!d.ajoute(morceau)) return false;
    if (d.en_attente() > ::reseau::Decoupeur::PLAFOND) faute("more than the cap waits");
    while (d.suivant(m, false)) messages.push_back(m);
    d.rejets();
  }
  while (d.suivant(m, true)) messages.push_back(m);
  return true;
}

}  // namespace

std::string reseau(const std::uint8_t* donnees, std::size_t taille) {
  std::vector<QByteArray> morceaux;
  QByteArray tout;
  std::size_t i = 0;
  while (i < taille) {
    const std::size_t longueur = std::min<std::size_t>(donnees[i] % 64 + 1, taille - i - 1);
    ++i;
    morceaux.emplace_back(reinterpret_cast<const char*>(donnees + i), static_cast<qsizetype>(longueur));
    tout += morceaux.back();
    i += longueur;
  }
  std::vector<QByteArray> messages;
  const bool entier = decoupe(morceaux, messages);
  std::string resume;
  qsizetype rendus = 0;
  for (const QByteArray& m : messages) {
    verifie_message(m, resume);
    rendus += m.size();
  }
  if (rendus > tout.size()) faute("the messages hold more than arrived");
  if (!entier) return resume + " coupé";
  std::vector<QByteArray> d_un_bloc;
  if (decoupe({tout}, d_un_bloc) && d_un_bloc != messages) faute("the stream cut gives other messages than in one piece");
  return resume;
}

}  // namespace fuzz
