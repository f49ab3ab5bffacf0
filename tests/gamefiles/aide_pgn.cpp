#include "tests/gamefiles/aide_pgn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString TestPgn::ecrit_fichier(const std::string& octets, const QString& nom) {
  const QString chemin = QDir(dossier()).filePath(nom);
  QFile f(chemin);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(octets.data(), static_cast<qint64>(octets.size()));
  return chemin;
}

std::vector<pgn::PartieLue> TestPgn::lit_toutes(const QString& chemin, bool coups) {
  std::vector<pgn::PartieLue> parties;
  pgn::FichierPgn f;
  EXPECT_TRUE(f.ouvre(chemin));
  pgn::LecteurPgn lecteur(f);
  pgn::PartieLue p;
  while (lecteur.partie_suivante(p, coups)) parties.push_back(p);
  return parties;
}

std::vector<pgn::PartieLue> TestPgn::lit_texte(const std::string& octets, bool coups) {
  return lit_toutes(ecrit_fichier(octets), coups);
}

std::string partie_pgn(const std::string& white, const std::string& black, const std::string& coups,
                       const std::string& resultat, const std::string& fin, const std::string& event,
                       const std::string& round) {
  return "[Event \"" + event + "\"]" + fin + "[Site \"Dijon\"]" + fin + "[Date \"2024.05.01\"]" + fin +
         "[Round \"" + round + "\"]" + fin + "[White \"" + white + "\"]" + fin + "[Black \"" + black + "\"]" + fin +
         "[Result \"" + resultat + "\"]" + fin + fin + coups + " " + resultat + fin + fin;
}

QString chemin_pgn_extract() {
  for (const char* c : {"/usr/games/pgn-extract", "/usr/bin/pgn-extract"})
    if (QFileInfo(QString::fromLatin1(c)).isExecutable()) return QString::fromLatin1(c);
  return {};
}
