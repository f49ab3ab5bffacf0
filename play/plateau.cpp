// The board window: its controls and layout, loading, resizing, unloading,
// the coordinates and the clocks. The move input is in plateau_coups.cpp.
#include "play/plateau.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QMdiArea>
#include <QScreen>
#include <QStyle>
#include <QStatusBar>
#include <QTreeView>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "openings/cherche_ouverture.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "play/modele_parties.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/fichiers_texte.h"
#include "platform/minuterie.h"
#include "play/commandes_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/patience.h"
#include "play/navigation.h"
#include "play/nulle_abandon.h"
#include "play/partie.h"

namespace {


// Screen twips: 15 to a pixel.
constexpr int TWIPS = 15;

// Where the board and its surroundings sit in the window's design.
constexpr int X_PLATEAU = 28;
constexpr int Y_PLATEAU = 30;
constexpr int COTE = 297;
constexpr int PAS = 37;  // one square of the board control at its normal size

using fenetres::controle;
using fenetres::nom_indice;

QPushButton* bouton(QWidget* parent, const QString& nom, const QString& texte, int x, int y, int l, int h,
                    const QString& bulle = QString()) {
  auto* b = controle<QPushButton>(parent, nom, x, y, l, h);
  b->setText(texte);
  if (!bulle.isEmpty()) b->setToolTip(bulle);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int x, int y, int l, int h) {
  auto* e = controle<QLabel>(parent, nom, x, y, l, h);
  e->setText(texte);
  return e;
}

// The height a child window may take in the main window's area, title bar
// and frame of its sub-window deducted; 0 while no main window is shown.
int hauteur_zone_enfants() {
  QMdiArea* zone = fenetres::zone_enfants();
  if (!zone || !zone->window()->isVisible()) return 0;
  QStyle* style = zone->style();
  // The sub-window sizes itself to the window plus its frame and, once
  // more, its title bar's height.
  return zone->viewport()->height() - 2 * style->pixelMetric(QStyle::PM_TitleBarHeight) -
         2 * style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
}

}  // namespace

QString texte_heure(int secondes) {
  secondes = ((secondes % 86400) + 86400) % 86400;
  return QStringLiteral("%1:%2:%3")
      .arg(secondes / 3600, 2, 10, QLatin1Char('0'))
      .arg(secondes / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(secondes % 60, 2, 10, QLatin1Char('0'));
}

int secondes_heure(const QString& texte) {
  const QStringList parts = texte.trimmed().split(QLatin1Char(':'));
  if (parts.size() < 2 || parts.size() > 3) return -1;
  int valeurs[3] = {0, 0, 0};
  for (int i = 0; i < parts.size(); ++i) {
    bool ok = false;
    valeurs[i] = parts[i].trimmed().toInt(&ok);
    if (!ok || valeurs[i] < 0) return -1;
  }
  if (valeurs[0] > 23 || valeurs[1] > 59 || valeurs[2] > 59) return -1;
  return valeurs[0] * 3600 + valeurs[1] * 60 + valeurs[2];
}

namespace {
// The game list's small pictures: an arrow at the game loaded now ("main"),
// a tick at the games loaded before ("validation").
QIcon icone_liste(bool courante) {
  QPixmap image(16, 16);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (courante) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    p.drawPolygon(QPolygon({QPoint(2, 3), QPoint(14, 8), QPoint(2, 13)}));
  } else {
    p.setPen(QPen(QColor(0, 128, 0), 2.5));
    p.drawPolyline(QPolygon({QPoint(2, 8), QPoint(6, 12), QPoint(14, 3)}));
  }
  return QIcon(image);
}
}  // namespace

plateau* plateau::existante() { return fenetres::existante<plateau>(); }

int plateau::hauteur_ecran_essai = 0;

plateau::plateau() {
  fenetres::enregistre(this);
  setObjectName(QStringLiteral("plateau"));
  construit();
  branche_plateau(*this);
  branche_commandes_plateau(*this);
  Form_Load();
  plateforme::signale_changement();
}

