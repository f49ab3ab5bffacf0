#include "play/parametres.h"

#include <QDir>
#include <QFileInfo>
#include <cfloat>
#include <cmath>
#include <functional>
#include <optional>

#include "chess/etat.h"
#include "chess/poids.h"
#include "chess/outils.h"
#include "localisation/textes_langue.h"
#include "platform/texte_court.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/fichiers_texte.h"
#include "play/plateau.h"

// --- The values -------------------------------------------------------------
QString fichier_aide, fichier_ini, dossier_etats;

int first_startup = 0;
QString nom_joueur[3], nom_moteur[3];
int mode_jeux = 1;
QString lieu_jeu;
int niveau_elo[3] = {};
int tri_eco = 0, deb_blanc = 0;
QString curent_echiquier, curent_piece;
int aff_repere = 0, zip_partie = 0, sauve_abrege = 0, aff_nouvelle = 0, machine_trace_coup = 1, active_son = 1, imp = 0,
    bulle_aide = 0;
QString partie_filtre;
int max_seuil_partie = 1000;
QString ouverture_defaut[3];
QString file_log;
int ges_log = 0, active_horloge = 1;
QString delai_partie;
int delai_attente = 1000;
QString version_xml;

int ip_mode_serveur = 0;
QString ip_adresse_host, ip_num_port, ip_nom_utilisateur;

QString critere_event, critere_site, critere_blanc, critere_noir;
int critere_lesdeux = 0;
QString critere_eco, critere_ronde, critere_resultat, critere_date;

QString base_corres, adresse_mel;
int nb_jour_max = 0;
QString actualite_xml;

int piece_choisie = 0;
float seuil_note_haut = 600.0f, seuil_note_bas = -600.0f;
QString table_elo[5];
QString sons[15];
QString fichier_pgn;
int mode_charge = 0, message_mode = 0, mode_saisie_corres = 0;
QString table_grille, base_grille;
QString& source_grille = table_grille;
ChoixEnAttente choix_en_attente;

namespace {
// The settings file that could not be read, and why: it is not replaced
// without asking.
QString fichier_illisible, raison_illisible;
}  // namespace

QString texte_version() {
  return QStringLiteral("%1.%2.%3").arg(VERSION_MAJEURE).arg(VERSION_MINEURE).arg(VERSION_REVISION);
}

