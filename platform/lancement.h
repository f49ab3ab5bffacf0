// Handing a file or a web address to the desktop: a text file opens in the
// user's viewer, an address in the web browser, help pages in the browser.
// The call does not wait. In tests the requests are recorded instead.
#pragma once

#include <QString>
#include <QStringList>

namespace plateforme {

// Opens a local file with the desktop's program for it; false when the
// desktop refused.
bool ouvre_fichier_externe(const QString& chemin);
// Opens a web address (or any URL) with the desktop's handler.
bool ouvre_adresse(const QString& adresse);

// Starts a program in a window of its own, without waiting; false when it
// could not be started.
bool lance_programme(const QString& programme, const QStringList& arguments = {});

// The desktop's system-information tool, searched on the PATH: the full path
// of the first of kinfocenter (KDE's information centre), hardinfo (a system
// profiler), xfce4-about (Xfce's about window with its System tab),
// mate-system-monitor and gnome-system-monitor (processor, memory, file
// systems, processes) that is installed; empty when none is.
QString outil_infos_systeme();

// --- Seam for tests -----------------------------------------------------
class LancementsEnTest {
 public:
  // From now on nothing is started: the requests are recorded ("fichier:",
  // "adresse:" or "programme:" followed by the path or address, and for a
  // program its arguments each after a blank) and succeed.
  static void active();
  static void desactive();
  static QStringList demandes();
  static void efface();
  // While on, every recorded request fails (returns false), as when the
  // desktop refuses; efface() turns it off.
  static void refuse(bool oui);
};

}  // namespace plateforme