plateau::~plateau() {
  Form_Unload();
  fenetres::retire(this);
}

// --- Controls and design layout -------------------------------------------

void plateau::construit() {
  setWindowTitle(QStringLiteral("Nouvelle partie"));
  resize(770, 600);

  horloge_haute = etiquette(this, QStringLiteral("horloge_haute"), QString(), X_PLATEAU, 6, 110, 20);
  duree_partie = etiquette(this, QStringLiteral("duree_partie"), QString(), X_PLATEAU + COTE - 110, 6, 110, 20);
  duree_partie->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (QLabel* h : {horloge_haute, duree_partie}) {
    QFont f = h->font();
    f.setBold(true);
    h->setFont(f);
  }

  Echiquier = new mvdechiquier::Echiquier(this);
  Echiquier->setObjectName(QStringLiteral("Echiquier"));
  Echiquier->setGeometry(X_PLATEAU, Y_PLATEAU, COTE, COTE);
  connect(Echiquier, &mvdechiquier::Echiquier::Click, this, &plateau::Echiquier_Click);
  connect(Echiquier, &mvdechiquier::Echiquier::MouseDown, this, &plateau::Echiquier_MouseDown);

  // Coordinates: the file letters under the board, the rank numbers on its left.
  for (int i = 0; i < 16; ++i) {
    QLabel* r;
    if (i < 8)
      r = etiquette(this, nom_indice("repere", i), QString(QChar('a' + i)), X_PLATEAU + i * PAS + 2,
                    Y_PLATEAU + COTE + 1, PAS - 4, 16);
    else
      r = etiquette(this, nom_indice("repere", i), QString::number(i - 7), 8,
                    Y_PLATEAU + (15 - i) * PAS + 2, 16, PAS - 4);
    r->setAlignment(Qt::AlignCenter);
    repere.append(r);
  }

  Horloge_basse = etiquette(this, QStringLiteral("Horloge_basse"), QString(), X_PLATEAU, Y_PLATEAU + COTE + 20, 110, 20);
  QFont fh = Horloge_basse->font();
  fh.setBold(true);
  Horloge_basse->setFont(fh);
  bouton_repere = bouton(this, QStringLiteral("bouton_repere"), QStringLiteral("a-h"), X_PLATEAU + COTE - 50,
                         Y_PLATEAU + COTE + 19, 50, 22);
  connect(bouton_repere, &QPushButton::clicked, this, &plateau::bouton_repere_Click);
  visu_prof = controle<QProgressBar>(this, QStringLiteral("visu_prof"), X_PLATEAU, Y_PLATEAU + COTE + 46, COTE, 12);
  visu_prof->setTextVisible(false);
  visu_prof->setToolTip(QStringLiteral("Profondeur de recherche"));

  // The move list and its buttons, right of the board.
  const int xl = X_PLATEAU + COTE + 16;
  Label1 = etiquette(this, QStringLiteral("Label1"), QStringLiteral("Liste des coups"), xl, 6, 210, 20);
  List1 = controle<QListWidget>(this, QStringLiteral("List1"), xl, 26, 210, 254);
  const char* textes_action[5] = {"<<", "Coup précédent", "Coup suivant", ">>", "Go"};
  const char* bulles_action[5] = {"Premier coup", "", "", "Dernier coup", "Démarrer le défilement"};
  for (int i = 0; i < 5; ++i) {
    QPushButton* b = bouton(this, nom_indice("action", i), QString::fromUtf8(textes_action[i]), xl + i * 42,
                            284, 40, 24, QString::fromUtf8(bulles_action[i]));
    action.append(b);
  }
  // The design captions of the two middle buttons are too long for them:
  // they show their arrows, the captions become their tooltips.
  action[1]->setText(QStringLiteral("<"));
  action[1]->setToolTip(QStringLiteral("Coup précédent"));
  action[2]->setText(QStringLiteral(">"));
  action[2]->setToolTip(QStringLiteral("Coup suivant"));
  note = bouton(this, QStringLiteral("note"), QStringLiteral("{ }"), xl, 312, 40, 24, QStringLiteral("Commentaire"));
  Command3 = bouton(this, QStringLiteral("Command3"), QStringLiteral("Un &conseil ?!"), xl + 44, 312, 166, 24,
                    QStringLiteral("Proposer le meilleur coup !"));
  Command2 = bouton(this, QStringLiteral("Command2"), QStringLiteral("Pro&grammer"), xl, 340, 103, 24,
                    QStringLiteral("Programmer la position initiale"));
  Command1 = bouton(this, QStringLiteral("Command1"), QStringLiteral("&Abandonner"), xl + 107, 340, 103, 24,
                    QStringLiteral("Quitter le plateau de jeux"));

  // The set-up palette: White's pieces on the left, Black's on the right,
  // rows pawn, knight, bishop, rook, queen, king.
  const int xf = xl + 220;
  Frame1 = controle<QGroupBox>(this, QStringLiteral("Frame1"), xf, 20, 110, 344);
  Frame1->setTitle(QStringLiteral("&Choisir les pièces"));
  for (int i = 0; i < 14; ++i) Piece.append(nullptr);
  const int types_ligne[6] = {TYPE_PION, TYPE_CAVALIER, TYPE_FOU, TYPE_TOUR, TYPE_DAME, TYPE_ROI};
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 2; ++c) {
      const int code = c == 0 ? types_ligne[r] + 6 : types_ligne[r];
      QLabel* p = controle<QLabel>(Frame1, nom_indice("Piece", code), 10 + c * 48, 22 + r * 40, 38, 38);
      p->setAlignment(Qt::AlignCenter);
      p->setFrameShape(QFrame::Panel);
      Piece[code] = p;
    }
  for (int i = 0; i < 3; ++i) Label7.append(nullptr);
  Label7[2] = etiquette(Frame1, nom_indice("Label7", 2), QStringLiteral("N° coup :"), 8, 268, 60, 20);
  texte_coup = controle<QLineEdit>(Frame1, QStringLiteral("texte_coup"), 68, 266, 34, 22);
  texte_coup->setText(QStringLiteral("50"));
  Command4 = bouton(Frame1, QStringLiteral("Command4"), QStringLiteral("&Ok"), 20, 300, 70, 26,
                    QStringLiteral("Démarrer sur cette position (BLANC au trait)"));
  Frame1->hide();

  // The game list of a PGN file and, beside it, the chat frame.
  List2 = controle<QTreeView>(this, QStringLiteral("List2"), 8, 408, 540, 140);
  List2->setRootIsDecorated(false);
  List2->setUniformRowHeights(true);
  List2->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ImlIcon.insert(QStringLiteral("main"), icone_liste(true));
  ImlIcon.insert(QStringLiteral("validation"), icone_liste(false));
  modele_parties = new ModeleParties(List2);
  modele_parties->definit_icones(ImlIcon.value(QStringLiteral("main")), ImlIcon.value(QStringLiteral("validation")));
  List2->setModel(modele_parties);
  Label2 = etiquette(this, QStringLiteral("Label2"), QStringLiteral("Double-cliquer sur la partie à visualiser"), 8,
                     552, 380, 20);
  Command6 = bouton(this, QStringLiteral("Command6"), QStringLiteral("Imprimer la liste"), 420, 550, 128, 24);
  message = controle<QGroupBox>(this, QStringLiteral("message"), 556, 370, 206, 206);
  message->setTitle(QStringLiteral("Message"));
  Text1 = controle<QPlainTextEdit>(message, QStringLiteral("Text1"), 6, 20, 194, 110);
  Text1->setReadOnly(true);
  Label3 = etiquette(message, QStringLiteral("Label3"), QStringLiteral("&Texte :"), 6, 136, 60, 20);
  Text2 = controle<QLineEdit>(message, QStringLiteral("Text2"), 6, 156, 130, 24);
  Label3->setBuddy(Text2);
  Command5 = bouton(message, QStringLiteral("Command5"), QStringLiteral("&Envoyer"), 140, 156, 60, 24);
  message->hide();

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  const int largeurs[4] = {260, 140, 140, 120};
  for (int i = 0; i < 4; ++i) {
    auto* p = new QLabel(StatusBar1);
    p->setObjectName(QStringLiteral("panneau(%1)").arg(i + 1));
    p->setMinimumWidth(largeurs[i]);
    StatusBar1->addWidget(p, i == 0 ? 1 : 0);
    panneaux_.append(p);
  }

  Timer1 = new plateforme::Minuterie(this);
  Timer2 = new plateforme::Minuterie(this);
  Timer3 = new plateforme::Minuterie(this);
  Timer4 = new plateforme::Minuterie(this);
  Timer5 = new plateforme::Minuterie(this);
  plateforme::Minuterie* timers[5] = {Timer1, Timer2, Timer3, Timer4, Timer5};
  for (int i = 0; i < 5; ++i) timers[i]->setObjectName(QStringLiteral("Timer%1").arg(i + 1));
  connect(Timer1, &plateforme::Minuterie::Timer, this, &plateau::Timer1_Timer);
  connect(Timer2, &plateforme::Minuterie::Timer, this, &plateau::Timer2_Timer);
  connect(Timer5, &plateforme::Minuterie::Timer, this, &plateau::Timer5_Timer);

  StatusBar1->setGeometry(0, height() - 22, width(), 22);
}

