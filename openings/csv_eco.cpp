#include "openings/csv_eco.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "chess/messages.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "openings/ligne_eco.h"

#include "openings/base_eco.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/evenements.h"
#include "platform/fichiers_texte.h"

namespace {

constexpr int TEXTE_FICHIERS = 215;
constexpr int TEXTE_EXISTE = 216;
constexpr int TEXTE_CHARGEMENT = 258;
constexpr int TEXTE_PRET_EXPORT = 272;
constexpr int TEXTE_CONVERSION = 273;
constexpr int TEXTE_OUVERTURES = 274;
constexpr int TEXTE_EXPORTEES = 275;
constexpr int TEXTE_AUCUNE_EXPORTEE = 276;
constexpr int TEXTE_PRET_IMPORT = 277;
constexpr int TEXTE_ATTENTION = 278;
constexpr int TEXTE_CONTINUER = 297;
constexpr int TEXTE_TITRE_EXPORT = 318;
constexpr int TEXTE_TITRE_IMPORT = 319;
constexpr int TEXTE_IMPORTEES = 343;
constexpr int TEXTE_AUCUNE_IMPORTEE = 344;
constexpr int TEXTE_GUILLEMET_INTERIEUR = 741;
constexpr int TEXTE_APRES_GUILLEMET = 742;
constexpr int TEXTE_COUPS_ILLISIBLES = 743;

// Rows between two updates of the progress window.
constexpr int PAS_PROGRESSION = 500;

const QString VRAI = QStringLiteral("Vrai");
const QString FAUX = QStringLiteral("Faux");

// What is wrong with the quoting of a CSV text, at the first record that
// has it (line 0: nothing).
struct FauteCsv {
  enum Genre { AUCUNE, NON_FERME, GUILLEMET_INTERIEUR, TEXTE_APRES } genre = AUCUNE;
  int ligne = 0;
};

// The records of `t`. A quoted field left open takes the rest of the text; a
// quote inside a field that does not begin with one, and text after a
// closing quote, are kept as they stand. The first of these faults goes to
// `faute`.
QList<EnregistrementCsv> lit_enregistrements(const QString& t, FauteCsv* faute = nullptr) {
  auto signale = [&](FauteCsv::Genre genre, int ligne) {
    if (faute && faute->genre == FauteCsv::AUCUNE) *faute = {genre, ligne};
  };
  QList<EnregistrementCsv> liste;
  const qsizetype n = t.size();
  qsizetype i = 0;
  int ligne = 1;
  qsizetype nb_champs = 1;  // the last record's, room made for as many
  while (i < n) {
    EnregistrementCsv e;
    e.ligne = ligne;
    e.champs.reserve(nb_champs);
    while (true) {
      QString champ;
      const bool entre_guillemets = i < n && t[i] == QLatin1Char('"');
      if (entre_guillemets) {
        ++i;
        bool ferme = false;
        while (i < n) {
          // The text up to the next quote, in one piece.
          qsizetype q = t.indexOf(QLatin1Char('"'), i);
          if (q < 0) q = n;
          ligne += static_cast<int>(QStringView(t).mid(i, q - i).count(QLatin1Char('\n')));
          champ += QStringView(t).mid(i, q - i);
          i = q;
          if (i >= n) break;
          if (i + 1 < n && t[i + 1] == QLatin1Char('"')) {
            champ += QLatin1Char('"');
            i += 2;
            continue;
          }
          ++i;
          ferme = true;
          break;
        }
        if (!ferme) signale(FauteCsv::NON_FERME, e.ligne);
      }
      // Unquoted text, or what follows a closing quote, up to the separator.
      qsizetype fin = i;
      while (fin < n && t[fin] != QLatin1Char(';') && t[fin] != QLatin1Char('\r') && t[fin] != QLatin1Char('\n'))
        ++fin;
      if (fin > i) {
        const QStringView reste = QStringView(t).mid(i, fin - i);
        if (entre_guillemets && !reste.trimmed().isEmpty()) signale(FauteCsv::TEXTE_APRES, e.ligne);
        if (!entre_guillemets && reste.contains(QLatin1Char('"'))) signale(FauteCsv::GUILLEMET_INTERIEUR, e.ligne);
        champ += reste;
      }
      i = fin;
      e.champs.append(std::move(champ));
      if (i < n && t[i] == QLatin1Char(';')) {
        ++i;
        continue;
      }
      break;
    }
    if (i < n && t[i] == QLatin1Char('\r')) ++i;
    if (i < n && t[i] == QLatin1Char('\n')) ++i;
    ++ligne;
    nb_champs = e.champs.size();
    liste.append(std::move(e));
  }
  return liste;
}

// Why a record's quoting is refused.
QString raison_faute(FauteCsv::Genre genre) {
  switch (genre) {
    case FauteCsv::NON_FERME:
      return texte_ouvertures(846);
    case FauteCsv::GUILLEMET_INTERIEUR:
      return texte_ouvertures(TEXTE_GUILLEMET_INTERIEUR);
    case FauteCsv::TEXTE_APRES:
      return texte_ouvertures(TEXTE_APRES_GUILLEMET);
    case FauteCsv::AUCUNE:
      break;
  }
  return QString();
}

bool est_resultat(std::string_view jeton) {
  return jeton == "*" || jeton == "1-0" || jeton == "0-1" || jeton == "1/2-1/2";
}

// The blanks between the tokens of a line: space, tab, LF, VT, FF, CR.
bool est_blanc(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The token without its move number ("12." or "12..." before it).
std::string_view sans_numero(std::string_view jeton) {
  std::size_t chiffres = 0;
  while (chiffres < jeton.size() && jeton[chiffres] >= '0' && jeton[chiffres] <= '9') ++chiffres;
  std::size_t points = chiffres;
  while (points < jeton.size() && jeton[points] == '.') ++points;
  return chiffres > 0 && points > chiffres ? jeton.substr(points) : jeton;
}

// The moves of a line as the opening base stores them: played from the start
// with the program's own move reader (on the board `lecteur` keeps from one
// line to the next), written as the game record writes them, followed by the
// line's result ("*" when it has none). Empty when a token is no legal move
// (or a move follows the result); `fautif` then receives it.
QString coups_de_ligne(const QString& champ, QString& fautif, LecteurLignes& lecteur) {
  // The blanks and the move numbers are ASCII: the tokens are cut out of the
  // UTF-8 text as they stand.
  const QByteArray octets = champ.toUtf8();
  const std::string_view t(octets.constData(), static_cast<std::size_t>(octets.size()));
  std::vector<std::string> coups;
  std::vector<std::string_view> ecrits;  // each move as the line writes it
  coups.reserve(32);
  ecrits.reserve(32);
  std::string_view premier, resultat;
  std::size_t i = 0;
  while (true) {
    while (i < t.size() && est_blanc(t[i])) ++i;
    if (i >= t.size()) break;
    std::size_t fin = i;
    while (fin < t.size() && !est_blanc(t[fin])) ++fin;
    const std::string_view jeton = t.substr(i, fin - i);
    i = fin;
    if (premier.empty()) premier = jeton;
    const std::string_view coup = sans_numero(jeton);
    if (coup.empty() || est_annotation(std::string(coup))) continue;
    if (!resultat.empty()) {
      fautif = QString::fromUtf8(jeton.data(), static_cast<qsizetype>(jeton.size()));
      return QString();
    }
    if (est_resultat(coup)) {
      resultat = coup;
      continue;
    }
    coups.emplace_back(coup);
    ecrits.push_back(jeton);
  }
  if (coups.empty()) {
    fautif = QString::fromUtf8(premier.data(), static_cast<qsizetype>(premier.size()));
    return QString();
  }
  std::string texte;
  std::size_t lus = 0;
  // The line's own message names the move; the reader's box would be a second one.
  const ErreursMuettes muettes;
  if (!lecteur.lit(coups, texte, lus)) {
    fautif = QString::fromUtf8(ecrits[lus].data(), static_cast<qsizetype>(ecrits[lus].size()));
    return QString();
  }
  texte += ' ';
  texte += resultat.empty() ? std::string_view("*") : resultat;
  return QString::fromStdString(texte);
}

bool est_booleen(const plateforme::DefinitionColonne& c) {
  return c.type.compare(QLatin1String("BOOLEAN"), Qt::CaseInsensitive) == 0;
}

// A value of the table as a field.
QString champ_de(const QVariant& v, bool booleen) {
  if (v.isNull()) return booleen ? FAUX : QString();
  if (booleen) return v.toLongLong() != 0 ? VRAI : FAUX;
  switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
      return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return QString::number(v.toLongLong());
    default:
      return v.toString();
  }
}

// A number of the file: "." or "," before the decimals, an exponent allowed.
std::optional<double> nombre_de(const QString& champ) { return nombre_exact(champ.toStdString()); }

QVariant texte_ou_nul(const QString& champ) { return champ.isEmpty() ? QVariant() : QVariant(champ); }

QString natif(const QString& chemin) { return QDir::toNativeSeparators(chemin); }

// The progress window of a transfer, closed however the job ends.
class Progression {
 public:
  explicit Progression(const QString& titre) : fenetre_(progression_ouvertures()) {
    plateforme::curseur_attente(true);
    if (fenetre_) fenetre_->montre(titre);
  }
  ~Progression() {
    if (fenetre_) fenetre_->ferme();
    plateforme::curseur_attente(false);
  }
  void montre(int fait, int total) {
    if (fenetre_) {
      fenetre_->definit_libelle(QString::number(fait) + texte_ouvertures(TEXTE_OUVERTURES));
      fenetre_->progression(total > 0 ? 100.0 / total * fait : 100.0);
    }
    plateforme::laisse_passer();
  }

