#include "tests/app/aide_preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "app/preferences.h"
#include "platform/boites.h"
#include "platform/fichiers_texte.h"

void TestPreferences::demarre_avec(const QStringList& lignes_ini) {
  installe_images();
  cree_base_eco();
  ecrit_ini(lignes_ini);
  ASSERT_TRUE(demarre());
}

pref& TestPreferences::ouvre() {
  menu().menu_pref->trigger();
  pref* p = fenetres::existante<pref>();
  if (!p) throw std::runtime_error("the preferences dialog did not open");
  return *p;
}

pref& TestPreferences::dialogue() {
  pref* p = fenetres::existante<pref>();
  if (!p) throw std::runtime_error("the preferences dialog is not open");
  return *p;
}

QWidget* TestPreferences::controle(const QString& nom) {
  QWidget* w = dialogue().findChild<QWidget*>(nom);
  if (!w) ADD_FAILURE() << "no control " << nom.toStdString();
  return w;
}

QLineEdit* TestPreferences::texte(const QString& nom) { return qobject_cast<QLineEdit*>(controle(nom)); }
QCheckBox* TestPreferences::coche(const QString& nom) { return qobject_cast<QCheckBox*>(controle(nom)); }
QComboBox* TestPreferences::liste(const QString& nom) { return qobject_cast<QComboBox*>(controle(nom)); }

void TestPreferences::tape(const QString& nom, const QString& valeur) {
  QLineEdit* t = texte(nom);
  ASSERT_NE(t, nullptr) << nom.toStdString();
  t->setText(valeur);
  QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(t, &sortie);
}

void TestPreferences::valide() {
  plateforme::BoitesEnTest::repond(boite::OK);
  qobject_cast<QPushButton*>(controle("Command2"))->click();
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList TestPreferences::lignes_fichier(const QString& chemin_fichier) {
  QStringList l;
  for (const QString& s : lignes_crlf(chemin_fichier))
    if (!s.startsWith(QLatin1Char('['))) l << s;
  return l;
}

void ecrit_fichier(const QString& chemin, const QStringList& lignes) {
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly)) {
    ADD_FAILURE() << "cannot write " << chemin.toStdString();
    return;
  }
  for (const QString& l : lignes) f.write(plateforme::encode_1252(l) + "\r\n");
}

QStringList etat_ecrit() { return lignes_parametres(); }