QLabel* plateau::panneau(int n) const {
  return n >= 1 && n <= panneaux_.size() ? panneaux_[n - 1] : nullptr;
}

// --- Loading ----------------------------------------------------------------

void plateau::Form_Load() {
  try {
    // 1. Top-left corner of the main window's area; on a tall screen the
    // window takes the screen's height less 1200 twips.
    // The design size is remembered first, so that the first resize lays the
    // game list and the controls under it out over the taller window.
    move(0, 0);
    largeur_memorisee_ = width();
    hauteur_memorisee_ = height();
    int hauteur_ecran = hauteur_ecran_essai;
    if (hauteur_ecran <= 0)
      if (QScreen* ecran = QGuiApplication::primaryScreen()) hauteur_ecran = ecran->geometry().height();
    if (hauteur_ecran * TWIPS > 10000) {
      int hauteur = hauteur_ecran - 1200 / TWIPS;
      // Inside the main window the window fits its area, title bar and frame
      // included, but never becomes lower than its design.
      const int zone = hauteur_zone_enfants();
      if (zone > 0) hauteur = std::min(hauteur, std::max(zone, height()));
      resize(width(), hauteur);
    }
    // Every control shows at the design size, or at the lower height a
    // short screen gives: arranging the main window's area (cascade, tile)
    // never makes the window smaller than that.
    setMinimumSize(width(), std::min(height(), hauteur_memorisee_));
    // 2 and 3.
    visu_prof->setMaximum(3);
    visu_prof->setValue(0);
    affiche_libelles(this);
    // 4 and 5. The main window's items follow the window (signalled once it
    // is loaded); the opening lines of the start can be shown.
    definit_ouvertures_a_montrer(true);
    // 6.
    eco_courant = QStringLiteral("inconnu");
    ouverture_courante = QStringLiteral("inconnu");
    resultat_partie = "*";
    profil_moteur = 1;
    premier_coup = -1;
    roque_interdit[BLANC] = 0;
    roque_interdit[NOIR] = 0;
    passant_blanc = 0;
    passant_noir = 0;
    // 7. The game log, emptied, held open while the window is loaded.
    if (ges_log == 1) {
      log_ = std::make_unique<plateforme::FichierJournal>();
      QString erreur;
      if (!log_->ouvre(plateforme::chemin_absolu(file_log), &erreur)) {
        log_.reset();
        throw std::runtime_error(erreur.toStdString());
      }
      const QDateTime maintenant = QDateTime::currentDateTime();
      const QLocale locale = QLocale::system();
      ecrit_log(QStringLiteral("-> ") + texte(28) + QStringLiteral(" - ") +
                locale.toString(maintenant.date(), QLocale::ShortFormat) + QStringLiteral(" - ") +
                locale.toString(maintenant.time(), QLocale::ShortFormat));
    }
    // 8. A network game: no navigation, no set-up, the chat frame; the board
    // and the chat wait for the game to start.
    if (mode_jeux == 3) {
      for (int i = 0; i <= 3; ++i) action[i]->setEnabled(false);
      Command2->setEnabled(false);
      message->setVisible(true);
      message->setEnabled(false);
      Echiquier->Enabled(false);
    }
    // 9. Move list and game list.
    List1->clear();
    modele_parties->vide();
    const int colonnes[7] = {229, 241, 244, 243, 238, 239, 246};
    const int largeurs[8] = {1000, 800, 800, 600, 1000, 1000, 600, 0};
    QStringList titres;
    for (int n : colonnes) titres << texte(n).chopped(texte(n).isEmpty() ? 0 : 1);
    titres << QString();
    modele_parties->definit_titres(titres);
    for (int i = 0; i < 8; ++i) List2->setColumnWidth(i, largeurs[i] / TWIPS);
    List2->setColumnHidden(ModeleParties::COLONNE_CLE_RONDE, true);
    fenetres::colonnes_a_leurs_titres(List2->header());
    // 10.
    etat_clic = 0;
    historique_positions.clear();
    profondeur_courante = 0;
    commentaires_coups.assign(1, std::string());
    // 11. Clocks: both show DELAI_PARTIE, White's starts (not in a network game).
    if (active_horloge == 1) {
      const int delai = secondes_heure(delai_partie);
      regle_horloge(true, delai < 0 ? 0 : delai);
      regle_horloge(false, delai < 0 ? 0 : delai);
      if (mode_jeux != 3) bascule_horloge(NOIR);
    }
    // 12. The game duration.
    if (mode_jeux != 3) {
      duree_partie->setText(texte_heure(0));
      Timer5->Interval(1000);
    }
    // 13. The human's colour at the bottom of the board.
    if (liens_jeu().couleur_choisie) couleur_joueur = liens_jeu().couleur_choisie();
    dernier_trait = NOIR;
    const QString appli = plateforme::chemin_appli();
    Echiquier->init_echiquier(couleur_joueur,
                              QDir(appli).filePath(QStringLiteral("images/pieces/") + curent_piece) + QLatin1Char('/'),
                              QDir(appli).filePath(QStringLiteral("images/echiquier/") + curent_echiquier));
    // 14. Coordinates shown exactly when AFF_REPERE is 1.
    repere[0]->setVisible(aff_repere != 1);
    bouton_repere_Click();
    // 15 to 17.
    numero_coup = 0;
    // Every game counts its half-moves from nothing.
    nb_demi_coups = 0;
    texte_partie.clear();
    texte_partie_longue.clear();
    recharge_tab_echiquier();
    memorise_position();
    // 18 and 19.
    if (mode_jeux == 1 && couleur_joueur == NOIR) premier_coup_machine_blanc();
    if (mode_jeux == 4) {
      profil_moteur = 1;
      lance_calcul_auto();
    }
  } catch (const std::exception& e) {
    chargement_rate_ = true;
    plateforme::boite_message(texte_erreur(e) + QStringLiteral("\r\n") +
                                  QStringLiteral("Vérifier par exemple, que l'ouverture par défaut est correcte (cf. préférence)"),
                              boite::EXCLAMATION);
    sablier(0);
    unsetCursor();
    Form_Unload();
  }
}

