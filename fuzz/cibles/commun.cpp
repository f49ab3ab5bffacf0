#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "chess/etat.h"
#include "chess/messages.h"
#include "fuzz/cibles/cibles.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "play/parametres.h"

namespace fuzz {

namespace {
bool arrete_ = false;
QTemporaryDir* dossier_ = nullptr;
}  // namespace

void faute(const std::string& quoi) {
  if (arrete_) {
    std::fprintf(stderr, "fuzz: promise broken: %s\n", quoi.c_str());
    std::abort();
  }
  throw Faute(quoi);
}

void faute_arrete(bool arrete) { arrete_ = arrete; }

void prepare(const std::string& dossier_programme) {
  if (!dossier_) {
    // A memory-backed folder when there is one: the targets write a file per input.
    const QString shm = QStringLiteral("/dev/shm");
    dossier_ = QFileInfo(shm).isWritable() ? new QTemporaryDir(shm + QStringLiteral("/mvd_fuzz_XXXXXX"))
                                           : new QTemporaryDir();
    std::atexit([] {
      delete dossier_;
      dossier_ = nullptr;
    });
  }
  plateforme::definit_chemin_appli(QString::fromStdString(dossier_programme));
  reinitialise_etat_jeu();
  reinitialise_parametres();
  // Nobody answers: each box is recorded with the default answer.
  plateforme::BoitesEnTest::active([](const QString&) {});
  installe_afficheur_erreur([](const std::string&, const std::string&) {});
}

void apres_entree() { plateforme::BoitesEnTest::efface(); }

std::string dossier_travail() { return dossier_->path().toStdString(); }

FonctionCible cible(std::string_view nom) {
  struct Entree {
    std::string_view nom;
    FonctionCible f;
  };
  static const Entree table[] = {
      {"fen", fen},
      {"chaine_position", chaine_position},
      {"decode_coup", decode_coup},
      {"parametres", parametres},
      {"parametres_moteur", parametres_moteur},
      {"csv_eco", csv_eco},
      {"reseau", reseau},
      {"version", version},
      {"pgn", pgn},
      {"xml", xml},
      {"corres", corres},
  };
  for (const Entree& e : table)
    if (e.nom == nom) return e.f;
  return nullptr;
}

}  // namespace fuzz
