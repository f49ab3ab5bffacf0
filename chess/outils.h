// Small text routines shared by the whole program.
#pragma once

#include <optional>
#include <string>

// A decimal number read independently of the user's locale: digits, "+" and
// "-" are kept, ",", "." and the locale's decimal separator become the point,
// blanks and no-break spaces are skipped, any other character ends the text.
// A null value (an empty database field) stays null.
std::optional<double> val_nombre(const std::optional<std::string>& valeur);
double val_nombre(const std::string& valeur);
inline double val_nombre(const char* valeur) { return val_nombre(std::string(valeur)); }
inline double val_nombre(double valeur) { return valeur; }

// A number written whole, the way files hold one: blanks around, an optional
// sign, digits with a decimal point or comma ("3.5", "3,5", ".5", "3."), an
// optional exponent ("1E-08", "1.5e3"). Nothing for any other text (empty,
// "abc", "12abc", "NaN", "inf") or a number beyond double precision.
std::optional<double> nombre_exact(const std::string& texte);

// A single-precision number as text, with "." whatever the locale and at most
// seven significant digits ("600", "-0.5", "1.25").
std::string texte_nombre(float valeur);

// Widens the two-digit year at the end of a short date text ("25/12/98" gives
// "25/12/1998", "1/2/03" gives "1/2/2003"); a 10-character text is returned
// as it is. Throws std::invalid_argument when the last two characters are not
// a number.
std::string date_quatre_chiffres(const std::string& date);

// Replaces every occurrence of `cherche` in `texte`, left to right, resuming
// after each inserted replacement; `texte` receives the result too. An empty
// `cherche` changes nothing.
std::string remplace(std::string& texte, const std::string& cherche, const std::string& remplacement);

// The text without its leading and trailing blanks.
std::string rogne(const std::string& texte);