// The machine opens the game with White: the profile's default first move
// when it reads as a move, else the search.
void plateau::premier_coup_machine_blanc() {
  sablier(1);
  numero_coup = 1;
  profondeur_courante = 0;
  float note = -999999.0f;
  int cs = 0, ls = 0, cd = 0, ld = 0;
  // The game starts from the usual start here: its default first move holds.
  if (coup_par_defaut(cs, ls, cd, ld)) {
    note = 0.0f;
  } else {
    reinitialise_recherche();
    choix_coup_machine(cs, ls, cd, ld, BLANC, note, 1);
  }
  if (cs == 0 || ls == 0 || tab_echiquier(cs, ls) == CASE_VIDE) {
    sablier(0);
    return;
  }
  piece_levee = tab_echiquier(cs, ls);
  // The move path numbers White's move itself.
  numero_coup = 0;
  ControlesPartie c = controles();
  joue_coup_partie(c, CoupPartie::de_la_machine(cs, ls, cd, ld, note));
  sablier(0);
}

// --- Resizing and unloading -----------------------------------------------

void plateau::resizeEvent(QResizeEvent*) {
  if (StatusBar1) StatusBar1->setGeometry(0, height() - StatusBar1->sizeHint().height(), width(),
                                          StatusBar1->sizeHint().height());
  if (hauteur_memorisee_ != 0) Form_Resize();
}

