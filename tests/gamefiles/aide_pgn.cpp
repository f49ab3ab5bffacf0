#include "tests/gamefiles/aide_pgn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "gamefiles/movetext_pgn.h"

QString TestPgn::ecrit_fichier(const std::string& octets, const QString& nom) {
  const QString chemin = QDir(dossier()).filePath(nom);
  ecrit_octets(chemin, QByteArray::fromStdString(octets));
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

std::string cinq_parties() {
  return "[Event \"Open\"]\n[Site \"dijon\"]\n[Date \"2024.05.01\"]\n[Round \"10\"]\n[White \"Smith, J\"]\n"
         "[Black \"Jones\"]\n[Result \"1-0\"]\n\n1.e4 {Le meilleur.} e5 2.Nf3 (2.f4) Nc6 3.Bb5 1-0\n\n"
         "[Event \"Open\"]\n[Site \"dijon\"]\n[Date \"2024.05.02\"]\n[Round \"2\"]\n[White \"Jones\"]\n"
         "[Black \"Smith, J\"]\n[Result \"0-1\"]\n\n1.d4 d5 2.c4 0-1\n\n"
         "[Event \"Rapide\"]\n[White \"L\xE9on\"]\n[Black \"Dupont\"]\n[Result \"1/2-1/2\"]\n\n1.c4 e5 1/2-1/2\n\n"
         "[Event \"Open\"]\n[Site \"Paris\"]\n[Date \"2023.01.01\"]\n[Round \"1\"]\n[White \"Dupont\"]\n"
         "[Black \"Martin\"]\n[Result \"*\"]\n\n1.Nf3 *\n\n"
         "[Event \"Open\"]\n[Site \"Paris\"]\n[Date \"2023.01.02\"]\n[Round \"3\"]\n[White \"Smithson\"]\n"
         "[Black \"Martin\"]\n[Result \"1-0\"]\n\n1.g3 1-0\n";
}

std::string beaucoup_de_parties(int n) {
  std::string t;
  for (int i = 0; i < n; ++i) t += partie_pgn("J" + std::to_string(i), "B", "1.e4 e5 2.Nf3 Nc6", "1-0");
  return t;
}

std::string parties_jusqu_a(std::size_t offset) {
  std::string t;
  const std::string partie = partie_pgn("Avant", "B", "1.e4 e5", "1-0", "\r\n");
  while (t.size() + partie.size() + 2 <= offset) t += partie;
  t.append(offset - t.size(), '\n');
  return t;
}

std::vector<pgn::PartieLue> relu_par_pgn_extract(const QString& chemin, QString* erreurs, const QStringList& options) {
  const QString sortie = chemin + QStringLiteral(".extrait");
  QProcess p;
  p.start(chemin_pgn_extract(), QStringList{QStringLiteral("-s"), QStringLiteral("-o"), sortie} + options + QStringList{chemin});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    if (erreurs) *erreurs = QStringLiteral("pgn-extract failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    return {};
  }
  if (erreurs) *erreurs = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
  std::vector<pgn::PartieLue> parties;
  pgn::FichierPgn f;
  if (!f.ouvre(sortie)) return parties;
  pgn::LecteurPgn lecteur(f);
  pgn::PartieLue partie;
  while (lecteur.partie_suivante(partie, true)) parties.push_back(partie);
  return parties;
}

std::string fen_finale_pgn_extract(const pgn::PartieLue& partie) {
  const pgn::MovetextLu m = pgn::lit_movetext(partie.movetext);
  if (m.commentaires.size() != m.coups.size() + 1) return {};
  std::string fen = m.commentaires.back();
  while (!fen.empty() && (fen.front() == ' ' || fen.front() == '"')) fen.erase(0, 1);
  while (!fen.empty() && (fen.back() == ' ' || fen.back() == '"')) fen.pop_back();
  return fen;
}
