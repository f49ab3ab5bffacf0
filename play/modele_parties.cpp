#include "play/modele_parties.h"

#include <algorithm>
#include <cstring>
#include <numeric>

QString cle_ronde(const QString& ronde) {
  bool entier = false;
  const qlonglong n = ronde.trimmed().toLongLong(&entier);
  if (!entier || n < 0) return ronde;
  return QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0'));
}

namespace {

// Site, Date and Result are shown in capitals.
bool en_capitales(int colonne) { return colonne == 1 || colonne == 2 || colonne == 6; }

}  // namespace

ModeleParties::ModeleParties(QObject* parent) : QAbstractTableModel(parent) {}

void ModeleParties::definit_icones(const QIcon& choisie, const QIcon& chargee) {
  icone_choisie_ = choisie;
  icone_chargee_ = chargee;
  if (publiees_ > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void ModeleParties::definit_titres(const QStringList& titres) {
  titres_ = titres;
  emit headerDataChanged(Qt::Horizontal, 0, NB_COLONNES - 1);
}

void ModeleParties::commence(const QString& chemin) {
  if (chemin != fichier_) {
    // Another file: the games loaded from the earlier one are not in it.
    choisie_ = -1;
    chargees_.clear();
  }
  fichier_ = chemin;
  vide();
}

void ModeleParties::vide() {
  beginResetModel();
  std::vector<Ligne>().swap(lignes_);
  blocs_.clear();
  taille_bloc_ = rempli_ = 0;
  publiees_ = 0;
  endResetModel();
}

namespace {
constexpr std::size_t TAILLE_BLOC = 64 * 1024;
}

char* ModeleParties::place(std::size_t octets) {
  if (blocs_.empty() || rempli_ + octets > taille_bloc_) {
    taille_bloc_ = std::max(octets, TAILLE_BLOC);
    blocs_.emplace_back(new char[taille_bloc_]);
    rempli_ = 0;
  }
  char* p = blocs_.back().get() + rempli_;
  rempli_ += octets;
  return p;
}

void ModeleParties::prepare(std::int64_t debut, const QString* textes) {
  Ligne l{debut, 0, 0, {}};
  std::size_t octets = 0;
  for (int i = 0; i < NB_TEXTES; ++i) {
    const qsizetype n = std::min<qsizetype>(textes[i].size(), LONGUEUR_MAX);
    const char16_t* c = reinterpret_cast<const char16_t*>(textes[i].utf16());
    const bool latin1 = std::all_of(c, c + n, [](char16_t u) { return u < 0x100; });
    l.longueurs[i] = static_cast<std::uint16_t>(n | (latin1 ? 0 : UTF16));
    octets += static_cast<std::size_t>(n) * (latin1 ? 1 : 2);
  }
  char* p = place(octets);
  l.bloc = static_cast<std::uint32_t>(blocs_.size() - 1);
  l.octet = static_cast<std::uint32_t>(p - blocs_.back().get());
  for (int i = 0; i < NB_TEXTES; ++i) {
    const std::size_t n = l.longueurs[i] & ~UTF16;
    const char16_t* c = reinterpret_cast<const char16_t*>(textes[i].utf16());
    if (l.longueurs[i] & UTF16) {
      std::memcpy(p, c, n * 2);
      p += n * 2;
    } else {
      for (std::size_t k = 0; k < n; ++k) *p++ = static_cast<char>(c[k]);
    }
  }
  lignes_.push_back(l);
}

void ModeleParties::publie() {
  if (lignes_.size() == publiees_) return;
  beginInsertRows(QModelIndex(), static_cast<int>(publiees_), static_cast<int>(lignes_.size()) - 1);
  publiees_ = lignes_.size();
  endInsertRows();
}

QString ModeleParties::valeur(const Ligne& l, int colonne) const {
  const char* p = blocs_[l.bloc].get() + l.octet;
  for (int i = 0; i < colonne; ++i) p += (l.longueurs[i] & ~UTF16) * (l.longueurs[i] & UTF16 ? 2 : 1);
  const qsizetype n = l.longueurs[colonne] & ~UTF16;
  if (!(l.longueurs[colonne] & UTF16)) return QString::fromLatin1(p, n);
  QString t(n, Qt::Uninitialized);
  std::memcpy(t.data(), p, static_cast<std::size_t>(n) * 2);
  return t;
}

QString ModeleParties::texte(const Ligne& l, int colonne) const {
  if (colonne == COLONNE_CLE_RONDE) return cle_ronde(valeur(l, 3));
  const QString t = valeur(l, colonne);
  return en_capitales(colonne) ? t.toUpper() : t;
}

std::int64_t ModeleParties::debut(int ligne) const {
  return ligne >= 0 && ligne < rowCount() ? lignes_[static_cast<std::size_t>(ligne)].debut : -1;
}

QString ModeleParties::valeur(int ligne, int colonne) const {
  if (ligne < 0 || ligne >= rowCount() || colonne < 0 || colonne >= NB_TEXTES) return {};
  return valeur(lignes_[static_cast<std::size_t>(ligne)], colonne);
}

QString ModeleParties::texte(int ligne, int colonne) const {
  if (ligne < 0 || ligne >= rowCount() || colonne < 0 || colonne >= NB_COLONNES) return {};
  return texte(lignes_[static_cast<std::size_t>(ligne)], colonne);
}

void ModeleParties::marque_chargee(std::int64_t debut) {
  if (choisie_ >= 0) chargees_.insert(choisie_);
  choisie_ = debut;
  if (publiees_ > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void ModeleParties::sort(int colonne, Qt::SortOrder ordre) {
  if (colonne < 0 || colonne >= NB_COLONNES || publiees_ < 2) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  // Games prepared and not yet shown stay after the rows.
  const std::size_t n = publiees_;
  std::vector<QString> cles(n);
  for (std::size_t i = 0; i < n; ++i) cles[i] = texte(lignes_[i], colonne);
  std::vector<std::uint32_t> ordre_lignes(n);
  std::iota(ordre_lignes.begin(), ordre_lignes.end(), 0U);
  std::stable_sort(ordre_lignes.begin(), ordre_lignes.end(), [&](std::uint32_t a, std::uint32_t b) {
    return ordre == Qt::AscendingOrder ? cles[a] < cles[b] : cles[b] < cles[a];
  });
  std::vector<Ligne> triees(lignes_.size());
  std::vector<int> place(n);
  for (std::size_t i = 0; i < n; ++i) {
    triees[i] = lignes_[ordre_lignes[i]];
    place[ordre_lignes[i]] = static_cast<int>(i);
  }
  std::copy(lignes_.begin() + static_cast<std::ptrdiff_t>(n), lignes_.end(),
            triees.begin() + static_cast<std::ptrdiff_t>(n));
  lignes_.swap(triees);
  // The views' current rows and selections follow their games.
  const QModelIndexList avant = persistentIndexList();
  QModelIndexList apres;
  apres.reserve(avant.size());
  for (const QModelIndex& i : avant)
    apres << (i.isValid() ? index(place[static_cast<std::size_t>(i.row())], i.column()) : QModelIndex());
  changePersistentIndexList(avant, apres);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ModeleParties::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(publiees_);
}

int ModeleParties::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : NB_COLONNES; }

QVariant ModeleParties::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= NB_COLONNES) return {};
  const Ligne& l = lignes_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return texte(l, index.column());
    case Qt::TextAlignmentRole:
      return index.column() == 2 || index.column() == 3 ? QVariant(int(Qt::AlignHCenter | Qt::AlignVCenter))
                                                        : QVariant();
    case Qt::DecorationRole:
      if (index.column() != 0) return {};
      if (l.debut == choisie_ && !icone_choisie_.isNull()) return icone_choisie_;
      if (chargees_.contains(l.debut) && !icone_chargee_.isNull()) return icone_chargee_;
      return {};
    default:
      return {};
  }
}

QVariant ModeleParties::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= NB_COLONNES) return {};
  if (role == Qt::DisplayRole) return titres_.value(section);
  if (role == Qt::TextAlignmentRole)
    return int((section == 2 || section == 3 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
  return {};
}