void plateau::Form_Resize() {
  const int d = height() - hauteur_memorisee_;
  // Each step on its own: a height that would become negative is not applied.
  auto grandit = [d](QWidget* w) {
    if (w->height() + d >= 0) w->resize(w->width(), w->height() + d);
  };
  auto descend = [d](QWidget* w) { w->move(w->x(), w->y() + d); };
  grandit(List2);
  grandit(message);
  grandit(Text1);
  descend(Label2);
  descend(Label3);
  descend(Text2);
  descend(Command5);
  descend(Command6);
  largeur_memorisee_ = width();
  hauteur_memorisee_ = height();
}

void plateau::closeEvent(QCloseEvent* event) {
  // The machine thinks on this window: its search stops and the window
  // closes once the machine is done, without the move.
  if (machine_occupee() && !decharge_) {
    event->ignore();
    arrete_machine();
    apres_machine([fenetre = QPointer<plateau>(this)] {
      if (fenetre) fenetre->close();
    });
    return;
  }
  Form_Unload();
  event->accept();
  fenetres::decharge_plus_tard(this);
}

void plateau::Form_Unload() {
  if (decharge_) return;
  decharge_ = true;
  // A closed window keeps no timer running.
  for (plateforme::Minuterie* t : {Timer1, Timer2, Timer3, Timer4, Timer5}) t->Interval(0);
  // The connection of a network game ends with its board.
  if (mode_jeux == 3 && ferme_connexion_reseau()) ferme_connexion_reseau()();
  definit_ouvertures_a_montrer(false);
  plateforme::signale_changement();
  log_.reset();
  unsetCursor();
}