 private:
  FenetreProgression* fenetre_;
};

QString filtre_csv() { return texte_ouvertures(TEXTE_FICHIERS) + QStringLiteral(" CSV (*.csv)|*.csv"); }

}  // namespace

QList<EnregistrementCsv> lit_csv(const QString& texte) {
  FauteCsv faute;
  QList<EnregistrementCsv> r = lit_enregistrements(texte, &faute);
  if (faute.genre != FauteCsv::AUCUNE)
    throw std::runtime_error(texte_ouvertures(844).arg(faute.ligne).arg(raison_faute(faute.genre)).toStdString());
  return r;
}

QString ligne_csv(const QStringList& champs) {
  QStringList sortie;
  sortie.reserve(champs.size());
  for (const QString& c : champs) {
    if (c.contains(QLatin1Char(';')) || c.contains(QLatin1Char('"')) || c.contains(QLatin1Char('\r')) ||
        c.contains(QLatin1Char('\n'))) {
      QString q = c;
      q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
      sortie << QLatin1Char('"') + q + QLatin1Char('"');
    } else {
      sortie << c;
    }
  }
  return sortie.join(QLatin1Char(';'));
}

QString decoupe_ligne_csv(int n, const QString& ligne) {
  const QList<EnregistrementCsv> r = lit_enregistrements(ligne);
  if (n < 1 || r.isEmpty() || n > r.first().champs.size()) return QString();
  return r.first().champs.at(n - 1);
}

