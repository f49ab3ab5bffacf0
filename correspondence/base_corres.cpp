#include "correspondence/base_corres.h"

#include <atomic>

#include "platform/base_donnees.h"

namespace {

// One connection per operation, under a name of its own.
class Ouverture {
 public:
  explicit Ouverture(const QString& chemin) : base_(nom()) { base_.ouvre(chemin); }
  plateforme::BaseDonnees& base() { return base_; }

 private:
  static QString nom() {
    static std::atomic<int> n{0};
    return QStringLiteral("corres_%1").arg(++n);
  }
  plateforme::BaseDonnees base_;
};

QVariant date_ou_nul(const QDate& d) { return d.isValid() ? QVariant(date_stockee(d)) : QVariant(QMetaType(QMetaType::QString)); }
QVariant texte_ou_nul(const QString& t) { return t.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(t); }

bool vrai(const QVariant& v) {
  const QString t = v.toString().trimmed().toLower();
  return t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("vrai") || t == QLatin1String("-1");
}

PartieCorres partie_de(const plateforme::JeuEnregistrements& j) {
  PartieCorres p;
  p.cle = j.valeur(QStringLiteral("Cle")).toLongLong();
  const QVariant adverse = j.valeur(QStringLiteral("Cle adverse"));
  bool nombre = false;
  const qlonglong n = adverse.toString().trimmed().toLongLong(&nombre);
  if (!adverse.isNull() && nombre) p.cle_adverse = n;
  p.lieu = j.texte(QStringLiteral("Lieu"));
  p.jai_blanc = vrai(j.valeur(QStringLiteral("JAIBLANC")));
  p.blanc = j.texte(QStringLiteral("BLANC"));
  p.noir = j.texte(QStringLiteral("NOIR"));
  p.mel_blanc = j.texte(QStringLiteral("Mel Blanc"));
  p.mel_noir = j.texte(QStringLiteral("Mel Noir"));
  for (auto [col, cible] : {std::pair{"Elo Blanc", &p.elo_blanc}, std::pair{"Elo Noir", &p.elo_noir}}) {
    const QVariant v = j.valeur(QString::fromLatin1(col));
    const qlonglong e = v.toString().trimmed().toLongLong(&nombre);
    if (!v.isNull() && nombre) *cible = e;
  }
  p.debut = lit_date(j.texte(QStringLiteral("Date debut")));
  p.fin = lit_date(j.texte(QStringLiteral("Date fin")));
  p.resultat = j.texte(QStringLiteral("Resultat"));
  p.avertir = vrai(j.valeur(QStringLiteral("Avertir")));
  p.coups = j.texte(QStringLiteral("Move"));
  const int notation = j.texte(QStringLiteral("notation")).trimmed().toInt(&nombre);
  p.notation = nombre ? notation : 0;
  p.date_envoi = lit_date(j.texte(QStringLiteral("Date coup envoyé")));
  p.dernier_envoye = j.texte(QStringLiteral("Dernier coup envoyé"));
  p.date_recu = lit_date(j.texte(QStringLiteral("Date coup recu")));
  p.dernier_recu = j.texte(QStringLiteral("Dernier coup recu"));
  return p;
}

// The columns the manager writes.
plateforme::Champs description(const PartieCorres& p) {
  plateforme::Champs c = {
      {QStringLiteral("Lieu"), p.lieu},
      {QStringLiteral("JAIBLANC"), p.jai_blanc ? 1 : 0},
      {QStringLiteral("BLANC"), p.blanc},
      {QStringLiteral("NOIR"), p.noir},
      {QStringLiteral("Mel Blanc"), p.mel_blanc},
      {QStringLiteral("Mel Noir"), p.mel_noir},
      {QStringLiteral("Elo Blanc"), p.elo_blanc},
      {QStringLiteral("Elo Noir"), p.elo_noir},
      {QStringLiteral("Date debut"), date_ou_nul(p.debut)},
      {QStringLiteral("Date fin"), date_ou_nul(p.fin)},
      {QStringLiteral("Cle adverse"), p.cle_adverse},
      {QStringLiteral("Resultat"), texte_ou_nul(p.resultat)},
      {QStringLiteral("Avertir"), p.avertir ? 1 : 0},
      {QStringLiteral("notation"), p.notation},
  };
  if (!p.coups.trimmed().isEmpty()) c.append({QStringLiteral("Move"), p.coups.trimmed()});
  return c;
}

}  // namespace

QString date_stockee(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }
QString date_affichee(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }

QDate lit_date(const QString& texte) {
  const QString t = texte.trimmed();
  for (const char* forme : {"yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-ddTHH:mm:ss"}) {
    const QDate d = QDate::fromString(t, QString::fromLatin1(forme));
    if (d.isValid()) return d;
  }
  return {};
}

QString reference(const QVariant& valeur) {
  if (valeur.isNull() || !valeur.isValid()) return QString();
  return QStringLiteral("%1").arg(valeur.toLongLong(), 4, 10, QLatin1Char('0'));
}

std::vector<PartieCorres> lit_parties(const QString& chemin) {
  Ouverture o(chemin);
  plateforme::JeuEnregistrements j =
      o.base().requete(QStringLiteral("SELECT * FROM PARTIE ORDER BY \"Date debut\" DESC, Cle"));
  std::vector<PartieCorres> parties;
  for (j.premier(); !j.fin(); j.suivant()) parties.push_back(partie_de(j));
  return parties;
}

std::optional<PartieCorres> lit_partie(const QString& chemin, qint64 cle) {
  Ouverture o(chemin);
  plateforme::JeuEnregistrements j = o.base().requete(QStringLiteral("SELECT * FROM PARTIE WHERE Cle = ?"), {cle});
  if (!j.premier()) return std::nullopt;
  return partie_de(j);
}

qint64 ajoute_partie(const QString& chemin, const PartieCorres& p) {
  Ouverture o(chemin);
  return o.base().ajoute(QStringLiteral("PARTIE"), description(p));
}

bool modifie_partie(const QString& chemin, const PartieCorres& p) {
  Ouverture o(chemin);
  return o.base().met_a_jour(QStringLiteral("PARTIE"), description(p), QStringLiteral("Cle"), p.cle) > 0;
}

bool supprime_partie(const QString& chemin, qint64 cle) {
  Ouverture o(chemin);
  return o.base().execute(QStringLiteral("DELETE FROM PARTIE WHERE Cle = ?"), {cle}) > 0;
}

bool enregistre_coup_envoye(const QString& chemin, qint64 cle, const QString& coups, const QString& coup,
                            const QDate& jour) {
  Ouverture o(chemin);
  return o.base().met_a_jour(QStringLiteral("PARTIE"),
                             {{QStringLiteral("Move"), coups},
                              {QStringLiteral("Date coup envoyé"), date_ou_nul(jour)},
                              {QStringLiteral("Dernier coup envoyé"), coup}},
                             QStringLiteral("Cle"), cle) > 0;
}

bool enregistre_coup_recu(const QString& chemin, qint64 cle, const QString& coups, const QString& coup,
                          const QDate& jour) {
  Ouverture o(chemin);
  return o.base().met_a_jour(QStringLiteral("PARTIE"),
                             {{QStringLiteral("Move"), coups},
                              {QStringLiteral("Date coup recu"), date_ou_nul(jour)},
                              {QStringLiteral("Dernier coup recu"), coup}},
                             QStringLiteral("Cle"), cle) > 0;
}