// --- The log file ---------------------------------------------------------

bool plateau::log_ouvert() const { return log_ && log_->ouvert(); }

void plateau::ecrit_log(const QString& ligne) {
  if (!log_ouvert()) return;
  QString erreur;
  if (!log_->ecrit(ligne + QStringLiteral("\r\n"), &erreur)) {
    // Said once: the log stops for the rest of the game.
    log_.reset();
    plateforme::boite_erreur(erreur);
  }
}

// --- Coordinates ------------------------------------------------------------

void plateau::bouton_repere_Click() {
  if (repere[0]->isHidden()) {
    for (QLabel* r : repere) r->setVisible(true);
    if (couleur_joueur == NOIR) {
      for (int i = 0; i <= 7; ++i) repere[i]->setText(QString(QChar(104 - i)));
      for (int i = 8; i <= 15; ++i) repere[i]->setText(QString::number(16 - i));
    }
    if (bulle_aide == 1) bouton_repere->setToolTip(QStringLiteral("Effacer les repères"));
  } else {
    for (QLabel* r : repere) r->setVisible(false);
    if (bulle_aide == 1) bouton_repere->setToolTip(QStringLiteral("Afficher les repères"));
  }
}

// --- Clocks -------------------------------------------------------------------

void plateau::Timer1_Timer() { tick_horloge(Horloge_basse, true); }
void plateau::Timer2_Timer() { tick_horloge(horloge_haute, false); }