QString texte_csv(const QByteArray& octets) {
  QString t = plateforme::decode_texte(octets);
  if (t.startsWith(QChar(0xFEFF))) t.remove(0, 1);
  return t;
}

int exporte_table_eco(const QString& base, const QString& chemin,
                      const std::function<void(int, int)>& apres_ligne) {
  plateforme::BaseDonnees b(QStringLiteral("csv_eco"));
  b.ouvre(base);
  const QList<plateforme::DefinitionColonne> colonnes = b.colonnes(QStringLiteral("ECO"));
  QStringList noms;
  QList<bool> booleens;
  for (const auto& c : colonnes) {
    noms << c.nom;
    booleens << est_booleen(c);
  }
  const int total = b.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt();
  QString texte = ligne_csv(noms) + QStringLiteral("\r\n");
  int compteur = 0;
  QStringList champs;
  for (auto rs = b.requete(QStringLiteral("SELECT * FROM ECO ORDER BY rowid")); !rs.fin(); rs.suivant()) {
    champs.clear();
    for (int i = 0; i < noms.size(); ++i) champs << champ_de(rs.valeur(noms[i]), booleens[i]);
    texte += ligne_csv(champs);
    texte += QStringLiteral("\r\n");
    ++compteur;
    if (apres_ligne && compteur % PAS_PROGRESSION == 0) apres_ligne(compteur, total);
  }
  b.ferme();
  QString erreur;
  if (!plateforme::remplace_fichier(chemin, QByteArray("\xEF\xBB\xBF") + texte.toUtf8(), &erreur))
    throw std::runtime_error(erreur.toStdString());
  if (apres_ligne) apres_ligne(compteur, total);
  return compteur;
}

