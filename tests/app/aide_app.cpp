#include "tests/app/aide_app.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "openings/base_eco.h"
#include "platform/base_donnees.h"
#include "platform/fichiers_texte.h"
#include "platform/schemas_bases.h"

void TestApp::SetUp() { TestMorvandel::SetUp(); }

void TestApp::TearDown() {
  TestMorvandel::TearDown();
  db_eco.ferme();
}

QString TestApp::chemin(const QString& nom) const { return QDir(dossier()).filePath(nom); }

void TestApp::ecrit_ini(const QStringList& lignes) {
  QFile f(chemin(QStringLiteral("morvandel.ini")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  for (const QString& l : lignes) f.write(plateforme::encode_1252(l) + "\r\n");
}

void TestApp::cree_base_eco() {
  QDir(dossier()).mkpath(QStringLiteral("base"));
  plateforme::BaseDonnees::cree(chemin(QStringLiteral("base/eco.db")), schemas::base_eco());
}

bool TestApp::demarre(const QString& ligne_commande) { return menu().MDIForm_Load(ligne_commande); }

Menu& TestApp::menu() { return fenetres::instance<Menu>(); }

QByteArray octets(const QString& chemin) { return octets_fichier(chemin); }

QStringList lignes_crlf(const QString& chemin) {
  QString t = plateforme::decode_1252(octets(chemin));
  if (t.endsWith(QStringLiteral("\r\n"))) t.chop(2);
  return t.split(QStringLiteral("\r\n"));
}

bool passe_en_locale_francaise() {
  static QTemporaryDir dossier;
  static bool pret = [] {
    if (!dossier.isValid()) return false;
    const int r = QProcess::execute(QStringLiteral("localedef"),
                                    {QStringLiteral("-i"), QStringLiteral("fr_FR"), QStringLiteral("-f"),
                                     QStringLiteral("UTF-8"), dossier.filePath(QStringLiteral("fr_FR.UTF-8"))});
    if (r != 0) return false;
    setenv("LOCPATH", dossier.path().toLocal8Bit().constData(), 1);
    return true;
  }();
  if (!pret) return false;
  if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) return false;
  return std::localeconv()->decimal_point[0] == ',';
}

void revient_locale_c() { std::setlocale(LC_NUMERIC, "C"); }
