#include "play/impression.h"

#include <vector>

#include <QAbstractItemModel>
#include <QDate>
#include <QDateTime>
#include <QHeaderView>
#include <QListWidget>
#include <QLocale>
#include <QRegularExpression>
#include <QTreeView>
#include <QTreeWidget>
#include <cmath>

#include "play/parametres.h"
#include "chess/repetitions.h"
#include "chess/etat.h"
#include "chess/outils.h"
#include "chess/messages.h"
#include "chess/poids.h"
#include "localisation/textes_langue.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/imprimante.h"
#include "play/entete_partie.h"
#include "play/modele_parties.h"
#include "play/plateau.h"

namespace {

QString programme() { return QString::fromUtf8(NOM_PROGRAMME); }

QString date_courte() { return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat); }

// The move list of the board window, empty without one.
QStringList lignes_liste_coups() {
  QStringList l;
  if (plateau* p = plateau::existante())
    for (int i = 0; i < p->List1->count(); ++i) l << p->List1->item(i)->text();
  return l;
}

QString ligne_ou_vide(const QStringList& l, int i) { return i >= 0 && i < l.size() ? l[i] : QString(); }

// The letter of a square of a position string, or a blank when the entry or
// the square is missing.
QChar lettre_case(int entree, int colonne, int ligne) {
  if (entree < 0 || entree >= nb_positions()) return QLatin1Char(' ');
  const std::string& pos = historique_positions[static_cast<std::size_t>(entree)];
  const int code = piece_de_chaine(pos, colonne, ligne);
  if (code < 0) return QLatin1Char(' ');
  // Squares-only notation has no letters of its own: the diagram uses the
  // English ones.
  const int style = style_notation == 1 ? 1 : 2;
  return QLatin1Char(lettre_piece(style, code));
}

// The half-moves the diagrams show: every position after the start, but
// the one a result line records again (the final position once more) when
// the move list ends with that line.
int demi_coups_imprimes(const QStringList& liste) {
  int n = nb_positions() - 1;
  if (n > 0 && !liste.isEmpty() && liste.size() == n) {
    const QString derniere = liste.back().trimmed();
    if (derniere == QLatin1String("1-0") || derniere == QLatin1String("0-1") || derniere == QLatin1String("1/2-1/2"))
      --n;
  }
  return n;
}

void montre_erreur(const QString& texte) { plateforme::boite_message(texte, boite::CRITIQUE); }

// Prints `texte` line by line; a line wider than the page goes on over the
// next lines (below, with the table cells' cut).
void imprime_dans_la_page(plateforme::Imprimante& imp, const QString& texte);

}  // namespace

// --- The game ---------------------------------------------------------------------