qint64 plateau::reste_horloge_ms(bool basse) const {
  const qint64 reste = reste_ms_[basse ? 1 : 0];
  if (reste < 0) return -1;
  if (horloge_en_marche_ != (basse ? 1 : 0)) return reste;
  return std::max<qint64>(0, reste - (plateforme::instant_ms() - depart_ms_));
}

void plateau::montre_horloge(bool basse) {
  const qint64 reste = reste_horloge_ms(basse);
  if (reste < 0) return;
  // A clock shows the seconds begun: it reads 00:00:00 only once it is out.
  (basse ? Horloge_basse : horloge_haute)->setText(texte_heure(static_cast<int>((reste + 999) / 1000)));
}

void plateau::regle_horloge(bool basse, int secondes) {
  const int i = basse ? 1 : 0;
  if (horloge_en_marche_ == i) depart_ms_ = plateforme::instant_ms();
  reste_ms_[i] = secondes < 0 ? -1 : static_cast<qint64>(secondes) * 1000;
  if (secondes < 0)
    (basse ? Horloge_basse : horloge_haute)->clear();
  else
    montre_horloge(basse);
}

void plateau::arrete_horloges() {
  if (horloge_en_marche_ >= 0) {
    const bool basse = horloge_en_marche_ == 1;
    reste_ms_[horloge_en_marche_] = reste_horloge_ms(basse);
    horloge_en_marche_ = -1;
    montre_horloge(basse);
  }
  Timer1->Interval(0);
  Timer2->Interval(0);
}

void plateau::demarre_horloge(bool basse) {
  const int i = basse ? 1 : 0;
  if (horloge_en_marche_ == i) return;
  arrete_horloges();
  horloge_en_marche_ = i;
  depart_ms_ = plateforme::instant_ms();
  (basse ? Timer1 : Timer2)->Interval(1000);
}

void plateau::tick_horloge(QLabel*, bool basse) {
  if (reste_horloge_ms(basse) < 0 || horloge_en_marche_ != (basse ? 1 : 0)) {
    // Nothing to count down (the clocks were off when the window loaded).
    (basse ? Timer1 : Timer2)->Interval(0);
    return;
  }
  montre_horloge(basse);
  if (reste_horloge_ms(basse) > 0 || !partie_en_cours()) return;
  const bool blancs_perdent = basse ? couleur_joueur == BLANC : couleur_joueur != BLANC;
  resultat_partie = blancs_perdent ? "0-1" : "1-0";
  arret_timers();
  // A search under way has no move left to give.
  arrete_machine();
  List1->addItem(QString::fromStdString(resultat_partie));
  const QString ligne = texte(148) + QLatin1Char(' ') + texte(blancs_perdent ? 144 : 145);
  plateforme::boite_message(ligne, boite::EXCLAMATION, basse ? texte(149) : QStringLiteral("Fin de la partie"));
  ajoute_ligne_commentaire(ligne);
}

void plateau::Timer5_Timer() {
  const int s = secondes_heure(duree_partie->text());
  duree_partie->setText(texte_heure((s < 0 ? 0 : s) + 1));
}

// --- Showing the window -------------------------------------------------------

plateau* charge_plateau() {
  plateau& p = fenetres::instance<plateau>();
  if (p.chargement_rate()) {
    fenetres::decharge(&p);
    return nullptr;
  }
  return &p;
}

plateau* affiche_plateau() {
  plateau* p = charge_plateau();
  if (!p) return nullptr;
  fenetres::montre_enfant(p);
  p->setFocus();
  return p;
}

void lance_calcul_auto() {
  plateau* p = plateau::existante();
  if (!p) return;
  p->Timer4->Interval(100);
  p->action[4]->setText(QStringLiteral("P"));
  p->action[4]->setToolTip(QStringLiteral("Arrêter le calcul automatique"));
}
