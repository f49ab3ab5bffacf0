#include "gamefiles/liste_xml.h"

#include <QLocale>
#include <QXmlStreamReader>

#include "play/parametres.h"
#include "chess/messages.h"
#include "gamefiles/lecture_pgn.h"
#include "localisation/textes_langue.h"
#include "platform/langue_messages.h"

namespace pgn {

namespace {

const QString FIN = QStringLiteral("\r\n");

// The elements a game holds before its movetext, in their order.
const char* const ELEMENTS[] = {"Event", "Site",     "Date",     "Round", "White",    "Black",
                                "WhiteElo", "BlackElo", "ECO", "Opening", "Variation"};

QString echappe(const QString& valeur) {
  QString s;
  s.reserve(valeur.size());
  for (QChar c : valeur) {
    if (c == QLatin1Char('&'))
      s += QStringLiteral("&amp;");
    else if (c == QLatin1Char('<'))
      s += QStringLiteral("&lt;");
    else if (c == QLatin1Char('>'))
      s += QStringLiteral("&gt;");
    else if (c == QLatin1Char('"'))
      s += QStringLiteral("&quot;");
    else if (c == QLatin1Char('\''))
      s += QStringLiteral("&apos;");
    else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      s += QLatin1Char(' ');  // no control character is allowed in XML text
    else
      s += c;
  }
  return s;
}

// Appends one element, on its line, to the text of a game.
void ajoute_element(QString& s, const char* nom, const std::string& valeur) {
  const QLatin1String n(nom);
  s += QLatin1Char('<');
  s += n;
  s += QLatin1Char('>');
  s += echappe(QString::fromStdString(valeur));
  s += QLatin1String("</");
  s += n;
  s += QLatin1Char('>');
  s += FIN;
}

// A tag value as a PGN tag line writes it.
std::string echappe_tag(const std::string& v) {
  std::string s;
  for (char c : v) {
    if (c == '"' || c == '\\') s.push_back('\\');
    s.push_back(static_cast<unsigned char>(c) < 0x20 ? ' ' : c);
  }
  return s;
}

// The elements of a game that become its tags.
bool element_de_partie(const QString& nom) {
  if (nom == QLatin1String("Comment") || nom == QLatin1String("SetUp") || nom == QLatin1String("FEN")) return true;
  for (const char* e : ELEMENTS)
    if (nom == QLatin1String(e)) return true;
  return false;
}

// The encoding a list declares, in lower case ("utf-8" when it declares none).
QString encodage_declare(const QByteArray& document) {
  QXmlStreamReader x(document);
  while (!x.atEnd() && x.readNext() != QXmlStreamReader::StartDocument) {
  }
  const QString e = x.documentEncoding().toString().toLower();
  return e.isEmpty() ? QStringLiteral("utf-8") : e;
}

}  // namespace

QString debut_liste_xml(const QDateTime& quand) {
  const QLocale l = QLocale::system();
  return QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>") + FIN + QStringLiteral("<!-- ") +
         QString::fromLatin1(NOM_PROGRAMME) + QLatin1Char(' ') + texte_version() + QStringLiteral(" - ") +
         l.toString(quand.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         l.toString(quand.time(), QLocale::LongFormat) + QStringLiteral("-->") + FIN + QStringLiteral("<LIST>") + FIN;
}

QString fin_liste_xml() { return QStringLiteral("</LIST>") + FIN; }

QString partie_xml(const std::string& tags, const std::string& coups) {
  QString s = QStringLiteral("<GAME>") + FIN;
  for (const char* nom : ELEMENTS) ajoute_element(s, nom, valeur_tag_pgn(std::string("[") + nom, tags));
  // A game from a position of its own names it before its moves.
  if (const std::string fen = valeur_tag_pgn("[FEN", tags); !fen.empty() && valeur_tag_pgn("[SetUp", tags) != "0") {
    ajoute_element(s, "SetUp", "1");
    ajoute_element(s, "FEN", fen);
  }
  ajoute_element(s, "Move", coups);
  ajoute_element(s, "Comment", valeur_tag_pgn("[Comment", tags));
  return s + QStringLiteral("</GAME>") + FIN;
}

QByteArray octets_liste_xml(const QString& parties, const QDateTime& quand) {
  return en_latin1(debut_liste_xml(quand) + parties + fin_liste_xml()).toLatin1();
}

QString en_latin1(const QString& texte) {
  QString s;
  s.reserve(texte.size());
  for (qsizetype i = 0; i < texte.size(); ++i) {
    char32_t u = texte[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < texte.size() && texte[i + 1].isLowSurrogate()) {
      u = QChar::surrogateToUcs4(texte[i].unicode(), texte[i + 1].unicode());
      ++i;
    }
    // ISO-8859-1 holds 80..9F too, but as controls no text means: those and
    // everything above FF become references.
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
      s += QChar(static_cast<char16_t>(u));
    else if (QChar::isSurrogate(u) || u == 0xFFFE || u == 0xFFFF)
      s += QStringLiteral("&#65533;");  // a half pair names no character
    else
      s += QStringLiteral("&#%1;").arg(static_cast<uint>(u));
  }
  return s;
}

bool lit_liste_xml(const QByteArray& document, std::vector<PartieXml>& parties, QString* erreur) {
  parties.clear();
  if (document.size() > TAILLE_MAX_DOCUMENT_XML) {
    if (erreur) *erreur = texte(824).arg(TAILLE_MAX_DOCUMENT_XML / 1024);
    return false;
  }
  QXmlStreamReader x(document);
  // The open elements with the text met directly inside each.
  std::vector<std::pair<QString, QString>> pile;
  bool dans_partie = false;
  while (!x.atEnd()) {
    switch (x.readNext()) {
      case QXmlStreamReader::StartElement:
        if (x.name() == QLatin1String("GAME")) {
          parties.emplace_back();
          dans_partie = true;
        }
        pile.emplace_back(x.name().toString(), QString());
        break;
      case QXmlStreamReader::Characters:
        if (!pile.empty()) pile.back().second += x.text();
        break;
      case QXmlStreamReader::DTD:
        // A game list has no document type: declarations and entities are refused.
        x.raiseError(texte(894));
        break;
      case QXmlStreamReader::EndElement: {
        if (pile.empty()) break;
        const auto [nom, texte] = pile.back();
        pile.pop_back();
        if (nom == QLatin1String("GAME")) dans_partie = false;
        if (texte.trimmed().isEmpty()) break;  // no text, or the blanks between elements
        // Text outside any GAME makes a game of its own, until a GAME starts.
        if (!dans_partie) {
          parties.emplace_back();
          dans_partie = true;
        }
        PartieXml& p = parties.back();
        const std::string t = texte.toStdString();
        if (nom == QLatin1String("Move")) {
          p.coups = t;
        } else if (element_de_partie(nom)) {
          const std::string n = nom.toStdString();
          p.tags.emplace_back(n, t);
          p.lignes_tags.push_back("[" + n + " \"" + echappe_tag(t) + "\"]");
        }
        break;
      }
      default:
        break;
    }
  }
  if (x.hasError()) {
    // Qt's words after the program's.
    if (erreur) *erreur = plateforme::avec_detail(texte(897), x.errorString());
    parties.clear();
    return false;
  }
  return true;
}

bool ajoute_a_liste_xml(QByteArray& document, const QString& parties, QString* erreur) {
  auto refus = [&](const QString& pourquoi) {
    if (erreur) *erreur = pourquoi;
    return false;
  };
  auto pas_une_liste = [](const QString& pourquoi) { return plateforme::avec_detail(texte(895), pourquoi); };
  QXmlStreamReader x(document);
  bool racine = false;
  while (!x.atEnd()) {
    const QXmlStreamReader::TokenType t = x.readNext();
    if (t == QXmlStreamReader::DTD) x.raiseError(QStringLiteral("DTD"));
    if (t == QXmlStreamReader::StartElement && !racine) {
      racine = true;
      if (x.name() != QLatin1String("LIST")) x.raiseError(texte(896).arg(QStringLiteral("<LIST>")));
    }
  }
  if (x.hasError()) return refus(pas_une_liste(x.errorString()));
  if (!racine) return refus(pas_une_liste(texte(896).arg(QStringLiteral("<LIST>"))));
  const qsizetype fin = document.lastIndexOf("</LIST>");
  if (fin < 0) return refus(pas_une_liste(texte(896).arg(QStringLiteral("</LIST>"))));
  // The bytes of the games in the encoding the list declares; a character
  // that encoding lacks is written as a reference.
  const QString encodage = encodage_declare(document);
  const QString texte = en_latin1(parties);
  QByteArray octets;
  if (encodage == QLatin1String("utf-8") || encodage == QLatin1String("utf8")) {
    octets = texte.toUtf8();
  } else if (encodage == QLatin1String("iso-8859-1") || encodage == QLatin1String("latin1") ||
             encodage == QLatin1String("windows-1252") || encodage == QLatin1String("cp1252")) {
    octets = texte.toLatin1();
  } else {
    for (QChar c : texte)
      octets += c.unicode() < 0x80 ? QByteArray(1, static_cast<char>(c.unicode()))
                                   : QStringLiteral("&#%1;").arg(c.unicode()).toLatin1();
  }
  document.insert(fin, octets);
  return true;
}

}  // namespace pgn
