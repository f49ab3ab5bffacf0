#include "gamefiles/conversion_pgn.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <algorithm>
#include <cctype>

#include "chess/messages.h"
#include "gamefiles/charge.h"
#include "gamefiles/export_pgn.h"
#include "gamefiles/liste_xml.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/evenements.h"
#include "platform/fichiers_texte.h"
#include "play/jeu.h"
#include "play/patience.h"

namespace pgn {

namespace {

// The copy is written in pieces of about this many characters.
constexpr qsizetype TAILLE_ECRITURE = 256 * 1024;

std::string joint(const std::vector<std::string>& lignes, const char* entre) {
  std::string s;
  for (const std::string& l : lignes) {
    if (!s.empty()) s += entre;
    s += l;
  }
  return s;
}

// The movetext of a game with its result token at the end: one that the
// file cut short (no token) gets its [Result], or "*".
std::string avec_resultat(const PartieLue& partie) {
  std::string_view t = partie.movetext;
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
  const std::size_t blanc = t.find_last_of(" \t\r\n}");
  if (est_resultat(t.substr(blanc == std::string_view::npos ? 0 : blanc + 1))) return partie.movetext;
  const std::string r = partie.valeur_tag("Result");
  // On a line of its own: a ";" comment may end the last one.
  return std::string(t) + (t.empty() ? "" : "\n") + (est_resultat(r) ? r : std::string("*"));
}

}  // namespace

bool copie_parties(FichierPgn& source, const CriteresFiltre& criteres, bool xml, plateforme::FichierNeuf& sortie,
                   const std::function<bool(const BilanLecture&, std::int64_t)>& entre_deux, BilanLecture& bilan,
                   QString* erreur) {
  bilan = BilanLecture{};
  QString tampon;
  auto verse = [&] {
    if (tampon.isEmpty()) return true;
    const bool ok = sortie.ecrit(tampon, erreur);
    tampon.clear();
    return ok;
  };
  if (xml) tampon += en_latin1(debut_liste_xml(QDateTime::currentDateTime()));

  LecteurPgn lecteur(source);
  PartieLue partie;
  plateforme::Cadence cadence;
  const bool filtre = !criteres.vide();
  while (true) {
    if (cadence.pause_due()) {
      if (entre_deux && !entre_deux(bilan, source.position())) {
        bilan.arretee = true;
        break;
      }
    }
    if (!lecteur.partie_suivante(partie, true)) break;
    ++bilan.lues;
    if (filtre && !passe_filtre(partie, criteres)) continue;
    ++bilan.gardees;
    if (xml) {
      // The movetext on one line, a blank where each line ended.
      const std::string coups = movetext_sur_une_ligne(avec_resultat(partie));
      tampon += en_latin1(partie_xml(joint(partie.lignes_tags, "\r\n"), coups));
    } else {
      // The tag lines, an empty line, the movetext lines, an empty line.
      std::string texte = joint(partie.lignes_tags, "\r\n");
      if (!texte.empty()) texte += "\r\n\r\n";
      // Other programs do not all read ";" comments: they go in braces.
      for (char c : movetext_sur_une_ligne(avec_resultat(partie), true)) {
        if (c == '\n') texte += '\r';
        texte += c;
      }
      tampon += QString::fromStdString(texte + "\r\n\r\n");
    }
    if (tampon.size() >= TAILLE_ECRITURE && !verse()) return false;
  }
  if (xml) tampon += fin_liste_xml();
  if (!verse()) return false;
  if (entre_deux) entre_deux(bilan, source.position());
  return true;
}

}  // namespace pgn

void pgn_vers_xml(const QString& source, const QString& destination, bool en_pgn) {
  if (!plateforme::est_fichier(source)) {
    plateforme::boite_message(texte(270), boite::EXCLAMATION);
    return;
  }
  // Writing over the source would lose its games before they are read.
  const QFileInfo lu(source), ecrit(destination);
  if (ecrit.exists() && lu.canonicalFilePath() == ecrit.canonicalFilePath()) {
    plateforme::boite_message(texte(892).arg(destination), boite::EXCLAMATION);
    return;
  }
  pgn::FichierPgn f;
  plateforme::FichierNeuf sortie;
  QString erreur;
  if (!f.ouvre(source, &erreur) || !sortie.ouvre(destination, &erreur)) {
    f.ferme();
    sortie.abandonne();
    plateforme::boite_message(erreur, boite::EXCLAMATION);
    return;
  }
  arret_demande = false;
  patience& progression = patience::instance();
  progression.setWindowTitle(texte(271) + destination + QStringLiteral(" ..."));
  progression.show();
  const double taille = static_cast<double>(std::max<std::int64_t>(f.taille(), 1));
  auto entre_deux = [&](const pgn::BilanLecture& b, std::int64_t position) {
    if (patience* w = patience::existante()) {
      w->Label1->setText(texte(893).arg(b.gardees).arg(b.lues));
      affiche_progression(*w->Picture1, 100.0 / taille * static_cast<double>(position));
    }
    plateforme::laisse_passer();
    return !arret_demande;
  };
  pgn::BilanLecture bilan;
  bool ecrite = pgn::copie_parties(f, criteres_reglages(), !en_pgn, sortie, entre_deux, bilan, &erreur);
  f.ferme();
  if (ecrite)
    ecrite = sortie.valide(&erreur);
  else
    sortie.abandonne();
  patience::decharge();
  if (!ecrite) {
    plateforme::boite_message(erreur, boite::EXCLAMATION);
    return;
  }
  plateforme::boite_message(QStringLiteral(" %1").arg(bilan.gardees) + texte(268) + QStringLiteral(" %1").arg(bilan.lues) +
                                texte(269) + destination,
                            boite::INFORMATION);
  // The recent files reopen as PGN: an XML list has no place there.
  if (en_pgn && liens_jeu().fichier_recent) liens_jeu().fichier_recent(destination);
}
