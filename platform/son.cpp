#include "platform/son.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <cstdio>
#include <memory>

namespace plateforme {

namespace {

// True when the file starts like a RIFF/WAVE file.
bool fichier_wav_lisible(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray tete = f.read(12);
  return tete.size() == 12 && tete.startsWith("RIFF") && tete.mid(8, 4) == "WAVE";
}

class LecteurSysteme : public LecteurSon {
 public:
  bool joue(const QString& chemin) override {
    if (chemin.isEmpty()) {
      if (effet_) effet_->stop();
      return true;
    }
    if (!fichier_wav_lisible(chemin)) return false;
    if (!sortie_presente()) return true;  // silent machine: nothing to hear, nothing wrong
    if (!effet_) effet_ = std::make_unique<QSoundEffect>();
    effet_->stop();
    effet_->setSource(QUrl::fromLocalFile(QFileInfo(chemin).absoluteFilePath()));
    effet_->play();
    return true;
  }

  bool sortie_presente() {
    if (!verifie_) {
      verifie_ = true;
      present_ = QCoreApplication::instance() != nullptr && !QMediaDevices::audioOutputs().isEmpty();
      if (!present_)
        std::fprintf(stderr, "Morvandel: no audio output found, sounds are off for this session.\n");
    }
    return present_;
  }

 private:
  std::unique_ptr<QSoundEffect> effet_;
  bool verifie_ = false;
  bool present_ = false;
};

class LecteurEnregistreur : public LecteurSon {
 public:
  bool joue(const QString& chemin) override {
    joues.append(chemin);
    return !echec;
  }
  QStringList joues;
  bool echec = false;
};

LecteurSysteme& systeme() {
  static LecteurSysteme l;
  return l;
}
std::unique_ptr<LecteurEnregistreur>& enregistreur() {
  static std::unique_ptr<LecteurEnregistreur> l;
  return l;
}

}  // namespace

bool joue_fichier_son(const QString& chemin) {
  if (enregistreur()) return enregistreur()->joue(chemin);
  return systeme().joue(chemin);
}

bool sortie_audio_presente() {
  if (enregistreur()) return false;
  return systeme().sortie_presente();
}

void SonsEnTest::active() { enregistreur() = std::make_unique<LecteurEnregistreur>(); }
void SonsEnTest::desactive() { enregistreur().reset(); }
bool SonsEnTest::actif() { return enregistreur() != nullptr; }
void SonsEnTest::echoue(bool echec) {
  if (enregistreur()) enregistreur()->echec = echec;
}
const QStringList& SonsEnTest::joues() {
  static const QStringList vide;
  return enregistreur() ? enregistreur()->joues : vide;
}
void SonsEnTest::efface() {
  if (enregistreur()) {
    enregistreur()->joues.clear();
    enregistreur()->echec = false;
  }
}

}  // namespace plateforme
