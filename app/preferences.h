// The preferences dialog pref: almost every setting of the settings file in
// five tabs, with the installed board pictures and piece sets and their
// previews, the printer set-up, the factory values and "save as".
//
// The fields are filled from the settings in memory when the window loads.
// Nothing reaches memory before OK: Cancel, closing the window, the factory
// values and the field checks change no setting. OK checks every field, copies
// them into memory for engine profile 1, applies the language, writes the
// settings file and refreshes the main window's marks. "Save as" writes the
// dialog's values to a file of the user's choice and leaves memory as it was.
//
// Numbers are shown as the interface's language writes them (a decimal comma
// but in English) whatever the system's locale, and read with a comma or a
// point; the settings file keeps the point. A weight whose text was not
// touched keeps its exact value.
//
// Controls are public members named as in the program: an array element is
// named "Text5(15)", "lab(0)", "Label8(5)".
#pragma once

#include <QMap>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;

class pref : public QWidget {
  Q_OBJECT

 public:
  pref();
  ~pref() override;

  // Captions, the three fixed lists, the picture lists and previews, the
  // fields from the settings in memory, the local address.
  void Form_Load();

  QTabWidget* SSTab1 = nullptr;
  QLabel* lab[57] = {};
  QLabel* Label8[6] = {};     // pawn, bishop, knight, rook, queen, king
  QLabel* chiffre[22] = {};   // the scale figures under the sliders
  QGroupBox* Frame1 = nullptr;  // the weight grid
  QGroupBox* Frame2 = nullptr;  // the sliders

  // General tab.
  QComboBox* Combo2 = nullptr;  // play mode, item i is mode i + 1
  QComboBox* Combo3 = nullptr;  // language, item i is language i + 1
  QComboBox* Combo4 = nullptr;  // board picture, chosen or typed
  QComboBox* Combo5 = nullptr;  // piece set, chosen or typed
  QLabel* Diagramme = nullptr;  // board picture preview
  QLabel* Piece = nullptr;      // piece set preview (its white king)
  QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr, *Text11 = nullptr,
            *Text12 = nullptr, *Text13 = nullptr, *Text14 = nullptr, *Text15 = nullptr, *Text16 = nullptr,
            *Text17 = nullptr;
  QCheckBox *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr, *Check5 = nullptr, *Check6 = nullptr,
            *Check7 = nullptr, *Check8 = nullptr, *Check9 = nullptr, *Check12 = nullptr, *Check13 = nullptr,
            *Check14 = nullptr, *Check15 = nullptr;
  // Printing tab.
  QCheckBox* Check1 = nullptr;  // checked when IMP is 0
  QPushButton* SSCommand3 = nullptr;
  // Engine tab.
  QLineEdit* Text22 = nullptr;
  QComboBox* Combo1 = nullptr;  // level, item i is level i
  QCheckBox *Check11 = nullptr, *Check16 = nullptr;
  QLineEdit* Text5[16] = {};  // 1..6 material, 0, 7..13 single values, 14 attack, 15 defence
  QLineEdit* Text6[7] = {};   // 1..6 mobility
  QLineEdit* Text7[7] = {};   // 1..6 mobility growth
  QSlider* Slider1 = nullptr;  // defence, with Text5(15)
  QSlider* Slider2 = nullptr;  // attack, with Text5(14)
  // TCP/IP tab.
  QCheckBox* Check10 = nullptr;
  QLineEdit *Text8 = nullptr, *Text9 = nullptr, *Text10 = nullptr, *Text18 = nullptr;
  // Correspondence tab.
  QLineEdit *Text19 = nullptr, *Text20 = nullptr, *Text21 = nullptr;
  // Buttons.
  QPushButton* Command1 = nullptr;  // Cancel
  QPushButton* Command2 = nullptr;  // OK
  QPushButton* Command3 = nullptr;  // factory values
  QPushButton* Command4 = nullptr;  // save as

 public slots:
  void Combo4_Click();
  void Combo5_Click();
  void Slider1_Scroll();
  void Slider2_Scroll();
  void Text4_LostFocus();
  void Text13_LostFocus();
  void Text14_LostFocus();
  void Text15_LostFocus();
  void Text16_LostFocus();
  void Text20_LostFocus();
  void Text5_LostFocus(int Index);
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void SSCommand3_Click();

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  enum class Genre { texte, duree, entier, poids, port, pseudo, drapeau, drapeau_inverse };
  // The kinds of field checked when they lose the focus and before OK.
  static bool verifie(Genre g) {
    return g == Genre::duree || g == Genre::entier || g == Genre::poids || g == Genre::port || g == Genre::pseudo;
  }
  struct Champ {
    QWidget* controle;
    std::string cle;     // the settings key
    Genre genre;
    QString repli;       // what a checked field gets back when its text is refused
    QString usine;       // the factory value ("1" / "0" for a check box)

    // The field's value as its key writes it, and the field showing a key's
    // value (a weight keeps its own rounding: not through these).
    QString valeur() const;
    void montre(const QString& valeur) const;
  };

  void construit();
  void remplit_champs();
  // Checks one text field; on a refusal shows why and puts its fallback
  // back. True when the field holds a value its key takes.
  bool controle_champ(QLineEdit* champ);
  // Every checked field, then the board picture and the piece set; stops at
  // the first refusal.
  bool controle_tout();
  // Copies every field into memory for engine profile 1.
  void applique_preferences();
  const Champ* champ_de(const QObject* controle) const;

  std::vector<Champ> champs_;
  // The text each weight field was filled with, and the exact value behind it.
  QMap<const QLineEdit*, QPair<QString, double>> poids_affiches_;
  bool usine_demandee_ = false;  // the factory values were put in since the load
  bool curseur_par_programme_ = false;
};

// A choice of OK that waited for the board window to close comes into force:
// play mode, the human's colour, engine profile 1, the main window's marks.
void met_en_vigueur_choix();

// The main window's command: shows the preferences dialog, loading it first
// when it is not open.
void menu_pref_Click();

// The local form of a weight: the shortest text that reads back as the same
// single-precision value, with "." and no exponent ("0.1", "3.5", "1200").
QString texte_poids(double valeur);
// A number in the settings file's form: blanks around, an optional sign,
// digits with an optional "." and decimals; nothing else (no "," and no
// exponent).
bool est_nombre(const QString& texte);
// A duration as the settings reader and the clocks take it: "h:nn:ss" with
// hours under 24, minutes and seconds under 60 ("1:30:00", "01:30:00").
bool est_duree(const QString& texte);
// The decimal separator of the interface's language (cle_langue): "." in
// English, "," in the seven others.
QChar separateur_interface();
// A number of the file's form ("3.5") as the interface writes it ("3,5").
QString nombre_affiche(const QString& nombre);
// A number typed in the dialog in the file's form: trimmed; where the
// interface writes decimals with a comma, its one decimal comma turned into a
// point ("3,5" and "3.5" give "3.5"); where it writes a point (English), a
// comma stays (the form check refuses it), except the thousands commas of a
// whole number in an `entier` field ("1,000" gives "1000").
QString nombre_saisi(const QString& texte, bool entier = false);