int importe_table_eco(const QString& base, const QString& chemin,
                      const std::function<void(int, int)>& apres_ligne) {
  QByteArray octets;
  QString erreur;
  if (!plateforme::lit_octets(chemin, octets, &erreur)) throw std::runtime_error(erreur.toStdString());
  const QString texte = texte_csv(octets);
  FauteCsv faute;
  const QList<EnregistrementCsv> enregistrements = lit_enregistrements(texte, &faute);

  // Every line is read and checked before the table is touched.
  QList<QVariantList> lignes;
  // Fields are taken by position: the table's six columns.
  constexpr int nb_champs = 6;
  bool entete = true;
  auto refuse = [&](int ligne, const QString& pourquoi) {
    throw std::runtime_error(texte_ouvertures(845)
                                 .arg(natif(chemin))
                                 .arg(ligne)
                                 .arg(pourquoi)
                                 .toStdString());
  };
  if (faute.genre != FauteCsv::AUCUNE) refuse(faute.ligne, raison_faute(faute.genre));
  const int nb_enregistrements = static_cast<int>(enregistrements.size());
  lignes.reserve(nb_enregistrements);
  LecteurLignes lecteur;
  for (int k = 0; k < nb_enregistrements; ++k) {
    const EnregistrementCsv& e = enregistrements[k];
    // Every line's moves are played: the window shows the reading too.
    if (apres_ligne && k > 0 && k % PAS_PROGRESSION == 0) apres_ligne(k, nb_enregistrements);
    const bool vide = e.champs.size() == 1 && e.champs.first().trimmed().isEmpty();
    if (vide) continue;
    if (entete) {  // the header: the names are not read
      entete = false;
      continue;
    }
    if (e.champs.size() > nb_champs)
      refuse(e.ligne, texte_ouvertures(847).arg(e.champs.size()).arg(nb_champs));
    auto champ = [&](int n) { return n <= e.champs.size() ? e.champs.at(n - 1) : QString(); };
    if (champ(4).trimmed().isEmpty()) refuse(e.ligne, texte_ouvertures(848));
    QString fautif;
    const QString coups = coups_de_ligne(champ(4), fautif, lecteur);
    if (coups.isEmpty()) refuse(e.ligne, texte_ouvertures(TEXTE_COUPS_ILLISIBLES) + QLatin1Char(' ') + fautif);
    QVariant note;
    if (!champ(6).trimmed().isEmpty()) {
      const std::optional<double> v = nombre_de(champ(6));
      if (!v || !std::isfinite(*v) || std::fabs(*v) > 1e15)
        refuse(e.ligne, texte_ouvertures(849).arg(champ(6)));
      // A rating is a whole number: a half goes to the even neighbour.
      note = static_cast<qint64>(std::nearbyint(*v));
    }
    lignes << QVariantList{static_cast<qint64>(lignes.size() + 1), texte_ou_nul(champ(2)), texte_ou_nul(champ(3)),
                           coups, champ(5) == VRAI ? 1 : 0, note};
  }
  if (lignes.isEmpty()) return 0;

  plateforme::BaseDonnees b(QStringLiteral("csv_eco"));
  b.ouvre(base);
  const int total = static_cast<int>(lignes.size());
  b.transaction([&] {
    // The indexes are made again once the rows are in: built from the
    // sorted rows, faster than kept up to date row by row.
    QStringList noms, index;
    for (auto rs = b.requete(QStringLiteral(
             "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'ECO' COLLATE NOCASE "
             "AND sql IS NOT NULL"));
         !rs.fin(); rs.suivant()) {
      noms << rs.texte(QStringLiteral("name"));
      index << rs.texte(QStringLiteral("sql"));
    }
    for (QString nom : noms)
      b.execute(QStringLiteral("DROP INDEX \"%1\"").arg(nom.replace(QLatin1Char('"'), QStringLiteral("\"\""))));
    b.execute(QStringLiteral("DELETE FROM ECO"));
    plateforme::Instruction ajout = b.instruction(QStringLiteral(
        "INSERT INTO ECO (Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) VALUES (?, ?, ?, ?, ?, ?)"));
    for (int k = 0; k < total; ++k) {
      ajout.execute(lignes[k]);
      if (apres_ligne && (k + 1) % PAS_PROGRESSION == 0) apres_ligne(k + 1, total);
    }
    for (const QString& sql : index) b.execute(sql);
  });
  b.ferme();
  if (apres_ligne) apres_ligne(total, total);
  return total;
}

