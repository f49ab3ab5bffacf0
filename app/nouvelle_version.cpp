#include "app/nouvelle_version.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "chess/messages.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/telechargement.h"

QString version_distante;

namespace {

QString programme() { return QString::fromUtf8(NOM_PROGRAMME); }

// 150 twips above the middle of the screen, at 15 twips a pixel.
constexpr int AU_DESSUS_DU_CENTRE = 150 / 15;

}  // namespace

std::optional<int> compare_version(const QString& annoncee, int majeure, int mineure, int revision) {
  const QStringList parties = annoncee.trimmed().split(QLatin1Char('.'));
  if (parties.size() > 3) return std::nullopt;
  std::array<long long, 3> nombres = {0, 0, 0};
  for (qsizetype i = 0; i < parties.size(); ++i) {
    const QString p = parties[i].trimmed();
    if (p.isEmpty() || p.size() > 9) return std::nullopt;
    for (QChar c : p)
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    nombres[static_cast<size_t>(i)] = p.toLongLong();
  }
  const std::array<long long, 3> programme_ = {majeure, mineure, revision};
  if (nombres > programme_) return 1;
  if (nombres < programme_) return -1;
  return 0;
}

DocumentVersion lit_document_version(const QByteArray& document) {
  DocumentVersion d;
  // Every text of the document, in document order, under the name of the
  // element that holds it.
  QXmlStreamReader xml(document);
  QStringList elements;
  while (!xml.atEnd()) {
    switch (xml.readNext()) {
      case QXmlStreamReader::StartElement:
        elements << xml.name().toString();
        break;
      case QXmlStreamReader::EndElement:
        if (!elements.isEmpty()) elements.removeLast();
        break;
      case QXmlStreamReader::Characters: {
        if (xml.isWhitespace() || elements.isEmpty()) break;
        const QString nom = elements.last();
        const QString t = xml.text().toString().trimmed();
        if (nom == QLatin1String("VERSION"))
          d.version = t;
        else if (nom == QLatin1String("AUTEUR"))
          d.auteur = t;
        else if (nom == QLatin1String("DATE"))
          d.date = t;
        d.lignes << nom + QStringLiteral(" [") + t + QLatin1Char(']');
        break;
      }
      default:
        break;
    }
  }
  if (xml.hasError()) {
    d.version.clear();
    // Qt's words after the program's.
    d.erreur = plateforme::avec_detail(texte(914).arg(xml.lineNumber()).arg(xml.columnNumber()), xml.errorString());
  }
  return d;
}

QString release::separateur() { return QString(84, QLatin1Char('-')); }

release::release() : QDialog(fenetres::existante<Menu>()) {
  setObjectName(QStringLiteral("release"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("Informations du site Morvandel"));

  contenu = new QPlainTextEdit(this);
  contenu->setObjectName(QStringLiteral("contenu"));
  contenu->setReadOnly(true);
  contenu->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fixe(QStringLiteral("Monospace"));
  fixe.setStyleHint(QFont::TypeWriter);
  contenu->setFont(fixe);
  Command2 = new QPushButton(QStringLiteral("&Connexion au site Morvandel !"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command1 = new QPushButton(QStringLiteral("&Annuler"), this);
  Command1->setObjectName(QStringLiteral("Command1"));

  auto* boutons = new QHBoxLayout;
  boutons->addWidget(Command2);
  boutons->addStretch(1);
  boutons->addWidget(Command1);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(contenu, 1);
  tout->addLayout(boutons);
  resize(720, 420);

  connect(Command1, &QPushButton::clicked, this, &release::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &release::Command2_Click);

  Form_Load();
}

void release::Form_Load() {
  fenetres::centre_sur_ecran(this, AU_DESSUS_DU_CENTRE);
  affiche_libelles(this);
}

void release::Command1_Click() { close(); }

void release::Command2_Click() {
  if (plateforme::boite_message(texte(296) + QStringLiteral("\r\n") + texte(297), boite::OUI_NON) !=
      boite::OUI)
    return;
  verifie_version(version_xml);
}

void release::verifie_version(const QString& adresse) {
  fin_transfert();
  version_distante.clear();
  auteur_.clear();
  date_.clear();
  // One check at a time.
  Command2->setEnabled(false);
  telechargement = new plateforme::Telechargement(this);
  connect(telechargement, &plateforme::Telechargement::recu, this, &release::document_recu);
  connect(telechargement, &plateforme::Telechargement::echec, this, &release::echec);
  QString erreur;
  if (!telechargement->lance(adresse, &erreur)) echec(erreur);
}

void release::fin_transfert() {
  if (!telechargement) return;
  telechargement->abandonne();
  telechargement->deleteLater();
  telechargement = nullptr;
}

void release::echec(const QString& raison) {
  fin_transfert();
  Command2->setEnabled(true);
  plateforme::boite_message(texte(134) + QStringLiteral("\r\n") + raison, boite::EXCLAMATION);
}

void release::ajoute(const QString& ligne) {
  contenu->moveCursor(QTextCursor::End);
  contenu->insertPlainText(ligne + QLatin1Char('\n'));
}

void release::document_recu(const QByteArray& document) {
  fin_transfert();
  contenu->setPlainText(QStringLiteral("[") + programme() + QStringLiteral(" - ") + texte(83) + QLatin1Char(' ') +
                        texte_version() + QStringLiteral("]\n") + separateur() + QLatin1Char('\n'));
  ajoute(texte(130));

  const DocumentVersion lu = lit_document_version(document);
  for (const QString& ligne : lu.lignes) ajoute(ligne);
  version_distante = lu.version;
  auteur_ = lu.auteur;
  date_ = lu.date;
  if (!lu.erreur.isEmpty()) {
    // A broken document announces nothing.
    version_distante.clear();
    Command2->setEnabled(true);
    plateforme::boite_message(texte(134) + QStringLiteral("\r\n") + lu.erreur, boite::EXCLAMATION);
    return;
  }

  ajoute(separateur());
  const std::optional<int> ecart =
      compare_version(version_distante, VERSION_MAJEURE, VERSION_MINEURE, VERSION_REVISION);
  if (!ecart) {
    ajoute(texte(134));
    ajoute(texte(135));
  } else if (*ecart > 0) {
    ajoute(texte(133));
    ajoute(texte(132));
  } else {
    // The same version, or an older one announced: nothing newer to fetch.
    ajoute(texte(131));
  }
  ajoute(separateur());
  Command2->setEnabled(false);
}

void Menu::menu_release_Click() {
  release& f = fenetres::instance<release>();
  f.show();
  f.raise();
  f.activateWindow();
}
