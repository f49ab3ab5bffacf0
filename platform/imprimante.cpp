#include "platform/imprimante.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTimer>

#include "platform/dialogues_fichiers.h"
#include "platform/reglage_imprimante.h"
#include "platform/langue_messages.h"

namespace plateforme {

namespace {
struct EtatTest {
  bool actif = false;
  QString dossier;
  QStringList fichiers;
  int apercus = 0;
  QString echec;
  bool apercu_reel = false;
};
EtatTest& etat() {
  static EtatTest e;
  return e;
}

// Arial and Courier New are the program's two fonts; where the system has
// neither, their kind chooses the replacement (a fixed pitch for Courier).
QFont police_nommee(const QString& nom) {
  QFont f(nom);
  if (nom.contains(QLatin1String("Courier"), Qt::CaseInsensitive)) {
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setFamilies({nom, QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("monospace")});
  } else {
    f.setStyleHint(QFont::SansSerif);
    f.setFamilies({nom, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  }
  return f;
}
}  // namespace

Imprimante::Imprimante(Destination destination, const QString& nom_document)
    : imprimante_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      destination_(destination),
      nom_document_(nom_document) {
  imprimante_->setDocName(nom_document);
  if (etat().actif) {
    imprimante_->setOutputFormat(QPrinter::PdfFormat);
    imprimante_->setPageSize(QPageSize(QPageSize::A4));
    imprimante_->setPageOrientation(QPageLayout::Portrait);
  } else {
    applique_reglage_imprimante(*imprimante_);
  }
  police_ = police_nommee(QStringLiteral("Arial"));
  police_.setPointSizeF(10);
  pages_.append(QList<Operation>());
}

Imprimante::~Imprimante() = default;

void Imprimante::paysage(bool oui) {
  imprimante_->setPageOrientation(oui ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void Imprimante::police(const QString& nom) {
  QFont f = police_nommee(nom);
  f.setPointSizeF(police_.pointSizeF());
  f.setBold(police_.bold());
  f.setItalic(police_.italic());
  police_ = f;
}
void Imprimante::taille(double points) { police_.setPointSizeF(points); }
void Imprimante::gras(bool oui) { police_.setBold(oui); }
void Imprimante::italique(bool oui) { police_.setItalic(oui); }

void Imprimante::echelle(double largeur, double hauteur) {
  if (largeur > 0) echelle_l_ = largeur;
  if (hauteur > 0) echelle_h_ = hauteur;
}

double Imprimante::px_x(double v) const {
  return v * imprimante_->pageRect(QPrinter::DevicePixel).width() / echelle_l_;
}
double Imprimante::px_y(double v) const {
  return v * imprimante_->pageRect(QPrinter::DevicePixel).height() / echelle_h_;
}

double Imprimante::largeur_texte(const QString& texte) const {
  const double px = QFontMetricsF(police_, imprimante_.get()).horizontalAdvance(texte);
  return px * echelle_l_ / imprimante_->pageRect(QPrinter::DevicePixel).width();
}

double Imprimante::hauteur_ligne() const {
  const double px = QFontMetricsF(police_, imprimante_.get()).lineSpacing();
  return px * echelle_h_ / imprimante_->pageRect(QPrinter::DevicePixel).height();
}

void Imprimante::imprime(const QString& texte) {
  static const QRegularExpression fin_ligne(QStringLiteral("\r\n|\r|\n"));
  const QStringList lignes = texte.split(fin_ligne);
  for (const QString& l : lignes) imprime_ligne(l);
}

void Imprimante::imprime_ligne(const QString& ligne) {
  const double h = hauteur_ligne();
  const double bas = bas_ < 0 ? echelle_h_ : bas_;
  // A line that does not fit goes to the next page, unless it stands at the
  // top of the page already (it would not fit on any page).
  if (!en_saut_ && y_ + h > bas + 1e-9 && y_ > 0) saut_de_page();
  if (!ligne.isEmpty()) {
    Operation op;
    op.police = police_;
    op.a = QPointF(px_x(x_), px_y(y_) + QFontMetricsF(police_, imprimante_.get()).ascent());
    op.chaine = ligne;
    pages_.last().append(op);
  }
  x_ = 0;
  y_ += h;
}

void Imprimante::ligne(double x1, double y1, double x2, double y2, const QColor& couleur) {
  Operation op;
  op.texte = false;
  op.a = QPointF(px_x(x1), px_y(y1));
  op.b = QPointF(px_x(x2), px_y(y2));
  op.couleur = couleur;
  pages_.last().append(op);
}

void Imprimante::nouvelle_page() {
  pages_.append(QList<Operation>());
  x_ = 0;
  y_ = 0;
}

void Imprimante::limite_texte(double bas, std::function<void()> pied, std::function<void()> en_tete) {
  bas_ = bas;
  pied_ = std::move(pied);
  en_tete_ = std::move(en_tete);
}

bool Imprimante::place_pour(int nb_lignes) const {
  const double bas = bas_ < 0 ? echelle_h_ : bas_;
  return y_ + nb_lignes * hauteur_ligne() <= bas + 1e-9;
}

void Imprimante::saut_de_page() {
  const bool avant = en_saut_;
  en_saut_ = true;
  if (pied_) pied_();
  nouvelle_page();
  if (en_tete_) en_tete_();
  en_saut_ = avant;
}

void Imprimante::rejoue(QPainter& peintre, QPrinter& imprimante) const {
  for (int p = 0; p < pages_.size(); ++p) {
    if (p > 0) imprimante.newPage();
    for (const Operation& op : pages_[p]) {
      if (op.texte) {
        peintre.setFont(op.police);
        peintre.setPen(Qt::black);
        peintre.drawText(op.a, op.chaine);
      } else {
        QPen crayon(op.couleur);
        crayon.setWidthF(imprimante.resolution() / 100.0);
        peintre.setPen(crayon);
        peintre.drawLine(op.a, op.b);
      }
    }
  }
}

void Imprimante::envoie(QPrinter& imprimante) const {
  QPainter peintre;
  if (!peintre.begin(&imprimante))
    throw ErreurImpression(texte_message(809)
                               .arg(imprimante.outputFileName().isEmpty() ? imprimante.printerName()
                                                                          : imprimante.outputFileName()));
  rejoue(peintre, imprimante);
  if (!peintre.end() || imprimante.printerState() == QPrinter::Error)
    throw ErreurImpression(texte_message(810));
}

bool Imprimante::termine() {
  if (!en_cours_) return false;
  en_cours_ = false;
  EtatTest& e = etat();
  if (e.actif) {
    if (!e.echec.isEmpty()) {
      const QString texte = e.echec;
      e.echec.clear();
      throw ErreurImpression(texte);
    }
    const QString fichier =
        QDir(e.dossier).filePath(QStringLiteral("impression-%1.pdf").arg(e.fichiers.size() + 1, 2, 10, QLatin1Char('0')));
    imprimante_->setOutputFileName(fichier);
    if (destination_ == Destination::apercu) {
      ++e.apercus;
      if (e.apercu_reel) {
        QPrintPreviewDialog dialogue(imprimante_.get(), QApplication::activeWindow());
        int rendus = 0;
        QObject::connect(&dialogue, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) {
          ++rendus;
          QPainter peintre(p);
          rejoue(peintre, *p);
        });
        QTimer::singleShot(0, &dialogue, &QDialog::reject);
        dialogue.exec();
        if (rendus == 0) throw ErreurImpression(texte_message(811));
      }
    }
    envoie(*imprimante_);
    e.fichiers << fichier;
    return true;
  }

  if (destination_ == Destination::apercu) {
    QPrintPreviewDialog dialogue(imprimante_.get(), QApplication::activeWindow());
    dialogue.setWindowTitle(nom_document_);
    QObject::connect(&dialogue, &QPrintPreviewDialog::paintRequested, [this](QPrinter* p) {
      QPainter peintre(p);
      rejoue(peintre, *p);
    });
    dialogue.exec();
    return true;
  }
  // Without any system printer the job is written to a PDF file the user
  // names.
  if (imprimante_->outputFormat() != QPrinter::NativeFormat && imprimante_->outputFileName().isEmpty()) {
    QString fichier = choisit_fichier_a_sauver(nom_document_, QStringLiteral("PDF (*.pdf)|*.pdf"), QString(),
                                               nom_document_ + QStringLiteral(".pdf"));
    if (fichier.isEmpty()) return false;
    if (QFileInfo(fichier).suffix().isEmpty()) fichier += QStringLiteral(".pdf");
    imprimante_->setOutputFileName(fichier);
  }
  envoie(*imprimante_);
  return true;
}

void Imprimante::annule() {
  en_cours_ = false;
  pages_.clear();
  pages_.append(QList<Operation>());
}

// --- Seam --------------------------------------------------------------------
void ImpressionsEnTest::active(const QString& dossier) {
  etat() = EtatTest{};
  etat().actif = true;
  etat().dossier = dossier;
}
void ImpressionsEnTest::desactive() { etat() = EtatTest{}; }
bool ImpressionsEnTest::actif() { return etat().actif; }
QStringList ImpressionsEnTest::fichiers() { return etat().fichiers; }
int ImpressionsEnTest::apercus() { return etat().apercus; }
void ImpressionsEnTest::echoue(const QString& texte) { etat().echec = texte; }
void ImpressionsEnTest::apercu_reel(bool oui) { etat().apercu_reel = oui; }
void ImpressionsEnTest::efface() {
  const QString d = etat().dossier;
  const bool a = etat().actif;
  etat() = EtatTest{};
  etat().actif = a;
  etat().dossier = d;
}

}  // namespace plateforme
