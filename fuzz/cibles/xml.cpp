// The XML game list reader: any bytes as a document fetched or opened. Each
// game it finds, written back as the save form writes a game list, is a
// well-formed document that reads back to one game with the same moves.
#include <QDateTime>
#include <string>
#include <vector>

#include "fuzz/cibles/cibles.h"
#include "gamefiles/liste_xml.h"
#include "platform/fichiers_texte.h"

namespace fuzz {

namespace {

// The text as the writer keeps it: no control character is allowed in XML
// text, each becomes a blank (a line end or a tab between two moves stays a
// separation).
std::string sans_controles(std::string s) {
  std::erase(s, '\r');
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  // Blanks at either end are no part of the moves.
  const std::size_t debut = s.find_first_not_of(' ');
  return debut == std::string::npos ? std::string() : s.substr(debut, s.find_last_not_of(' ') - debut + 1);
}

}  // namespace

std::string xml(const std::uint8_t* donnees, std::size_t taille) {
  std::vector<pgn::PartieXml> parties;
  QString erreur;
  const bool lu = pgn::lit_liste_xml(
      QByteArray(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille)), parties, &erreur);
  if (!lu) {
    if (!parties.empty()) faute("a broken document still gives games");
    return "erreur";
  }
  const QDateTime quand(QDate(2026, 12, 9), QTime(18, 0));
  for (const pgn::PartieXml& p : parties) {
    std::string tags;
    for (const std::string& l : p.lignes_tags) tags += l + "\r\n";
    const QByteArray ecrit = plateforme::encode_texte(pgn::en_latin1(pgn::debut_liste_xml(quand)) +
                                                      pgn::en_latin1(pgn::partie_xml(tags, p.coups)) +
                                                      pgn::fin_liste_xml());
    std::vector<pgn::PartieXml> relues;
    QString pourquoi;
    if (!pgn::lit_liste_xml(ecrit, relues, &pourquoi))
      faute("a game written as XML is not well-formed: " + pourquoi.toStdString());
    if (relues.size() > 1) faute("one game written reads as several");
    const std::string coups = relues.empty() ? std::string() : relues.front().coups;
    if (sans_controles(coups) != sans_controles(p.coups))
      faute("the moves of a game change once written: " + p.coups);
  }
  return std::to_string(parties.size()) + " parties";
}

}  // namespace fuzz
