// Playing a sound file without waiting.
//
// One sound at a time: a new sound cuts the one still playing. Where the
// machine has no audio output the program stays silent, says so once on the
// error stream, and reports every sound as played. In tests a recording
// player stands in: it keeps the paths asked for and can be told to fail.
#pragma once

#include <QString>
#include <QStringList>

namespace plateforme {

// What plays the sounds.
class LecteurSon {
 public:
  virtual ~LecteurSon() = default;
  // Starts playing the WAV file and returns at once; an empty path stops the
  // sound playing. False when the sound cannot be started (missing or
  // unreadable file).
  virtual bool joue(const QString& chemin) = 0;
};

// Plays through the player in use: the system's (Qt Multimedia), or the
// recording one while a test has it on.
bool joue_fichier_son(const QString& chemin);

// True when the system player found an audio output (false in tests and
// headless sessions).
bool sortie_audio_presente();

// --- Seam for tests -----------------------------------------------------
class SonsEnTest {
 public:
  // Puts the recording player in place (the system's is never touched while
  // it is on); `echec` makes every later sound fail.
  static void active();
  static void desactive();
  static bool actif();
  static void echoue(bool echec);
  static const QStringList& joues();  // paths asked for, in order
  static void efface();
};

}  // namespace plateforme