namespace {

// The address of the update-news document of the program's own server.
const char* const ADRESSE_VERSION = "https://morvandel.example.org/version.xml";

// Sections of the file, in order.
const char* const SECTIONS[5] = {"[GENERAL]", "[TCP/IP]", "[CALCUL]", "[FILTRE]", "[MEL]"};

enum class Genre {
  texte,           // the characters after "=" as they stand
  octet,           // a whole number 0..255
  entier,          // a whole number -32768..32767 or the key's range
  drapeau,         // a number rounded half to even, 0..255
  entier_arrondi,  // a number rounded half to even, in the key's range
  decimal,         // a number in single precision, within +-DECIMAL_MAX
  heure,           // a text "hh:nn:ss" under 24 hours
  port,            // a text holding a port number 1..65535 in plain digits
  pseudo,          // a text of at most LONGUEUR_PSEUDO_MAX characters
};

struct Cle {
  std::string nom;
  Genre genre;
  int section;             // index into SECTIONS; -1: read but never written
  bool forme_nombre;       // written in the number form of the decimals
  int profil_ecrit;        // 0: the current profile; 1: always profile 1
  std::function<QString*(int)> texte;
  std::function<int*(int)> entier;
  std::function<float*(int)> reel;
  // The range of a whole number (entier, entier_arrondi).
  int mini = -32768, maxi = 32767;
};

// `c` with the whole numbers it takes brought into mini..maxi.
Cle borne(Cle c, int mini, int maxi) {
  c.mini = mini;
  c.maxi = maxi;
  return c;
}

template <class T>
std::function<T*(int)> fixe(T& v) {
  return [&v](int) { return &v; };
}
template <class T>
std::function<T*(int)> profil(T (&v)[3]) {
  return [&v](int p) { return &v[p]; };
}
std::function<float*(int)> piece(float (&v)[24], int type) {
  return [&v, type](int p) { return &v[p + 3 * type]; };
}

Cle cle_texte(std::string nom, int section, std::function<QString*(int)> f) {
  return Cle{std::move(nom), Genre::texte, section, false, 0, std::move(f), nullptr, nullptr};
}
Cle cle_entiere(std::string nom, Genre g, int section, std::function<int*(int)> f, bool forme_nombre = false) {
  return Cle{std::move(nom), g, section, forme_nombre, 0, nullptr, std::move(f), nullptr};
}
Cle cle_reelle(std::string nom, Genre g, std::function<float*(int)> f, int profil_ecrit = 0) {
  return Cle{std::move(nom), g, 2, true, profil_ecrit, nullptr, nullptr, std::move(f)};
}

// Piece types in the order of the file: PION, FOU, CAVALIER, TOUR, DAME, ROI.
const int TYPES_FICHIER[6] = {2, 5, 4, 3, 6, 7};
const char* const NOMS_PIECES[6] = {"PION", "FOU", "CAVALIER", "TOUR", "DAME", "ROI"};

const std::vector<Cle>& table_cles() {
  static const std::vector<Cle> table = [] {
    std::vector<Cle> t;
    const Genre G_O = Genre::octet, G_E = Genre::entier, G_D = Genre::drapeau;
    // [GENERAL]
    t.push_back(cle_entiere("FIRST_STARTUP", G_O, 0, fixe(first_startup)));
    t.push_back(cle_entiere("CLE_LANGUE", G_O, 0, fixe(cle_langue)));
    t.push_back(cle_texte("NOM_JOUEUR", 0, profil(nom_joueur)));
    t.push_back(cle_texte("NOM_MOTEUR", 0, profil(nom_moteur)));
    t.push_back(cle_entiere("MODE_JEUX", G_O, 0, fixe(mode_jeux)));
    t.push_back(cle_texte("LIEU_JEU", 0, fixe(lieu_jeu)));
    t.push_back(cle_entiere("NIVEAU_ELO", G_E, 0, profil(niveau_elo)));
    t.push_back(cle_texte("BASE_ECO", 0, fixe(base_eco)));
    t.push_back(cle_entiere("TRI_ECO", G_D, 0, fixe(tri_eco)));
    t.push_back(cle_entiere("DEB_BLANC", G_D, 0, fixe(deb_blanc)));
    t.push_back(cle_texte("CURENT_ECHIQUIER", 0, fixe(curent_echiquier)));
    t.push_back(cle_texte("CURENT_PIECE", 0, fixe(curent_piece)));
    t.push_back(cle_entiere("AFF_REPERE", G_D, 0, fixe(aff_repere)));
    t.push_back(cle_entiere("ZIP_PARTIE", G_D, 0, fixe(zip_partie)));
    t.push_back(cle_entiere("SAUVE_ABREGE", G_D, 0, fixe(sauve_abrege)));
    t.push_back(cle_entiere("AFF_NOUVELLE", G_D, 0, fixe(aff_nouvelle)));
    t.push_back(cle_entiere("MACHINE_TRACE_COUP", G_D, 0, fixe(machine_trace_coup)));
    t.push_back(cle_entiere("ACTIVE_SON", G_D, 0, fixe(active_son)));
    t.push_back(cle_entiere("IMP", G_D, 0, fixe(imp)));
    t.push_back(cle_entiere("BULLE_AIDE", G_D, 0, fixe(bulle_aide)));
    t.push_back(cle_texte("PARTIE_FILTRE", 0, fixe(partie_filtre)));
    // A listing holds one game at least.
    t.push_back(borne(cle_entiere("MAX_SEUIL_PARTIE", G_E, 0, fixe(max_seuil_partie)), 1, 32767));
    t.push_back(cle_entiere("MAX_COUP_OUVERTURE", G_E, 0, fixe(max_coup_ouverture)));
    t.push_back(cle_texte("OUVERTURE_DEFAUT", 0, profil(ouverture_defaut)));
    t.push_back(cle_entiere("OUVERTURE_ALEATOIRE", G_D, 0, profil(ouverture_aleatoire)));
    t.push_back(cle_texte("FILE_LOG", 0, fixe(file_log)));
    t.push_back(cle_entiere("GES_LOG", G_D, 0, fixe(ges_log)));
    t.push_back(cle_entiere("ACTIVE_HORLOGE", G_D, 0, fixe(active_horloge)));
    t.push_back(Cle{"DELAI_PARTIE", Genre::heure, 0, false, 0, fixe(delai_partie), nullptr, nullptr});
    t.push_back(borne(cle_entiere("DELAI_ATTENTE", G_E, 0, fixe(delai_attente)), 0, 32767));
    t.push_back(cle_texte("VERSION_XML", 0, fixe(version_xml)));
    // [TCP/IP]
    t.push_back(cle_entiere("IP_MODE_SERVEUR", G_D, 1, fixe(ip_mode_serveur)));
    t.push_back(cle_texte("IP_ADRESSE_HOST", 1, fixe(ip_adresse_host)));
    t.push_back(Cle{"IP_NUM_PORT", Genre::port, 1, false, 0, fixe(ip_num_port), nullptr, nullptr});
    t.push_back(Cle{"IP_NOM_UTILISATEUR", Genre::pseudo, 1, false, 0, fixe(ip_nom_utilisateur), nullptr, nullptr});
    // [CALCUL]
    t.push_back(cle_entiere("ACTIVE_BASE_CON", G_D, 2, profil(active_base_con)));
    t.push_back(cle_entiere("PROFONDEUR_MAX", G_E, 2, profil(profondeur_max)));
    for (int i = 0; i < 6; ++i)
      t.push_back(cle_reelle(std::string("NOTE_MOBILITE_") + NOMS_PIECES[i], Genre::decimal,
                             piece(note_mobilite, TYPES_FICHIER[i])));
    for (int i = 0; i < 6; ++i)
      t.push_back(cle_reelle(std::string("MOBILITE_EVOLUTIVE_") + NOMS_PIECES[i], Genre::decimal,
                             piece(mobilite_evolutive, TYPES_FICHIER[i])));
    for (int i = 0; i < 6; ++i)
      t.push_back(cle_reelle(std::string("NOTE_MATERIEL_") + NOMS_PIECES[i], Genre::decimal,
                             piece(note_materiel, TYPES_FICHIER[i])));
    t.push_back(cle_reelle("BONUS_ECHEC", Genre::decimal, profil(bonus_echec)));
    t.push_back(cle_entiere("SEUIL_BONUS_ECHEC", G_E, 2, profil(seuil_bonus_echec), true));
    t.push_back(cle_reelle("NOTE_PROMOTION", Genre::decimal, profil(note_promotion)));
    t.push_back(cle_reelle("NOTE_ROQUE", Genre::decimal, profil(note_roque)));
    t.push_back(cle_reelle("MALUS_DOUBLE", Genre::decimal, profil(malus_double)));
    t.push_back(cle_reelle("MALUS_ROI", Genre::decimal, profil(malus_roi), 1));
    t.push_back(cle_reelle("NOTE_CENTRE", Genre::decimal, profil(note_centre)));
    t.push_back(cle_entiere("SEUIL_CENTRE", Genre::entier_arrondi, 2, profil(seuil_centre), true));
    t.push_back(cle_reelle("INDICE_DEFENSE", Genre::decimal, profil(indice_defense)));
    t.push_back(cle_reelle("INDICE_ATTAQUE", Genre::decimal, profil(indice_attaque)));
    t.push_back(cle_entiere("ALPHA_BETA", G_D, 2, profil(alpha_beta), true));
    t.push_back(cle_reelle("SEUIL_PARTIE_NULLE", Genre::decimal, fixe(seuil_partie_nulle)));
    // [FILTRE]
    t.push_back(cle_texte("CRITERE_EVENT", 3, fixe(critere_event)));
    t.push_back(cle_texte("CRITERE_SITE", 3, fixe(critere_site)));
    t.push_back(cle_texte("CRITERE_BLANC", 3, fixe(critere_blanc)));
    t.push_back(cle_texte("CRITERE_NOIR", 3, fixe(critere_noir)));
    t.push_back(cle_entiere("CRITERE_LESDEUX", G_D, 3, fixe(critere_lesdeux)));
    t.push_back(cle_texte("CRITERE_ECO", 3, fixe(critere_eco)));
    t.push_back(cle_texte("CRITERE_RONDE", 3, fixe(critere_ronde)));
    t.push_back(cle_texte("CRITERE_RESULTAT", 3, fixe(critere_resultat)));
    t.push_back(cle_texte("CRITERE_DATE", 3, fixe(critere_date)));
    // [MEL]
    t.push_back(cle_texte("BASE_CORRES", 4, fixe(base_corres)));
    t.push_back(cle_texte("ADRESSE_MEL", 4, fixe(adresse_mel)));
    t.push_back(borne(cle_entiere("NB_JOUR_MAX", Genre::entier_arrondi, 4, fixe(nb_jour_max)), 0, 32767));
    // Read, kept, never written.
    t.push_back(cle_texte("ACTUALITE_XML", -1, fixe(actualite_xml)));
    return t;
  }();
  return table;
}

bool est_blanc(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

bool dans(double v, double mini, double maxi) { return std::isfinite(v) && v >= mini && v <= maxi; }

// The largest magnitude of a decimal key: up to it a single-precision value
// holds every whole number and the file's seven significant digits write it
// back within the range, so what the machine counts with is what the file says.
constexpr double DECIMAL_MAX = 1e7;

// Converts `valeur` for key `c` into profile `p`; false when refused.
bool range_valeur(const Cle& c, const QString& valeur, int p) {
  switch (c.genre) {
    case Genre::texte:
      *c.texte(p) = valeur;
      return true;
    case Genre::pseudo:
      if (valeur.size() > LONGUEUR_PSEUDO_MAX) return false;
      *c.texte(p) = valeur;
      return true;
    case Genre::port: {
      const QString t = valeur.trimmed();
      if (t.isEmpty() || t.size() > 5) return false;
      for (QChar ch : t)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return false;
      if (!dans(t.toInt(), 1, 65535)) return false;
      *c.texte(p) = t;
      return true;
    }
    case Genre::heure:
      // Read as the clocks read it; two colons, nothing more or less.
      if (valeur.count(QLatin1Char(':')) != 2 || secondes_heure(valeur) < 0) return false;
      *c.texte(p) = valeur;
      return true;
    case Genre::octet:
    case Genre::entier:
    case Genre::drapeau:
    case Genre::entier_arrondi: {
      const std::optional<double> lu = nombre_reglage(valeur);
      if (!lu) return false;
      // A flag, and a key the file may write as a decimal, take the nearest
      // whole number (half to even); any other whole-number key takes a
      // whole number only: "3,5" there is refused, not read as 4.
      const bool arrondi = c.genre == Genre::drapeau || c.genre == Genre::entier_arrondi;
      const double v = arrondi ? std::rint(*lu) : *lu;
      if (v != std::trunc(v)) return false;
      const bool octet = c.genre == Genre::octet || c.genre == Genre::drapeau;
      if (!dans(v, octet ? 0 : c.mini, octet ? 255 : c.maxi)) return false;
      if (c.nom == "PROFONDEUR_MAX" && !dans(v, 0, 3)) return false;
      *c.entier(p) = static_cast<int>(v);
      return true;
    }
    case Genre::decimal: {
      const std::optional<double> v = nombre_reglage(valeur);
      if (!v || !dans(*v, -DECIMAL_MAX, DECIMAL_MAX)) return false;
      *c.reel(p) = static_cast<float>(*v);
      return true;
    }
  }
  return false;
}

QString valeur_ecrite(const Cle& c, int profil) {
  const int p = c.profil_ecrit ? c.profil_ecrit : profil;
  if (c.texte) {
    // One line per setting, read back item by item: a line break becomes a
    // blank; a comma is kept by quoting the whole line (see lignes_parametres).
    QString s = *c.texte(p);
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
  }
  if (c.entier) return QString::number(*c.entier(p));
  return texte_decimal(*c.reel(p));
}

}  // namespace

int mode_jeux_reglage() { return choix_en_attente.mode ? choix_en_attente.mode : mode_jeux; }

int profil_reglage() { return choix_en_attente.mode ? 1 : profil_moteur; }

bool applique_choix_en_attente() {
  if (!choix_en_attente.mode) return false;
  mode_jeux = choix_en_attente.mode;
  if (choix_en_attente.couleur) couleur_joueur = choix_en_attente.couleur;
  profil_moteur = 1;
  choix_en_attente = {};
  return true;
}

QString texte_decimal(float valeur) {
  QString s = QString::fromStdString(texte_nombre(valeur));
  if (s.startsWith(QStringLiteral("0."))) s.remove(0, 1);
  else if (s.startsWith(QStringLiteral("-0."))) s.remove(1, 1);
  // A negative value too small to show is written as nought, not "-0", which
  // would read back as a nought written "0".
  if (s == QStringLiteral("-0")) s = QStringLiteral("0");
  return s;
}

void reinitialise_parametres() {
  const QString appli = plateforme::chemin_appli();
  fichier_aide = QDir(appli).filePath(QStringLiteral("aide/index.html"));
  fichier_ini = QDir(appli).filePath(QStringLiteral("morvandel.ini"));
  dossier_etats = QDir(appli).filePath(QStringLiteral("etat")) + QLatin1Char('/');

  reinitialise_reglages_ouvertures();
  // [CALCUL]: the engine's factory values in profile 1, profile 1 in force.
  reinitialise_poids();
  for (int p = 0; p < 3; ++p) {
    nom_joueur[p].clear();
    nom_moteur[p].clear();
    niveau_elo[p] = 0;
    ouverture_defaut[p].clear();
    active_base_con[p] = 0;
  }
  const int p = 1;

  first_startup = 0;
  cle_langue = 1;
  mode_jeux = 1;
  lieu_jeu.clear();
  base_eco = QDir(appli).filePath(QStringLiteral("base/eco.db"));
  tri_eco = 0;
  deb_blanc = 0;
  curent_echiquier = QStringLiteral("echiquier.bmp");
  curent_piece = QStringLiteral("Morvandel");
  aff_repere = zip_partie = sauve_abrege = aff_nouvelle = 0;
  machine_trace_coup = 1;
  active_son = 1;
  imp = 0;
  bulle_aide = 0;
  partie_filtre.clear();
  max_seuil_partie = 1000;
  max_coup_ouverture = 0;
  ouverture_defaut[p] = QStringLiteral("e4");
  ouverture_aleatoire[p] = 1;
  file_log = QDir(appli).filePath(QStringLiteral("morvandel.log"));
  ges_log = 0;
  active_horloge = 1;
  delai_partie = QStringLiteral("00:15:00");
  delai_attente = 1000;
  version_xml = QString::fromLatin1(ADRESSE_VERSION);

  ip_mode_serveur = 0;
  ip_adresse_host = QStringLiteral("127.1.0.0");
  ip_num_port = QStringLiteral("5555");
  ip_nom_utilisateur = QStringLiteral("Joueur1");

  critere_event.clear();
  critere_site.clear();
  critere_blanc.clear();
  critere_noir.clear();
  critere_lesdeux = 0;
  critere_eco.clear();
  critere_ronde.clear();
  critere_resultat.clear();
  critere_date.clear();

  base_corres = QDir(appli).filePath(QStringLiteral("base/corres.db"));
  adresse_mel.clear();
  nb_jour_max = 0;
  actualite_xml.clear();

  analyse_ouverture = 1;
  piece_choisie = 0;
  seuil_note_haut = 600.0f;
  seuil_note_bas = -600.0f;
  const char* const elo[4] = {"1200", "1400", "1600", "1800"};
  for (int i = 0; i < 4; ++i) table_elo[i] = QString::fromLatin1(elo[i]);
  table_elo[4] = QString(4, QChar(0));
  // The sound table, filled in the order 1, 2, 3, 0, 5, 6, 12, 11, 10, 8, 9, 13.
  for (QString& s : sons) s.clear();
  const std::pair<int, const char*> noms_sons[12] = {
      {1, "mat.wav"},         {2, "up.wav"},          {3, "down.wav"},          {0, "erreur.wav"},
      {5, "connect.wav"},     {6, "dring.wav"},       {12, "commencer.wav"},    {11, "raisonable.wav"},
      {10, "je-suis-faible.wav"}, {8, "comportement.wav"}, {9, "mauvais.wav"}, {13, "beau-ca.wav"}};
  for (const auto& [indice, nom] : noms_sons)
    sons[indice] = QDir(appli).filePath(QStringLiteral("son/") + QString::fromLatin1(nom));
  fichier_pgn.clear();
  mode_charge = 0;
  message_mode = 0;
  mode_saisie_corres = 0;
  table_grille.clear();
  base_grille.clear();
  choix_en_attente = {};
}

void valeurs_sans_fichier() {
  first_startup = 0;
  tri_eco = 0;
  deb_blanc = 1;
  aff_repere = 1;
  zip_partie = 0;
  sauve_abrege = 1;
  aff_nouvelle = 1;
  active_son = 1;
  imp = 0;
  bulle_aide = 1;
  partie_filtre = QStringLiteral("*.PGN");
  max_seuil_partie = 1000;
  max_coup_ouverture = 10;
  ouverture_defaut[profil_moteur] = QStringLiteral("e4");
  ges_log = 0;
}

// --- Reading ------------------------------------------------------------------

QStringList decoupe_elements(const QString& ligne) {
  QStringList elements;
  int i = 0;
  const int n = ligne.size();
  while (true) {
    while (i < n && est_blanc(ligne[i])) ++i;
    QString element;
    if (i < n && ligne[i] == QLatin1Char('"')) {
      const int fin = ligne.indexOf(QLatin1Char('"'), i + 1);
      if (fin < 0) {
        element = ligne.mid(i + 1);
        i = n;
      } else {
        element = ligne.mid(i + 1, fin - i - 1);
        i = fin + 1;
        // What follows the closing quote up to the next comma is dropped.
        const int virgule = ligne.indexOf(QLatin1Char(','), i);
        i = virgule < 0 ? n : virgule;
      }
    } else {
      const int virgule = ligne.indexOf(QLatin1Char(','), i);
      const int fin = virgule < 0 ? n : virgule;
      element = ligne.mid(i, fin - i);
      i = fin;
    }
    elements << element;
    if (i >= n) break;
    ++i;  // the comma
  }
  return elements;
}

bool decoupe_reglage(const QString& element, QString& cle, QString& valeur) {
  const int egal = element.indexOf(QLatin1Char('='));
  if (egal < 0 || element.startsWith(QLatin1Char('['))) return false;
  cle = element.left(egal);
  valeur = element.mid(egal + 1);
  return true;
}

std::optional<double> nombre_reglage(const QString& texte) {
  // No setting's number needs more than a few dozen characters: a longer
  // text is refused before it is read.
  if (texte.size() > 100) return std::nullopt;
  // Characters outside Latin-1 become "?", which no number holds.
  return nombre_exact(texte.toLatin1().toStdString());
}

QString LectureParametres::message_rejet() const {
  if (valeurs_rejetees.isEmpty()) return QString();
  QString s = texte(915).arg(QDir::toNativeSeparators(chemin.isEmpty() ? fichier_ini : chemin));
  for (const QString& v : valeurs_rejetees) s += QStringLiteral("\r\n -> (") + v + QLatin1Char(')');
  s += QStringLiteral("\r\n") + texte(917);
  return s;
}

LectureParametres lit_parametres(const QString& chemin) {
  LectureParametres r;
  r.chemin = chemin;
  QStringList lignes;
  const QString absolu = QFileInfo(chemin).absoluteFilePath();
  if (!plateforme::lit_lignes(chemin, lignes, &r.erreur)) {
    fichier_illisible = absolu;
    raison_illisible = r.erreur;
    return r;
  }
  if (fichier_illisible == absolu) fichier_illisible.clear();
  r.lu = true;
  const std::vector<Cle>& table = table_cles();
  for (const QString& ligne : lignes) {
    const QStringList elements = decoupe_elements(ligne);
    for (qsizetype i = 0; i < elements.size(); ++i) {
      QString element = elements[i].trimmed();
      QString cle, valeur;
      if (!decoupe_reglage(element, cle, valeur)) continue;
      const Cle* trouvee = nullptr;
      for (const Cle& c : table)
        if (cle == QLatin1String(c.nom.c_str())) {
          trouvee = &c;
          break;
        }
      if (!trouvee) {
        r.cle_inconnue = element;
        return r;
      }
      // A number written with a decimal comma ("3,5") was cut at the comma
      // into items: the items after it that hold no key are its digits.
      if (!trouvee->texte)
        while (i + 1 < elements.size() && !elements[i + 1].contains(QLatin1Char('='))) {
          element += QLatin1Char(',') + elements[++i].trimmed();
          valeur = element.mid(element.indexOf(QLatin1Char('=')) + 1);
        }
      if (!range_valeur(*trouvee, valeur, profil_moteur)) r.valeurs_rejetees << plateforme::cite(element, 200);
    }
  }
  return r;
}

QStringList cles_acceptees() {
  QStringList l;
  for (const Cle& c : table_cles()) l << QString::fromStdString(c.nom);
  return l;
}

// --- Writing --------------------------------------------------------------------

QStringList lignes_parametres() {
  QStringList lignes;
  int section = -1;
  // A choice made for the games to come is what the file keeps.
  const int profil = profil_reglage();
  for (const Cle& c : table_cles()) {
    if (c.section < 0) continue;
    if (c.section != section) {
      section = c.section;
      lignes << QString::fromLatin1(SECTIONS[section]);
    }
    QString ligne = QString::fromStdString(c.nom) + QLatin1Char('=') +
                    (c.nom == "MODE_JEUX" ? QString::number(mode_jeux_reglage()) : valeur_ecrite(c, profil));
    if (ligne.contains(QLatin1Char(','))) {
      // The reader takes a quoted item whole: quote the line, and a double
      // quote inside it, which would end the item, becomes an apostrophe.
      ligne.replace(QLatin1Char('"'), QLatin1Char('\''));
      ligne = QLatin1Char('"') + ligne + QLatin1Char('"');
    }
    lignes << ligne;
  }
  return lignes;
}

bool sauve_parametres(const QString& chemin) {
  const QString absolu = QFileInfo(chemin).absoluteFilePath();
  if (!fichier_illisible.isEmpty() && absolu == fichier_illisible) {
    // What the file holds was never read: replacing it loses it.
    if (plateforme::boite_message(raison_illisible + QStringLiteral("\r\n") + QDir::toNativeSeparators(chemin) +
                                      texte(216),
                                  boite::OUI_NON + boite::EXCLAMATION) != boite::OUI)
      return false;
  }
  QString erreur;
  if (!plateforme::ecrit_lignes(chemin, lignes_parametres(), &erreur)) {
    plateforme::boite_erreur(erreur);
    return false;
  }
  if (absolu == fichier_illisible) fichier_illisible.clear();
  return true;
}

// --- One key at a time ---------------------------------------------------------------

namespace {
const Cle* cle_nommee(const QString& nom) {
  for (const Cle& c : table_cles())
    if (nom == QLatin1String(c.nom.c_str())) return &c;
  return nullptr;
}
}  // namespace

bool valeur_acceptee(const QString& cle, const QString& valeur) {
  const Cle* c = cle_nommee(cle);
  if (!c) return false;
  // Tried on the unused profile 0; a key of one value is put back as it was.
  const int p = 0;
  const QString texte = c->texte ? *c->texte(p) : QString();
  const int entier = c->entier ? *c->entier(p) : 0;
  const float reel = c->reel ? *c->reel(p) : 0.0f;
  const bool ok = range_valeur(*c, valeur, p);
  if (c->texte) *c->texte(p) = texte;
  if (c->entier) *c->entier(p) = entier;
  if (c->reel) *c->reel(p) = reel;
  return ok;
}

QString valeur_reglage(const QString& cle, int profil) {
  const Cle* c = cle_nommee(cle);
  if (!c || profil < 0 || profil >= 3) return QString();
  if (c->texte) return *c->texte(profil);
  if (c->entier) return QString::number(*c->entier(profil));
  return texte_decimal(*c->reel(profil));
}

bool range_reglage(const QString& cle, const QString& valeur, int profil) {
  const Cle* c = cle_nommee(cle);
  if (!c || profil < 0 || profil >= 3 || !valeur_acceptee(cle, valeur)) return false;
  return range_valeur(*c, valeur, profil);
}
