#include <gtest/gtest.h>

#include <clocale>

#include "chess/outils.h"

TEST(ValNombre, ReadsTextWhateverTheSeparators) {
  EXPECT_DOUBLE_EQ(val_nombre("1 234,5"), 1234.5);
  EXPECT_DOUBLE_EQ(val_nombre("1234.5"), 1234.5);
  EXPECT_DOUBLE_EQ(val_nombre("1234,5abc"), 1234.5);
  EXPECT_DOUBLE_EQ(val_nombre("12 %"), 12.0);
  EXPECT_DOUBLE_EQ(val_nombre("abc"), 0.0);
  EXPECT_DOUBLE_EQ(val_nombre("1.234.5"), 1.234);
  EXPECT_DOUBLE_EQ(val_nombre(""), 0.0);
  EXPECT_DOUBLE_EQ(val_nombre("-3,25"), -3.25);
  EXPECT_DOUBLE_EQ(val_nombre("+7"), 7.0);
  EXPECT_DOUBLE_EQ(val_nombre("1\xC2\xA0" "000"), 1000.0);
}

TEST(ValNombre, NullStaysNull) {
  EXPECT_FALSE(val_nombre(std::optional<std::string>()).has_value());
  EXPECT_DOUBLE_EQ(*val_nombre(std::optional<std::string>("2,5")), 2.5);
}

TEST(ValNombre, IgnoresTheLocaleWhenReading) {
  const char* ancien = std::setlocale(LC_NUMERIC, nullptr);
  const std::string sauve = ancien ? ancien : "C";
  if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    EXPECT_DOUBLE_EQ(val_nombre("0.5"), 0.5);
    EXPECT_EQ(texte_nombre(0.5f), "0.5");
  }
  std::setlocale(LC_NUMERIC, sauve.c_str());
  EXPECT_DOUBLE_EQ(val_nombre("0.5"), 0.5);
}

TEST(TexteNombre, WritesSinglesWithAPoint) {
  EXPECT_EQ(texte_nombre(600.0f), "600");
  EXPECT_EQ(texte_nombre(-600.0f), "-600");
  EXPECT_EQ(texte_nombre(1.25f), "1.25");
  EXPECT_EQ(texte_nombre(0.0f), "0");
  EXPECT_EQ(texte_nombre(-999999.0f), "-999999");
  EXPECT_DOUBLE_EQ(val_nombre(texte_nombre(3.1415926f)), 3.141593);
}

TEST(DateQuatreChiffres, WidensTwoDigitYears) {
  EXPECT_EQ(date_quatre_chiffres("25/12/98"), "25/12/1998");
  EXPECT_EQ(date_quatre_chiffres("01/02/03"), "01/02/2003");
  EXPECT_EQ(date_quatre_chiffres("01/01/49"), "01/01/2049");
  EXPECT_EQ(date_quatre_chiffres("01/01/50"), "01/01/1950");
  EXPECT_EQ(date_quatre_chiffres("01/01/2001"), "01/01/2001");
  // Short dates keep their day and month whole.
  EXPECT_EQ(date_quatre_chiffres("1/2/03"), "1/2/2003");
  EXPECT_EQ(date_quatre_chiffres("1/12/75"), "1/12/1975");
  // A four-digit year in a short text stays.
  EXPECT_EQ(date_quatre_chiffres("1/2/2003"), "1/2/2003");
}

TEST(DateQuatreChiffres, NonNumericYearIsAnError) {
  EXPECT_THROW(date_quatre_chiffres("01/01/ab"), std::invalid_argument);
  EXPECT_THROW(date_quatre_chiffres("x"), std::invalid_argument);
}

TEST(Remplace, ReplacesLeftToRightWithoutRescanning) {
  std::string t = "1. e4 2. Nf3";
  EXPECT_EQ(remplace(t, ". ", "."), "1.e4 2.Nf3");
  EXPECT_EQ(t, "1.e4 2.Nf3");
  std::string b = "banana";
  EXPECT_EQ(remplace(b, "a", "aa"), "baanaanaa");
  std::string c = "abc";
  EXPECT_EQ(remplace(c, "x", "y"), "abc");
}

TEST(Remplace, EmptySearchReturnsTheInput) {
  std::string t = "abc";
  EXPECT_EQ(remplace(t, "", "x"), "abc");
  EXPECT_EQ(t, "abc");
}
