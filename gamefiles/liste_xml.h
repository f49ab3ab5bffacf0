// XML game lists: the file the save form and the conversion write and the
// address form reads.
//
//   <?xml version="1.0" encoding="ISO-8859-1" ?>
//   <!-- Morvandel 5.0.1 - <date> <time>-->
//   <LIST>
//   <GAME>
//   <Event>...</Event>  ... <Variation>...</Variation>   (one line each)
//   <SetUp>1</SetUp> <FEN>...</FEN>   (one line each, only for a game that
//                                      starts from a position of its own)
//   <Move>1.e4 e5 1-0</Move>
//   <Comment>...</Comment>
//   </GAME>
//   </LIST>
//
// Every line ends with CRLF. Values are escaped ("&", "<", ">", quotes),
// control characters become blanks, and the bytes are ISO-8859-1 as
// declared: a character outside it is written as a character reference
// ("&#8364;"), so any file written is well-formed.
//
// Reading takes a document of at most TAILLE_MAX_DOCUMENT_XML bytes, with no
// document type declaration (so no entity of its own, nothing fetched from
// elsewhere); only the elements of a game (Event to Variation, SetUp, FEN,
// Comment) become tags, Move its movetext. A reader that knows only the
// elements of every game passes SetUp and FEN by; one that turns every
// element into a tag gets the PGN tags of the same names.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <string>
#include <vector>

namespace pgn {

constexpr qsizetype TAILLE_MAX_DOCUMENT_XML = 4 * 1024 * 1024;

// The declaration, the comment with the program's version and `quand`, and
// "<LIST>".
QString debut_liste_xml(const QDateTime& quand);
// "</LIST>" and its line end.
QString fin_liste_xml();
// One game: the elements Event to Variation taken from the tag lines
// `tags`, SetUp and FEN when the tags give a start position (a FEN tag, SetUp
// not "0"), then Move (`coups`: movetext and result), then Comment.
QString partie_xml(const std::string& tags, const std::string& coups);
// The bytes of a new list holding `parties` (whole GAME elements), written
// `quand`: ISO-8859-1 as declared, whatever other encoding the bytes might
// also be read in.
QByteArray octets_liste_xml(const QString& parties, const QDateTime& quand);
// The text with every character outside ISO-8859-1's printable range made a
// character reference: what is left is written the same in ISO-8859-1 and
// in Windows-1252, the program's file code page.
QString en_latin1(const QString& texte);

// One game of a document: its tag lines ("[Name \"value\"]", the element
// names as written) and its movetext.
struct PartieXml {
  std::vector<std::string> lignes_tags;
  std::vector<std::pair<std::string, std::string>> tags;
  std::string coups;
};

// The games of an XML document: every element of a game holding text gives
// a tag of its game, named as the element, except Move, which gives the
// movetext; an element GAME starts a game (text outside any GAME makes one
// game). False with `erreur` set when the document is not well-formed, too
// large or declares a document type.
bool lit_liste_xml(const QByteArray& document, std::vector<PartieXml>& parties, QString* erreur = nullptr);

// Adds `parties` (whole GAME elements) to the bytes of an XML game list,
// before its closing "</LIST>", in the encoding the list declares, so that
// it stays one list. False with `erreur` set, the bytes unchanged, when they
// are not a well-formed game list.
bool ajoute_a_liste_xml(QByteArray& document, const QString& parties, QString* erreur = nullptr);

}  // namespace pgn
