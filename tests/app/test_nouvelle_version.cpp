// The new-version check: the version comparison, and the window release
// against a stand-in web server on 127.0.0.1.
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <optional>

#include "app/fenetres.h"
#include "app/menu.h"
#include "app/nouvelle_version.h"
#include "tests/app/aide_app.h"

TEST(CompareVersion, NumbersCompareOneByOneAfterTrimming) {
  struct Cas {
    const char* annoncee;
    std::optional<int> attendu;
  };
  const Cas cas[] = {
      {"5.0.1", 0},         {"5.0.1\n", 0},        {" 5 . 0 . 1 ", 0},   {"05.00.001", 0},
      {"\t5.0.1\r\n", 0},   {"5.0.2", 1},          {"5.1", 1},           {"6", 1},
      {"5.0.10", 1},        {"10.0.0", 1},         {"5.0.0", -1},        {"5.0", -1},
      {"4.99.99", -1},      {"0.9.9", -1},         {"", std::nullopt},   {"   ", std::nullopt},
      {"abc", std::nullopt}, {"5.0.1.2", std::nullopt}, {"5..1", std::nullopt}, {"-5.0.1", std::nullopt},
      {"5.0.1beta", std::nullopt}, {"+5.0.1", std::nullopt}, {"5,0,1", std::nullopt},
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(compare_version(QString::fromLatin1(c.annoncee), 5, 0, 1), c.attendu) << '"' << c.annoncee << '"';
  }
}
