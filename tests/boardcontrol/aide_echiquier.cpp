#include "tests/boardcontrol/aide_echiquier.h"

#include <QDir>
#include <QPixmap>
#include <cstdlib>

QColor couleur_test(int code) {
  // Twelve colours far apart, none grey, yellow, red, green or blue.
  static const QColor couleurs[14] = {
      {}, {}, {200, 30, 120}, {30, 200, 120}, {120, 30, 200}, {200, 120, 30}, {30, 120, 200}, {120, 200, 30},
      {250, 160, 200}, {160, 250, 200}, {200, 160, 250}, {90, 10, 40}, {10, 90, 40}, {40, 10, 90}};
  return couleurs[code];
}

QString ecrit_jeu_test(const QString& dossier, int cote) {
  QDir().mkpath(dossier);
  for (int code = 2; code <= 13; ++code) {
    QImage image(cote, cote, QImage::Format_ARGB32);
    image.fill(couleur_test(code));
    EXPECT_TRUE(mvdechiquier::ecrit_ico(dossier + QStringLiteral("/%1.ico").arg(code), {image}));
  }
  return dossier + QLatin1Char('/');
}

void ecrit_plateau_uni(const QString& chemin, const QColor& couleur, int cote) {
  QImage image(cote, cote, QImage::Format_RGB32);
  image.fill(couleur);
  ASSERT_TRUE(image.save(chemin));
}

QImage capture(Echiquier& e) { return e.grab().toImage().convertToFormat(QImage::Format_RGB32); }

bool proche(const QColor& a, const QColor& b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

std::string texte_couleur(const QColor& c) {
  return "(" + std::to_string(c.red()) + ", " + std::to_string(c.green()) + ", " + std::to_string(c.blue()) + ")";
}

Ecouteur::Ecouteur(Echiquier& e) {
  QObject::connect(&e, &Echiquier::Click, [this](int c, int l) {
    evenements.push_back({'C', c, l, 0, 0, 0, 0, 0});
  });
  QObject::connect(&e, &Echiquier::MouseDown, [this](int c, int l, int i, int b, int s, float x, float y) {
    evenements.push_back({'D', c, l, i, b, s, x, y});
  });
  QObject::connect(&e, &Echiquier::MouseUp, [this](int c, int l, int i, int b, int s, float x, float y) {
    evenements.push_back({'U', c, l, i, b, s, x, y});
  });
}

void TestEchiquier::SetUp() {
  ASSERT_TRUE(dossier_.isValid());
  jeu = ecrit_jeu_test(dossier() + QStringLiteral("/pieces"));
  plateau = dossier() + QStringLiteral("/gris.bmp");
  ecrit_plateau_uni(plateau, GRIS);
}

QColor TestEchiquier::centre(int colonne, int ligne) {
  return capture(echiquier).pixelColor(echiquier.rect_image(colonne, ligne).center());
}

void TestEchiquier::prepare(int couleur) { echiquier.init_echiquier(couleur, jeu, plateau); }