QString entete_impression() {
  if (!entete_pgn.empty()) return QString::fromStdString(avec_position_depart(entete_pgn));
  return QString::fromStdString(avec_position_depart(entete_construite(
      QStringLiteral("Partie du ") + date_courte(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")))));
}

QStringList coupe_aux_blancs(const QString& texte, int largeur) {
  QStringList lignes;
  QString courante;
  for (QString mot : texte.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!courante.isEmpty() && courante.size() + 1 + mot.size() <= largeur) {
      courante += QLatin1Char(' ') + mot;
      continue;
    }
    if (!courante.isEmpty()) lignes << courante;
    while (mot.size() > largeur) {
      lignes << mot.left(largeur);
      mot = mot.mid(largeur);
    }
    courante = mot;
  }
  if (!courante.isEmpty()) lignes << courante;
  return lignes;
}

bool imprime_partie(int& format) {
  const QString coups =
      QString::fromStdString(movetext_numerote(rogne(sauve_abrege == 1 ? texte_partie : texte_partie_longue)));
  const QString entete = entete_impression();
  plateforme::Imprimante imp;
  try {
    imp.police(QStringLiteral("Arial"));
    imp.taille(14);
    imp.gras(true);
    imp.imprime(QStringLiteral("MORVANDEL - ") + texte(169) + QStringLiteral(" - ") + date_courte());
    imp.imprime(QString());
    imp.police(QStringLiteral("Courier New"));
    imp.taille(12);
    imp.gras(false);

    if (format == 0) {
      QString t = entete;
      for (const QString& l : coupe_aux_blancs(coups, 70)) t += l + QStringLiteral("\r\n");
      imprime_dans_la_page(imp, t);
      imp.imprime(QString());
    } else if (format == 1) {
      imprime_dans_la_page(imp, entete);
      const QStringList liste = lignes_liste_coups();
      for (int i = 0; i < liste.size(); i += 2)
        imp.imprime(liste[i].leftJustified(13, QLatin1Char(' '), true) + QLatin1Char(' ') +
                    ligne_ou_vide(liste, i + 1).trimmed());
      imp.imprime(QString());
    } else if (format == 2) {
      imprime_dans_la_page(imp, entete);
      const QStringList liste = lignes_liste_coups();
      const QString marge(10, QLatin1Char(' '));
      // A pair of diagrams is its eight rows, the line the diagram text ends
      // with, the caption and the empty line after it: kept on one page.
      constexpr int LIGNES_PAIRE = 11;
      const int demi_coups = demi_coups_imprimes(liste);
      for (int k = 1; k <= demi_coups; k += 2) {
        if (!imp.place_pour(LIGNES_PAIRE)) imp.nouvelle_page();
        const bool droite = k + 1 <= demi_coups;
        QString diagramme;
        for (int ligne = 1; ligne <= 8; ++ligne) {
          diagramme += marge;
          for (int c = 1; c <= 8; ++c) diagramme += lettre_case(k, c, ligne) + QLatin1Char(' ');
          diagramme += marge;
          for (int c = 1; c <= 8; ++c)
            diagramme += (droite ? lettre_case(k + 1, c, ligne) : QLatin1Char(' ')) + QLatin1Char(' ');
          diagramme += QStringLiteral("\r\n");
        }
        diagramme += marge;
        imp.imprime(diagramme);
        imp.imprime(QString(13, QLatin1Char(' ')) + ligne_ou_vide(liste, k - 1).leftJustified(13, QLatin1Char(' '), true) +
                    marge + (droite ? ligne_ou_vide(liste, k).trimmed() : QString()) + QStringLiteral("\r\n"));
      }
    }
    if (!imp.termine()) return false;
  } catch (const plateforme::ErreurImpression& e) {
    imp.annule();
    montre_erreur(e.texte());
    return false;
  }
  plateforme::boite_message(texte(220), boite::INFORMATION);
  return true;
}

void menu_edt_encours_Click(int Index) {
  int format = Index;
  imprime_partie(format);
}

// --- Tables ------------------------------------------------------------------------

TableImpression table_de_liste(const QTreeView& liste) {
  TableImpression t;
  const QAbstractItemModel* modele = liste.model();
  if (!modele) return t;
  const int n = modele->columnCount();
  for (int c = 0; c < n; ++c) {
    t.entetes << modele->headerData(c, Qt::Horizontal).toString();
    t.largeurs << (liste.isColumnHidden(c) ? 0.0 : static_cast<double>(liste.header()->sectionSize(c)));
  }
  t.nb_lignes = modele->rowCount();
  t.cellule = [modele](int ligne, int colonne) { return modele->index(ligne, colonne).data().toString(); };
  return t;
}

namespace {
constexpr double HAUT_LIGNES = 14, LIGNE_PIED = 90;
// Rows start at 14 and end above the footer's line.
int lignes_par_page(double hauteur_ligne) {
  return std::max(1, static_cast<int>(std::floor((LIGNE_PIED - 0.5 - HAUT_LIGNES) / hauteur_ligne + 1e-9)));
}
}  // namespace

namespace {
// The lines of a cell in a column `largeur` wide: cut at blanks, a word wider
// than the column cut where it reaches the edge. Never empty.
QStringList lignes_cellule(const plateforme::Imprimante& imp, const QString& texte, double largeur) {
  if (imp.largeur_texte(texte) <= largeur) return {texte};
  auto tient = [&](const QString& t) { return imp.largeur_texte(t) <= largeur; };
  QStringList lignes;
  QString ligne;
  for (QString mot : texte.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString essai = ligne.isEmpty() ? mot : ligne + QLatin1Char(' ') + mot;
    if (tient(essai)) {
      ligne = essai;
      continue;
    }
    if (!ligne.isEmpty()) lignes << ligne;
    // The most characters of the word that fit, at least one a line.
    while (mot.size() > 1 && !tient(mot)) {
      qsizetype bas = 1, haut = mot.size() - 1;
      while (bas < haut) {
        const qsizetype milieu = (bas + haut + 1) / 2;
        if (tient(mot.left(milieu)))
          bas = milieu;
        else
          haut = milieu - 1;
      }
      lignes << mot.left(bas);
      mot = mot.mid(bas);
    }
    ligne = mot;
  }
  if (!ligne.isEmpty() || lignes.isEmpty()) lignes << ligne;
  return lignes;
}

void imprime_dans_la_page(plateforme::Imprimante& imp, const QString& texte) {
  static const QRegularExpression fin_ligne(QStringLiteral("\r\n|\r|\n"));
  QStringList lignes;
  for (const QString& l : texte.split(fin_ligne)) lignes << lignes_cellule(imp, l, 100);
  imp.imprime(lignes.join(QStringLiteral("\r\n")));
}
}  // namespace

int lignes_table_par_page(const QString& police, int taille) {
  plateforme::Imprimante imp;
  imp.paysage(true);
  imp.police(police);
  imp.taille(taille);
  const int n = lignes_par_page(imp.hauteur_ligne());
  imp.annule();
  return n;
}

void dessine_table(plateforme::Imprimante& imp, const TableImpression& table, const QString& titre,
                   const QString& tampon, const QString& police, int taille) {
  const int nb_colonnes = static_cast<int>(table.entetes.size());
  auto largeur = [&](int c) { return c < table.largeurs.size() ? table.largeurs[c] : 0.0; };
  // The total of the widths, rounded as it is summed; the columns of no
  // width count for nothing.
  double total = 0;
  for (int c = 0; c < nb_colonnes; ++c)
    if (largeur(c) > 0) total = std::nearbyint(total + largeur(c));
  QList<double> imprimee, gauche;
  double bord = 0;
  for (int c = 0; c < nb_colonnes; ++c) {
    const double w = total > 0 && largeur(c) > 0 ? largeur(c) * 100.0 / total : 0.0;
    imprimee << w;
    gauche << std::nearbyint(bord);
    bord = std::nearbyint(bord) + w;
  }

  const QString version =
      programme() + QStringLiteral(" v") + QStringLiteral("%1.%2.%3").arg(VERSION_MAJEURE).arg(VERSION_MINEURE).arg(VERSION_REVISION);
  const QString date = QDate::currentDate().toString(cle_langue == 2 ? QStringLiteral("MM/dd/yyyy")
                                                                     : QStringLiteral("dd/MM/yyyy"));

  imp.police(police);
  imp.taille(taille);
  imp.echelle(100, 100);
  imp.gras(false);
  imp.italique(false);

  const double h = imp.hauteur_ligne();
  const int par_page = lignes_par_page(h);
  const int avec_colonnes = total > 0 ? table.nb_lignes : 0;
  // A value longer than its column goes on over the next lines of its row,
  // within the column, a blank's width from the next one.
  const double blanc = imp.largeur_texte(QStringLiteral(" "));
  auto lignes_de = [&](int r, int c) {
    return lignes_cellule(imp, table.cellule ? table.cellule(r, c) : QString(), std::max(imprimee[c] - blanc, blanc));
  };
  // The lines of each row (at most a page), then the pages they take.
  std::vector<int> hauteurs(static_cast<std::size_t>(avec_colonnes), 1);
  int nb_pages = 1;
  {
    int sur_page = 0;
    for (int r = 0; r < avec_colonnes; ++r) {
      int n = 1;
      for (int c = 0; c < nb_colonnes; ++c)
        if (imprimee[c] > 0) n = std::max(n, static_cast<int>(lignes_de(r, c).size()));
      n = std::min(n, par_page);
      hauteurs[static_cast<std::size_t>(r)] = n;
      if (sur_page + n > par_page) {
        ++nb_pages;
        sur_page = 0;
      }
      sur_page += n;
    }
  }

  auto tete = [&](int n) {
    imp.gras(true);
    imp.x(50 - imp.largeur_texte(titre) / 2);
    imp.y(3);
    imp.imprime(titre);
    imp.gras(false);
    imp.x(90);
    imp.y(3);
    imp.imprime(QStringLiteral("Page %1/%2").arg(n).arg(nb_pages));
    imp.x(50 - imp.largeur_texte(tampon) / 2);
    imp.y(5);
    imp.imprime(tampon);
    imp.gras(true);
    for (int c = 0; c < nb_colonnes; ++c) {
      if (imprimee[c] <= 0) continue;
      imp.x(gauche[c]);
      imp.y(10);
      imp.imprime(table.entetes[c]);
    }
    imp.gras(false);
    imp.ligne(0, 13, 100, 13, Qt::black);
    imp.x(0);
    imp.y(HAUT_LIGNES);
  };
  auto pied = [&] {
    imp.ligne(0, LIGNE_PIED, 100, LIGNE_PIED, Qt::black);
    imp.x(5);
    imp.y(93);
    imp.gras(true);
    imp.imprime(version);
    imp.gras(false);
    imp.x(85);
    imp.y(93);
    imp.imprime(date);
  };

  tete(1);
  int sur_page = 0, page = 1;
  for (int r = 0; r < avec_colonnes; ++r) {
    const int n = hauteurs[static_cast<std::size_t>(r)];
    if (sur_page + n > par_page) {
      pied();
      imp.nouvelle_page();
      tete(++page);
      sur_page = 0;
    }
    const double y0 = imp.y();
    imp.gras(false);
    imp.italique(false);
    for (int c = 0; c < nb_colonnes; ++c) {
      if (imprimee[c] <= 0) continue;
      const QStringList lignes = lignes_de(r, c);
      for (int k = 0; k < std::min(n, static_cast<int>(lignes.size())); ++k) {
        imp.x(gauche[c]);
        imp.y(y0 + k * h);
        imp.imprime(lignes[k]);
      }
    }
    imp.y(y0 + n * h);
    sur_page += n;
  }
  pied();
}

bool imprime_liste(QTreeView& liste, QString& titre, const QString& tampon, const QString& police, int taille) {
  titre = titre.trimmed().toUpper();
  plateforme::Imprimante imp(plateforme::Imprimante::Destination::imprimante, titre);
  try {
    imp.paysage(true);
    dessine_table(imp, table_de_liste(liste), titre, tampon, police, taille);
    return imp.termine();
  } catch (const plateforme::ErreurImpression& e) {
    imp.annule();
    montre_erreur(e.texte());
    return false;
  }
}

QString tampon_impression() {
  const QDateTime maintenant = QDateTime::currentDateTime();
  const QLocale c = QLocale::c();
  if (cle_langue == 2)
    return QStringLiteral(" The ") + c.toString(maintenant.date(), QStringLiteral("MM/dd/yyyy")) +
           QStringLiteral(" at ") + c.toString(maintenant.time(), QStringLiteral("hh:mm AP"));
  return QStringLiteral(" Le ") + c.toString(maintenant, QStringLiteral("dd/MM/yyyy à hh:mm"));
}

void Command6_Click(plateau& p) {
  if (p.modele_parties->rowCount() == 0) return;
  QString titre = texte(173);
  if (imprime_liste(*p.List2, titre, tampon_impression(), QStringLiteral("Arial"), 10))
    plateforme::boite_message(texte(220), boite::INFORMATION);
}
