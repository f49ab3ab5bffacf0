// The printer: one print job, drawn page by page and sent at its end to the
// system's default printer (CUPS), to a PDF file, or shown in a print
// preview window from which the user may print it.
//
// The page is addressed in a user scale, 100 x 100 unless set otherwise: x
// runs from the left edge to the right edge of the printable area, y from its
// top to its bottom. Text is printed at the current position (its top left
// corner), one line per CR, LF or CRLF; each line moves the position to the
// start of the next line, one measured line height lower. A line that would
// end below the text's bottom limit (the page's bottom unless set) goes to a
// new page: the job's footer is printed, the page is turned, its header is
// printed, and the line follows the header.
//
// The job is kept as drawing operations until termine(), which sends it;
// errors are thrown as ErreurImpression, whose text is meant for the user.
// A job destroyed before termine() is cancelled: nothing is printed.
//
// In tests (ImpressionsEnTest) every job is written to a PDF file of the
// test's folder, A4, and a preview writes its file too instead of opening the
// preview window, unless the test asks for the real window, which then opens
// and closes at once.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>

class QPainter;
class QPrinter;

namespace plateforme {

class ErreurImpression : public std::runtime_error {
 public:
  explicit ErreurImpression(const QString& texte) : std::runtime_error(texte.toStdString()), texte_(texte) {}
  const QString& texte() const { return texte_; }

 private:
  QString texte_;
};

class Imprimante {
 public:
  enum class Destination { imprimante, apercu };

  explicit Imprimante(Destination destination = Destination::imprimante,
                      const QString& nom_document = QStringLiteral("Morvandel"));
  ~Imprimante();
  Imprimante(const Imprimante&) = delete;
  Imprimante& operator=(const Imprimante&) = delete;

  // Landscape pages; only before anything is printed.
  void paysage(bool oui);

  // --- Font ------------------------------------------------------------------
  void police(const QString& nom);
  void taille(double points);
  void gras(bool oui);
  void italique(bool oui);
  const QFont& police_courante() const { return police_; }

  // --- Scale and position ---------------------------------------------------------
  void echelle(double largeur, double hauteur);
  double x() const { return x_; }
  double y() const { return y_; }
  void x(double valeur) { x_ = valeur; }
  void y(double valeur) { y_ = valeur; }
  // The width of a text and the height of one line in the current font, in
  // the scale.
  double largeur_texte(const QString& texte) const;
  double hauteur_ligne() const;

  // --- Output --------------------------------------------------------------------------
  // Prints the text from the current position (see above).
  void imprime(const QString& texte);
  void ligne(double x1, double y1, double x2, double y2, const QColor& couleur = Qt::black);
  // The page being drawn, from 1.
  int page() const { return pages_.size(); }
  // Starts a new page; the position goes to the top left corner.
  void nouvelle_page();
  // Text lines that would end below `bas` go to a new page; `pied` is run
  // before the page is turned and `en_tete` after (each prints with the
  // printer's own operations, free of this limit).
  void limite_texte(double bas, std::function<void()> pied = {}, std::function<void()> en_tete = {});
  // True when `nb` more text lines fit above the bottom limit from the
  // current position.
  bool place_pour(int nb_lignes) const;
  // The page once the footer is printed and before the header: what the
  // header and footer callbacks of limite_texte would do, called by hand.
  void saut_de_page();

  // --- The end of the job ---------------------------------------------------------------
  // Sends the job (prints it, writes the file or shows the preview). Returns
  // false when the user gave up (a cancelled file choice); throws
  // ErreurImpression when the job cannot be printed.
  bool termine();
  // Drops the job: nothing is printed.
  void annule();
  bool en_cours() const { return en_cours_; }

 private:
  struct Operation {
    bool texte = true;
    QFont police;
    QPointF a, b;  // text: its baseline start; line: both ends (device pixels)
    QString chaine;
    QColor couleur;
  };
  void rejoue(QPainter& peintre, QPrinter& imprimante) const;
  double px_x(double v) const;
  double px_y(double v) const;
  void imprime_ligne(const QString& ligne);
  void envoie(QPrinter& imprimante) const;

  std::unique_ptr<QPrinter> imprimante_;
  Destination destination_;
  QString nom_document_;
  QFont police_;
  double echelle_l_ = 100, echelle_h_ = 100;
  double x_ = 0, y_ = 0;
  double bas_ = -1;  // below 0: the scale's height
  std::function<void()> pied_, en_tete_;
  bool en_saut_ = false;
  bool en_cours_ = true;
  QList<QList<Operation>> pages_;
};

// --- Seam for tests -----------------------------------------------------
class ImpressionsEnTest {
 public:
  // From now on every job is a PDF file in `dossier`, numbered in order.
  static void active(const QString& dossier);
  static void desactive();
  static bool actif();
  // The files written, in order, and how many were previews.
  static QStringList fichiers();
  static int apercus();
  // The next job fails when it is sent, with this text.
  static void echoue(const QString& texte);
  // The preview opens its real window, which closes at once.
  static void apercu_reel(bool oui);
  static void efface();
};

}  // namespace plateforme
