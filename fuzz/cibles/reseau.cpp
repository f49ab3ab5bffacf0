// The network messages: any bytes from the peer, cut at points the input
// chooses (each piece as long as its first byte says, then the bytes), as
// they arrive on a connection. Every message handed on begins with a verb
// (but the late bytes of a chat line or a move shown before), is no longer
// than the cap, and together they hold no more than arrived; a move message
// read gives squares of the board. The same bytes in one piece give the same
// messages: where the network cuts the stream changes nothing. With the
// sender quiet between the pieces the same promises hold.
#include <algorithm>
#include <vector>

#include "fuzz/cibles/cibles.h"
#include "network/protocole.h"

namespace fuzz {

namespace {

void verifie_message(const QByteArray& m, bool suite, std::string& resume) {
  if (m.isEmpty()) faute("an empty message");
  if (m.size() > ::reseau::Decoupeur::TAILLE_MAX) faute("a message over the cap");
  if (suite) {
    resume += '+';
    return;
  }
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

struct Morceau {
  QByteArray octets;
  bool suite = false;
  bool operator==(const Morceau&) const = default;
};

// The messages of `morceaux` read in turn (the sender quiet after each when
// `pauses`), the sender silent after the last until the long wait is over;
// false when the buffer went past its cap.
bool decoupe(const std::vector<QByteArray>& morceaux, bool pauses, std::vector<Morceau>& messages) {
  ::reseau::Decoupeur d;
  d.pseudo_adverse(QStringLiteral("Bob"));
  Morceau m;
  for (const QByteArray& morceau : morceaux) {
    if (!d.ajoute(morceau)) return false;
    if (d.en_attente() > ::reseau::Decoupeur::PLAFOND) faute("more than the cap waits");
    while (d.suivant(m.octets, pauses, &m.suite)) messages.push_back(m);
    d.rejets();
  }
  while (d.suivant(m.octets, true, &m.suite)) messages.push_back(m);
  d.fin_attente();
  while (d.suivant(m.octets, true, &m.suite)) messages.push_back(m);
  if (d.en_attente() != 0) faute("bytes still wait after the long wait");
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
  std::string resume;
  bool entier = true;
  for (const bool pauses : {false, true}) {
    std::vector<Morceau> messages;
    const bool tout_lu = decoupe(morceaux, pauses, messages);
    std::string r;
    qsizetype rendus = 0;
    for (const Morceau& m : messages) {
      verifie_message(m.octets, m.suite, r);
      rendus += m.octets.size();
    }
    if (rendus > tout.size()) faute("the messages hold more than arrived");
    if (pauses) continue;
    resume = r;
    entier = tout_lu;
    std::vector<Morceau> d_un_bloc;
    if (entier && decoupe({tout}, false, d_un_bloc) && d_un_bloc != messages)
      faute("the stream cut gives other messages than in one piece");
  }
  return entier ? resume : resume + " coupé";
}

}  // namespace fuzz