void exporte_eco_csv() {
  QString chemin = fichier_travail_base(true, texte_ouvertures(TEXTE_TITRE_EXPORT), filtre_csv(), QStringLiteral("eco"));
  if (chemin.isEmpty()) return;
  if (QFileInfo(chemin).suffix().isEmpty()) chemin += QStringLiteral(".csv");
  if (plateforme::boite_message(texte_ouvertures(TEXTE_PRET_EXPORT), boite::OUI_NON) != boite::OUI) return;
  try {
    if (QFileInfo::exists(chemin) &&
        plateforme::boite_message(natif(chemin) + texte_ouvertures(TEXTE_EXISTE), boite::OUI_NON) != boite::OUI)
      return;
    GardeBase garde;
    int n = 0;
    {
      Progression progression(texte_ouvertures(TEXTE_CONVERSION) + natif(chemin));
      n = exporte_table_eco(base_eco, chemin, [&](int fait, int total) { progression.montre(fait, total); });
    }
    plateforme::boite_message(n > 0 ? QString::number(n) + texte_ouvertures(TEXTE_EXPORTEES)
                                    : texte_ouvertures(TEXTE_AUCUNE_EXPORTEE),
                              boite::OK_SEUL);
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_erreur(plateforme::avec_detail(texte_ouvertures(861), e.detail()));
  } catch (const std::exception& e) {
    plateforme::boite_erreur(QString::fromUtf8(e.what()));
  }
}

void importe_eco_csv() {
  const QString chemin =
      fichier_travail_base(false, texte_ouvertures(TEXTE_TITRE_IMPORT), filtre_csv(), QStringLiteral("eco"));
  if (chemin.isEmpty()) return;
  if (plateforme::boite_message(texte_ouvertures(TEXTE_PRET_IMPORT) + QStringLiteral("\r\n") +
                                    texte_ouvertures(TEXTE_ATTENTION),
                                boite::OUI_NON) != boite::OUI)
    return;
  if (plateforme::boite_message(texte_ouvertures(TEXTE_ATTENTION) + QStringLiteral(" - ") +
                                    texte_ouvertures(TEXTE_CONTINUER),
                                boite::OUI_NON + boite::QUESTION) != boite::OUI)
    return;
  try {
    GardeBase garde;
    int n = 0;
    {
      Progression progression(texte_ouvertures(TEXTE_CHARGEMENT) + natif(chemin) + QStringLiteral(" ..."));
      n = importe_table_eco(base_eco, chemin, [&](int fait, int total) { progression.montre(fait, total); });
    }
    if (n > 0)
      plateforme::boite_message(QString::number(n) + texte_ouvertures(TEXTE_IMPORTEES), boite::INFORMATION);
    else
      plateforme::boite_erreur(texte_ouvertures(TEXTE_AUCUNE_IMPORTEE));
  } catch (const plateforme::ErreurBase& e) {
    plateforme::boite_erreur(plateforme::avec_detail(texte_ouvertures(860), e.detail()));
  } catch (const std::exception& e) {
    plateforme::boite_erreur(QString::fromUtf8(e.what()));
  }
}
