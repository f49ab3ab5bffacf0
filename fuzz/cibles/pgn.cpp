// The PGN reader and the comment extraction: any bytes as a game file. The
// list (tags only) finds the games the full reading finds, at the same
// offsets; a game read again from its offset is the same game; each movetext
// goes through the comment extraction and the replay into the program's own
// movetext, which leave the shared board as they found it; the games copied
// into an XML game list make a well-formed document holding each of them.
#include <QFile>
#include <vector>

#include "chess/etat.h"
#include "fuzz/cibles/cibles.h"
#include "gamefiles/conversion_pgn.h"
#include "gamefiles/lecture_pgn.h"
#include "gamefiles/liste_xml.h"
#include "platform/fichiers_texte.h"
#include "gamefiles/movetext_pgn.h"

namespace fuzz {

namespace {

std::vector<pgn::PartieLue> lit_tout(const QString& chemin, bool coups) {
  pgn::FichierPgn f;
  if (!f.ouvre(chemin)) faute("a file on disk could not be opened");
  pgn::LecteurPgn lecteur(f);
  std::vector<pgn::PartieLue> parties;
  pgn::PartieLue p;
  while (lecteur.partie_suivante(p, coups)) {
    parties.push_back(p);
    if (parties.size() > 100000) faute("more games than bytes");
  }
  f.ferme();
  return parties;
}

}  // namespace

std::string pgn(const std::uint8_t* donnees, std::size_t taille) {
  const QString chemin = QString::fromStdString(dossier_travail()) + QStringLiteral("/entree.pgn");
  {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) faute("cannot write the input file");
    f.write(reinterpret_cast<const char*>(donnees), static_cast<qint64>(taille));
  }
  const std::vector<pgn::PartieLue> completes = lit_tout(chemin, true);
  const std::vector<pgn::PartieLue> liste = lit_tout(chemin, false);
  if (liste.size() != completes.size()) faute("the list and the full reading find different games");
  pgn::FichierPgn f;
  f.ouvre(chemin);
  pgn::LecteurPgn lecteur(f);
  for (std::size_t k = 0; k < completes.size(); ++k) {
    const pgn::PartieLue& p = completes[k];
    if (liste[k].debut != p.debut) faute("the list and the full reading place a game differently");
    if (p.debut < 0 || p.debut >= static_cast<std::int64_t>(taille)) faute("a game begins outside the file");
    for (int t = 0; t < pgn::NB_TAGS_CONNUS; ++t)
      if (liste[k].valeurs[t] != p.valeurs[t]) faute("the list reads a tag differently");
    if (!f.positionne(p.debut)) faute("no line begins where a game does");
    lecteur.oublie();
    pgn::PartieLue relue;
    if (!lecteur.partie_suivante(relue, true) || relue.movetext != p.movetext || relue.debut != p.debut)
      faute("a game read again from its offset differs");

    reinitialise_etat_jeu();
    const TableauCases avant = tab_echiquier;
    const pgn::MovetextLu m = pgn::lit_movetext(p.movetext);
    pgn::movetext_programme(m, p.valeur_tag("FEN"));
    if (!(tab_echiquier == avant)) faute("the replay of a movetext left the board changed");
    const std::string principale = extrait_commentaires_pgn(p.movetext);
    texte_partie = principale;
    insere_commentaires(texte_partie);
  }
  f.ferme();

  const QString copie = QString::fromStdString(dossier_travail()) + QStringLiteral("/copie.xml");
  pgn::FichierPgn source;
  plateforme::FichierNeuf sortie;
  pgn::BilanLecture bilan;
  if (!source.ouvre(chemin) || !sortie.ouvre(copie)) faute("cannot open the files of the copy");
  QString erreur_copie;
  if (!pgn::copie_parties(source, pgn::CriteresFiltre{}, true, sortie, {}, bilan, &erreur_copie))
    faute("the copy into an XML list failed: " + erreur_copie.toStdString());
  if (!sortie.valide()) faute("the XML copy could not be put in place");
  QByteArray document;
  plateforme::lit_octets(copie, document);
  std::vector<pgn::PartieXml> xml;
  QString erreur;
  if (!pgn::lit_liste_xml(document, xml, &erreur))
    faute("the XML copy of a game file is not well-formed: " + erreur.toStdString());
  if (bilan.gardees != static_cast<long>(completes.size())) faute("the copy did not take every game");
  return std::to_string(completes.size()) + " parties";
}

}  // namespace fuzz
