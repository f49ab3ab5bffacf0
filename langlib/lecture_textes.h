// Reading one language file of langlib/textes/ (see textes/README).
//
// One text a line: the text number in decimal digits, one tab, the text.
// The text runs to the end of the line and keeps its leading and trailing
// blanks; "\n" stands for a line break, "\t" for a tab, "\\" for a
// backslash. Blank lines and lines beginning with "#" are skipped. The file
// is UTF-8, with or without a byte-order mark, with LF or CRLF line ends.
//
// Used by the build step that compiles the texts into the library, so it
// needs nothing but the standard library.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace mvdlang {

// Text numbers run from 1 to 989, so that a language's ids (index × 1000 +
// 10 + number) never reach the next language.
inline constexpr int NUMERO_TEXTE_MAX = 989;

// The eight languages in id order: index 0 French ... 7 Polish.
inline constexpr const char* CODES_LANGUES[8] = {"fr", "en", "it", "es", "de", "pt", "ru", "pl"};

// Index of a language code ("fr" ... "pl"), -1 when unknown.
inline int indice_langue(std::string_view code) {
  for (int i = 0; i < 8; ++i)
    if (code == CODES_LANGUES[i]) return i;
  return -1;
}

// True when `octets` is well-formed UTF-8 (no overlong form, no surrogate,
// nothing above U+10FFFF).
inline bool utf8_valide(std::string_view octets) {
  size_t i = 0;
  const size_t n = octets.size();
  while (i < n) {
    const auto c = static_cast<unsigned char>(octets[i]);
    int suite;
    unsigned long point;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      suite = 1;
      point = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      suite = 2;
      point = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      suite = 3;
      point = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(suite) >= n) return false;
    for (int k = 1; k <= suite; ++k) {
      const auto s = static_cast<unsigned char>(octets[i + k]);
      if ((s & 0xC0) != 0x80) return false;
      point = (point << 6) | (s & 0x3F);
    }
    if ((suite == 2 && point < 0x800) || (suite == 3 && point < 0x10000) || point > 0x10FFFF ||
        (point >= 0xD800 && point <= 0xDFFF))
      return false;
    i += static_cast<size_t>(suite) + 1;
  }
  return true;
}

// Expands the escapes of a text. False, with `erreur` set, on a backslash
// followed by anything but "n", "t" or "\".
inline bool developpe_echappements(std::string_view brut, std::string& texte, std::string& erreur) {
  texte.clear();
  for (size_t i = 0; i < brut.size(); ++i) {
    if (brut[i] != '\\') {
      texte += brut[i];
      continue;
    }
    if (i + 1 >= brut.size()) {
      erreur = "backslash at the end of the text (write \\\\ for a backslash)";
      return false;
    }
    const char suivant = brut[++i];
    if (suivant == 'n') texte += '\n';
    else if (suivant == 't') texte += '\t';
    else if (suivant == '\\') texte += '\\';
    else {
      erreur = std::string("unknown escape \\") + suivant + " (only \\n, \\t and \\\\ exist)";
      return false;
    }
  }
  return true;
}

// Reads the whole content of a language file into `textes` (number -> text).
// False on the first fault, with `erreur` = "line N: what is wrong".
inline bool lit_textes(std::string_view contenu, std::map<int, std::string>& textes, std::string& erreur) {
  textes.clear();
  if (contenu.substr(0, 3) == "\xEF\xBB\xBF") contenu.remove_prefix(3);
  if (!utf8_valide(contenu)) {
    // Find the line for the message.
    int numero_ligne = 1;
    size_t debut = 0;
    while (debut <= contenu.size()) {
      size_t fin = contenu.find('\n', debut);
      if (fin == std::string_view::npos) fin = contenu.size();
      if (!utf8_valide(contenu.substr(debut, fin - debut))) break;
      debut = fin + 1;
      ++numero_ligne;
    }
    erreur = "line " + std::to_string(numero_ligne) + ": not UTF-8 (save the file as UTF-8)";
    return false;
  }
  int numero_ligne = 0;
  size_t debut = 0;
  while (debut < contenu.size()) {
    size_t fin = contenu.find('\n', debut);
    if (fin == std::string_view::npos) fin = contenu.size();
    std::string_view ligne = contenu.substr(debut, fin - debut);
    debut = fin + 1;
    ++numero_ligne;
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    const auto lieu = [&] { return "line " + std::to_string(numero_ligne) + ": "; };
    if (ligne.empty() || ligne.front() == '#') continue;

    size_t chiffres = 0;
    while (chiffres < ligne.size() && ligne[chiffres] >= '0' && ligne[chiffres] <= '9') ++chiffres;
    if (chiffres == 0 || chiffres >= ligne.size() || ligne[chiffres] != '\t') {
      erreur = lieu() + "expected the text number, one tab, then the text";
      return false;
    }
    if (chiffres > 4) {
      erreur = lieu() + "text number out of range 1 to " + std::to_string(NUMERO_TEXTE_MAX);
      return false;
    }
    const int numero = std::stoi(std::string(ligne.substr(0, chiffres)));
    if (numero < 1 || numero > NUMERO_TEXTE_MAX) {
      erreur = lieu() + "text number out of range 1 to " + std::to_string(NUMERO_TEXTE_MAX);
      return false;
    }
    std::string texte, faute;
    if (!developpe_echappements(ligne.substr(chiffres + 1), texte, faute)) {
      erreur = lieu() + faute;
      return false;
    }
    if (texte.empty()) {
      erreur = lieu() + "text " + std::to_string(numero) + " is empty";
      return false;
    }
    if (!textes.emplace(numero, std::move(texte)).second) {
      erreur = lieu() + "text " + std::to_string(numero) + " appears twice";
      return false;
    }
  }
  return true;
}

}  // namespace mvdlang
