#include "chess/outils.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

// The locale's decimal separator, as one byte (the C library's view).
char separateur_decimal() {
  const lconv* lc = std::localeconv();
  return (lc && lc->decimal_point && lc->decimal_point[0]) ? lc->decimal_point[0] : '.';
}

double lit_nombre_propre(const std::string& s) {
  // Optional sign, digits, "." and digits; reading stops at the first
  // character that does not fit.
  size_t i = 0;
  bool negatif = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negatif = s[i++] == '-';
  std::string chiffres;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') chiffres.push_back(s[i++]);
  if (i < s.size() && s[i] == '.') {
    chiffres.push_back('.');
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') chiffres.push_back(s[i++]);
  }
  if (chiffres.empty() || chiffres == ".") return 0.0;
  if (chiffres.back() == '.') chiffres.pop_back();
  if (chiffres.front() == '.') chiffres.insert(chiffres.begin(), '0');
  double v = 0.0;
  const auto r = std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), v);
  if (r.ec != std::errc()) return 0.0;
  return negatif ? -v : v;
}

}  // namespace

double val_nombre(const std::string& valeur) {
  const char dec = separateur_decimal();
  std::string propre;
  for (size_t i = 0; i < valeur.size(); ++i) {
    const unsigned char ch = static_cast<unsigned char>(valeur[i]);
    if ((ch >= '0' && ch <= '9') || ch == '+' || ch == '-') {
      propre.push_back(static_cast<char>(ch));
    } else if (ch == static_cast<unsigned char>(dec) || ch == ',' || ch == '.') {
      propre.push_back('.');
    } else if (ch == ' ' || ch == 0xA0) {
      // skipped (the grouping character is a blank)
    } else if (ch == 0xC2 && i + 1 < valeur.size() && static_cast<unsigned char>(valeur[i + 1]) == 0xA0) {
      ++i;  // a no-break space in UTF-8
    } else {
      break;
    }
  }
  return lit_nombre_propre(propre);
}

std::optional<double> nombre_exact(const std::string& texte) {
  std::size_t debut = 0, fin = texte.size();
  while (debut < fin && std::isspace(static_cast<unsigned char>(texte[debut]))) ++debut;
  while (fin > debut && std::isspace(static_cast<unsigned char>(texte[fin - 1]))) --fin;
  const auto chiffre = [&](std::size_t k) { return k < fin && texte[k] >= '0' && texte[k] <= '9'; };
  std::string propre;
  std::size_t i = debut;
  if (i < fin && (texte[i] == '+' || texte[i] == '-')) {
    if (texte[i] == '-') propre.push_back('-');
    ++i;
  }
  // The mantissa: digits around one decimal mark, a digit at least.
  std::string mantisse;
  while (chiffre(i)) mantisse.push_back(texte[i++]);
  const bool entiere = !mantisse.empty();
  if (i < fin && (texte[i] == '.' || texte[i] == ',')) {
    ++i;
    std::string decimales;
    while (chiffre(i)) decimales.push_back(texte[i++]);
    if (!entiere && decimales.empty()) return std::nullopt;
    if (!decimales.empty()) mantisse += (entiere ? "." : "0.") + decimales;
  }
  if (mantisse.empty()) return std::nullopt;
  propre += mantisse;
  if (i < fin && (texte[i] == 'e' || texte[i] == 'E')) {
    propre.push_back('e');
    ++i;
    if (i < fin && (texte[i] == '+' || texte[i] == '-')) propre.push_back(texte[i++]);
    if (!chiffre(i)) return std::nullopt;
    while (chiffre(i)) propre.push_back(texte[i++]);
  }
  if (i != fin) return std::nullopt;
  double v = 0.0;
  const auto r = std::from_chars(propre.data(), propre.data() + propre.size(), v);
  if (r.ec != std::errc() || r.ptr != propre.data() + propre.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<double> val_nombre(const std::optional<std::string>& valeur) {
  if (!valeur) return std::nullopt;
  return val_nombre(*valeur);
}

std::string texte_nombre(float valeur) {
  if (valeur == 0.0f || !std::isfinite(valeur)) return "0";
  char tampon[64];
  std::snprintf(tampon, sizeof tampon, "%.7g", static_cast<double>(valeur));
  std::string s(tampon);
  // "%g" may use the locale's separator in some C libraries: force the point.
  for (char& c : s)
    if (c == ',') c = '.';
  if (s.find('e') != std::string::npos) {
    std::snprintf(tampon, sizeof tampon, "%.7f", static_cast<double>(valeur));
    s = tampon;
    for (char& c : s)
      if (c == ',') c = '.';
    if (s.find('.') != std::string::npos) {
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    }
  }
  return s;
}

std::string date_quatre_chiffres(const std::string& date) {
  if (date.size() == 10) return date;
  if (date.size() < 2) throw std::invalid_argument("Incompatibilité de type : " + date);
  // A year already written with four digits stays as it is.
  const auto fin_separateur = date.find_last_not_of("0123456789");
  const size_t nb_chiffres = date.size() - (fin_separateur == std::string::npos ? 0 : fin_separateur + 1);
  if (nb_chiffres >= 3 && fin_separateur != std::string::npos) return date;
  const std::string annee = date.substr(date.size() - 2);
  int yy = 0;
  const auto r = std::from_chars(annee.data(), annee.data() + annee.size(), yy);
  if (r.ec != std::errc() || r.ptr != annee.data() + annee.size())
    throw std::invalid_argument("Incompatibilité de type : " + date);
  return date.substr(0, date.size() - 2) + (yy >= 50 ? "19" : "20") + annee;
}

std::string remplace(std::string& texte, const std::string& cherche, const std::string& remplacement) {
  if (cherche.empty()) return texte;
  size_t p = texte.find(cherche);
  while (p != std::string::npos) {
    texte.replace(p, cherche.size(), remplacement);
    p = texte.find(cherche, p + remplacement.size());
  }
  return texte;
}

std::string rogne(const std::string& texte) {
  const auto debut = texte.find_first_not_of(' ');
  if (debut == std::string::npos) return {};
  const auto fin = texte.find_last_not_of(' ');
  return texte.substr(debut, fin - debut + 1);
}
