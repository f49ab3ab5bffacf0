#include "play/commentaires.h"

#include <QListWidget>
#include <algorithm>

#include "chess/etat.h"
#include "chess/messages.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/boites.h"

std::string comment_pgn(const QString& texte) {
  QString t = texte;
  t.replace(QLatin1Char('{'), QLatin1Char('(')).replace(QLatin1Char('}'), QLatin1Char(')'));
  return t.simplified().toStdString();
}

namespace {

// The move number a White move's line starts with (" 12.Ng1-f3"); 0 for a
// Black move's line ("    ..... e7-e5") or any other line.
int numero_de_ligne(const QString& ligne) {
  const QString t = ligne.trimmed();
  const int point = t.indexOf(QLatin1Char('.'));
  if (point <= 0) return 0;
  bool nombre = false;
  const int n = t.left(point).toInt(&nombre);
  return nombre ? n : 0;
}

// The move number of line j: a White line carries it; a Black line takes it
// from the White move before it, or after it (a game that starts with Black
// to move), or from numero_coup when the list holds no White move.
int numero_du_coup(const QListWidget& liste, int j) {
  if (const int n = numero_de_ligne(liste.item(j)->text()); n > 0) return n;
  for (int i = j - 1; i >= 0; --i)
    if (const int n = numero_de_ligne(liste.item(i)->text()); n > 0) return n;
  for (int i = j + 1; i < liste.count(); ++i)
    if (const int n = numero_de_ligne(liste.item(i)->text()); n > 0) return n - 1;
  return std::max(numero_coup, 1);
}

}  // namespace

void commente_coup(QListWidget& liste) {
  const int j = liste.currentRow();
  if (j < 0 || j >= liste.count()) return;
  const QString ligne = liste.item(j)->text();
  // A result line carries no move to comment.
  if (!ligne.contains(QLatin1Char('.'))) return;
  // The colour and number come from the lines themselves: a game set up or
  // pasted mid-way starts at its own move number, possibly with Black.
  const bool blanc = numero_de_ligne(ligne) > 0;
  const int numero = numero_du_coup(liste, j);
  const QString invite = texte(blanc ? 200 : 201) + QStringLiteral(" N°") + QString::number(numero);
  const QString propose = blanc ? ligne + QLatin1Char(' ')
                                : QLatin1Char(' ') + QString::number(numero) + ligne + QLatin1Char(' ');
  const std::string reponse = comment_pgn(plateforme::boite_saisie(invite, QString::fromLatin1(NOM_PROGRAMME), propose));
  if (reponse.empty()) return;

  const size_t indice = static_cast<size_t>(j) + 1;
  if (commentaires_coups.size() < indice + 1) commentaires_coups.resize(indice + 1);
  std::string& element = commentaires_coups[indice];
  element = element.empty() ? reponse : element + " " + reponse;
  if (commentaire_coche()) ajoute_ligne_commentaire(QStringLiteral("{") + QString::fromStdString(element) + QStringLiteral("}"));
}
