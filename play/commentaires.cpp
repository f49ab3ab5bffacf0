#include "play/commentaires.h"

#include <QListWidget>

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

void commente_coup(QListWidget& liste) {
  const int j = liste.currentRow();
  if (j < 0 || j >= liste.count()) return;
  const QString ligne = liste.item(j)->text();
  // A result line carries no move to comment.
  if (!ligne.contains(QLatin1Char('.'))) return;
  const bool blanc = j % 2 == 0;
  const int numero = (j + 2) / 2;
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
