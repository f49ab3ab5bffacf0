#include "app/preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "app/modes.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/reglage_imprimante.h"
#include "platform/reseau_local.h"
#include "play/machine.h"
#include "play/plateau.h"

// --- Numbers and durations ----------------------------------------------------

QString texte_poids(double valeur) {
  char tampon[80];
  const auto r = std::to_chars(tampon, tampon + sizeof tampon, static_cast<float>(valeur), std::chars_format::fixed);
  if (r.ec != std::errc()) return QString::number(valeur, 'f');
  return QString::fromLatin1(tampon, static_cast<int>(r.ptr - tampon));
}

bool est_nombre(const QString& texte) {
  static const QRegularExpression forme(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
  return forme.match(texte.trimmed()).hasMatch();
}

bool est_duree(const QString& texte) { return valeur_acceptee(QStringLiteral("DELAI_PARTIE"), texte.trimmed()); }

QChar separateur_interface() { return cle_langue == 2 ? QLatin1Char('.') : QLatin1Char(','); }

QString nombre_affiche(const QString& nombre) {
  QString s = nombre;
  s.replace(QLatin1Char('.'), separateur_interface());
  return s;
}

QString nombre_saisi(const QString& texte, bool entier) {
  QString s = texte.trimmed();
  if (separateur_interface() == QLatin1Char('.')) {
    // A comma is no decimal mark here: in a whole-number field it groups
    // thousands ("1,000"); anywhere else the form check refuses it.
    static const QRegularExpression milliers(QStringLiteral("^[+-]?[0-9]{1,3}(,[0-9]{3})+$"));
    if (entier && milliers.match(s).hasMatch()) s.remove(QLatin1Char(','));
    return s;
  }
  if (!s.contains(QLatin1Char('.')) && s.count(QLatin1Char(',')) == 1) s.replace(QLatin1Char(','), QLatin1Char('.'));
  return s;
}

namespace {

// Refusal of the port field.
constexpr int TEXTE_PORT = 740;

// Every setting the dialog writes, copied whole, so that "save as" can write
// the dialog's values and then give memory back exactly as it was.
struct Instantane {
  int first_startup_ = first_startup, cle_langue_ = cle_langue, mode_jeux_ = mode_jeux,
      profil_moteur_ = profil_moteur;
  ChoixEnAttente choix_en_attente_ = choix_en_attente;
  std::array<QString, 3> nom_joueur_{nom_joueur[0], nom_joueur[1], nom_joueur[2]};
  std::array<QString, 3> nom_moteur_{nom_moteur[0], nom_moteur[1], nom_moteur[2]};
  std::array<QString, 3> ouverture_defaut_{ouverture_defaut[0], ouverture_defaut[1], ouverture_defaut[2]};
  std::array<int, 3> niveau_elo_{niveau_elo[0], niveau_elo[1], niveau_elo[2]};
  std::array<int, 3> ouverture_aleatoire_{ouverture_aleatoire[0], ouverture_aleatoire[1], ouverture_aleatoire[2]};
  std::array<int, 3> active_base_con_{active_base_con[0], active_base_con[1], active_base_con[2]};
  QString lieu_jeu_ = lieu_jeu, base_eco_ = base_eco, base_corres_ = base_corres, curent_echiquier_ = curent_echiquier,
          curent_piece_ = curent_piece, file_log_ = file_log, partie_filtre_ = partie_filtre,
          delai_partie_ = delai_partie, adresse_mel_ = adresse_mel, ip_adresse_host_ = ip_adresse_host,
          ip_num_port_ = ip_num_port, ip_nom_utilisateur_ = ip_nom_utilisateur;
  int imp_ = imp, bulle_aide_ = bulle_aide, deb_blanc_ = deb_blanc, zip_partie_ = zip_partie,
      sauve_abrege_ = sauve_abrege, aff_nouvelle_ = aff_nouvelle, machine_trace_coup_ = machine_trace_coup,
      aff_repere_ = aff_repere, active_son_ = active_son, ges_log_ = ges_log, max_seuil_partie_ = max_seuil_partie,
      max_coup_ouverture_ = max_coup_ouverture, tri_eco_ = tri_eco, active_horloge_ = active_horloge,
      delai_attente_ = delai_attente, nb_jour_max_ = nb_jour_max, ip_mode_serveur_ = ip_mode_serveur;
  // The engine weights of every profile, by key.
  std::vector<std::pair<std::string_view, std::array<double, NB_PROFILS>>> poids_;

  Instantane() {
    for (const ClePoids& c : cles_calcul()) {
      std::array<double, NB_PROFILS> v{};
      for (int p = 0; p < NB_PROFILS; ++p) v[p] = lit_poids(c.cle, p).value_or(0.0);
      poids_.emplace_back(c.cle, v);
    }
  }

  void restaure() const {
    first_startup = first_startup_;
    cle_langue = cle_langue_;
    mode_jeux = mode_jeux_;
    profil_moteur = profil_moteur_;
    choix_en_attente = choix_en_attente_;
    for (int p = 0; p < 3; ++p) {
      nom_joueur[p] = nom_joueur_[p];
      nom_moteur[p] = nom_moteur_[p];
      ouverture_defaut[p] = ouverture_defaut_[p];
      niveau_elo[p] = niveau_elo_[p];
      ouverture_aleatoire[p] = ouverture_aleatoire_[p];
      active_base_con[p] = active_base_con_[p];
    }
    lieu_jeu = lieu_jeu_;
    base_eco = base_eco_;
    base_corres = base_corres_;
    curent_echiquier = curent_echiquier_;
    curent_piece = curent_piece_;
    file_log = file_log_;
    partie_filtre = partie_filtre_;
    delai_partie = delai_partie_;
    adresse_mel = adresse_mel_;
    ip_adresse_host = ip_adresse_host_;
    ip_num_port = ip_num_port_;
    ip_nom_utilisateur = ip_nom_utilisateur_;
    imp = imp_;
    bulle_aide = bulle_aide_;
    deb_blanc = deb_blanc_;
    zip_partie = zip_partie_;
    sauve_abrege = sauve_abrege_;
    aff_nouvelle = aff_nouvelle_;
    machine_trace_coup = machine_trace_coup_;
    aff_repere = aff_repere_;
    active_son = active_son_;
    ges_log = ges_log_;
    max_seuil_partie = max_seuil_partie_;
    max_coup_ouverture = max_coup_ouverture_;
    tri_eco = tri_eco_;
    active_horloge = active_horloge_;
    delai_attente = delai_attente_;
    nb_jour_max = nb_jour_max_;
    ip_mode_serveur = ip_mode_serveur_;
    for (const auto& [cle, v] : poids_)
      for (int p = 0; p < NB_PROFILS; ++p) ecrit_poids(cle, v[p], p);
  }
};

QString dossier_images(const char* sous_dossier) {
  return QDir(plateforme::chemin_appli()).filePath(QStringLiteral("images/") + QLatin1String(sous_dossier));
}

// A piece set is a folder holding the icons of the twelve piece codes.
bool jeu_de_pieces_complet(const QString& nom) {
  const QDir d(QDir(dossier_images("pieces")).filePath(nom));
  for (int code = 2; code <= 13; ++code)
    if (!QFileInfo(d.filePath(QString::number(code) + QStringLiteral(".ico"))).isFile()) return false;
  return true;
}

// Loads a picture into a preview; a missing or unreadable file leaves the
// preview as it was.
void montre_apercu(QLabel* apercu, const QString& chemin) {
  if (!QFileInfo(chemin).isFile()) return;
  try {
    const QImage image = mvdechiquier::charge_image(chemin, apercu->width());
    apercu->setPixmap(QPixmap::fromImage(image).scaled(apercu->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  } catch (const std::exception&) {
    // left as it was
  }
}

const char* const SUFFIXES[6] = {"PION", "FOU", "CAVALIER", "TOUR", "DAME", "ROI"};

}  // namespace

// --- Construction --------------------------------------------------------------

pref::pref() {
  setObjectName(QStringLiteral("pref"));
  construit();
}

pref::~pref() {
  // The fields lose the focus as they go: no check then.
  for (const Champ& c : champs_) c.controle->removeEventFilter(this);
}

void pref::construit() {
  using fenetres::nomme;
  auto texte_ = [&](const char* nom, int indice = -1) {
    auto* t = new QLineEdit(this);
    return indice >= 0 ? nomme(t, nom, indice) : nomme(t, nom);
  };
  auto case_ = [&](const char* nom) { return nomme(new QCheckBox(this), nom); };
  auto liste = [&](const char* nom, bool saisie) {
    auto* c = nomme(new QComboBox(this), nom);
    c->setEditable(saisie);
    if (saisie) c->setInsertPolicy(QComboBox::NoInsert);
    return c;
  };
  auto bouton = [&](const char* nom) { return nomme(new QPushButton(this), nom); };
  for (int i = 0; i < 57; ++i) lab[i] = nomme(new QLabel(this), "lab", i);
  for (int i = 0; i < 6; ++i) Label8[i] = nomme(new QLabel(this), "Label8", i);

  Combo2 = liste("Combo2", false);
  Combo3 = liste("Combo3", false);
  Combo1 = liste("Combo1", false);
  Combo4 = liste("Combo4", true);
  Combo5 = liste("Combo5", true);
  Text1 = texte_("Text1");
  Text2 = texte_("Text2");
  Text3 = texte_("Text3");
  Text4 = texte_("Text4");
  Text8 = texte_("Text8");
  Text9 = texte_("Text9");
  Text10 = texte_("Text10");
  Text11 = texte_("Text11");
  Text12 = texte_("Text12");
  Text13 = texte_("Text13");
  Text14 = texte_("Text14");
  Text15 = texte_("Text15");
  Text16 = texte_("Text16");
  Text17 = texte_("Text17");
  Text18 = texte_("Text18");
  Text18->setReadOnly(true);
  Text19 = texte_("Text19");
  Text20 = texte_("Text20");
  Text21 = texte_("Text21");
  Text22 = texte_("Text22");
  for (int i = 0; i < 16; ++i) Text5[i] = texte_("Text5", i);
  for (int i = 1; i <= 6; ++i) {
    Text6[i] = texte_("Text6", i);
    Text7[i] = texte_("Text7", i);
  }
  Check1 = case_("Check1");
  Check2 = case_("Check2");
  Check3 = case_("Check3");
  Check4 = case_("Check4");
  Check5 = case_("Check5");
  Check6 = case_("Check6");
  Check7 = case_("Check7");
  Check8 = case_("Check8");
  Check9 = case_("Check9");
  Check10 = case_("Check10");
  Check11 = case_("Check11");
  Check12 = case_("Check12");
  Check13 = case_("Check13");
  Check14 = case_("Check14");
  Check15 = case_("Check15");
  Check16 = case_("Check16");
  Slider1 = nomme(new QSlider(Qt::Horizontal, this), "Slider1");
  Slider2 = nomme(new QSlider(Qt::Horizontal, this), "Slider2");
  for (QSlider* s : {Slider1, Slider2}) {
    s->setRange(0, 10);
    s->setSingleStep(1);
    s->setPageStep(5);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(1);
  }
  Diagramme = nomme(new QLabel(this), "Diagramme");
  Piece = nomme(new QLabel(this), "Piece");
  Diagramme->setFixedSize(120, 120);
  Piece->setFixedSize(48, 48);
  Command1 = bouton("Command1");
  Command2 = bouton("Command2");
  Command3 = bouton("Command3");
  Command4 = bouton("Command4");
  SSCommand3 = bouton("SSCommand3");
  Command3->setToolTip(QStringLiteral("Valeurs par défaut des paramètres"));

  // --- Layout: five tabs, the buttons below ------------------------------------
  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  auto page = [&]() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    SSTab1->addTab(w, QString());
    return g;
  };
  // A label with its field (and the text after it), one row of a grid.
  auto ligne = [](QGridLayout* g, int rang, int colonne, QLabel* l, QWidget* champ, QLabel* apres = nullptr) {
    if (l) {
      g->addWidget(l, rang, colonne);
      l->setBuddy(champ);
    }
    if (!apres) {
      g->addWidget(champ, rang, colonne + 1);
      return;
    }
    auto* h = new QHBoxLayout;
    h->addWidget(champ);
    h->addWidget(apres);
    g->addLayout(h, rang, colonne + 1);
  };

  QGridLayout* g = page();  // General
  {
    int r = 0;
    ligne(g, r++, 0, lab[0], Combo2);
    ligne(g, r++, 0, lab[12], Combo3);
    ligne(g, r++, 0, lab[1], Text11);
    ligne(g, r++, 0, lab[13], Text13);
    ligne(g, r++, 0, lab[2], Text12);
    ligne(g, r++, 0, lab[3], Check13);
    ligne(g, r++, 0, lab[4], Text3);
    ligne(g, r++, 0, lab[16], Text16);
    ligne(g, r++, 0, lab[5], Text4);
    ligne(g, r++, 0, lab[54], Check14);
    ligne(g, r++, 0, lab[7], Text17, lab[20]);
    ligne(g, r++, 0, lab[8], Text14);
    ligne(g, r++, 0, lab[22], Text15, lab[23]);
    r = 0;
    ligne(g, r++, 2, lab[9], Check2);
    ligne(g, r++, 2, lab[19], Check5);
    ligne(g, r++, 2, lab[11], Check7);
    ligne(g, r++, 2, lab[15], Check4);
    ligne(g, r++, 2, lab[21], Check12);
    ligne(g, r++, 2, lab[14], Check3);
    ligne(g, r++, 2, lab[24], Check9);
    ligne(g, r++, 2, lab[17], Check6);
    ligne(g, r++, 2, lab[18], Check8);
    ligne(g, r++, 2, lab[55], Check15);
    auto* images = new QVBoxLayout;
    images->addWidget(Combo4);
    images->addWidget(Diagramme);
    images->addWidget(Combo5);
    images->addWidget(Piece);
    images->addStretch();
    g->addLayout(images, 0, 4, r, 1);
    // The two paths, the opening base's and the log file's, on rows of their
    // own as wide as the page.
    const int bas = std::max(r, g->rowCount());
    for (const auto& [l, chemin] : {std::pair{lab[6], Text1}, std::pair{lab[10], Text2}}) {
      const int rang = l == lab[6] ? bas : bas + 1;
      g->addWidget(l, rang, 0);
      l->setBuddy(chemin);
      g->addWidget(chemin, rang, 1, 1, 4);
    }
  }
  g = page();  // Printing
  g->addWidget(Check1, 0, 0);
  g->addWidget(SSCommand3, 1, 0);
  g->setRowStretch(2, 1);

  g = page();  // Engine
  {
    ligne(g, 0, 0, lab[49], Text22);
    ligne(g, 1, 0, lab[26], Combo1);
    ligne(g, 0, 2, lab[25], Check11);
    ligne(g, 1, 2, lab[56], Check16);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grille = new QGridLayout(Frame1);
    for (int k = 1; k <= 6; ++k) grille->addWidget(Label8[k - 1], 0, k);
    grille->addWidget(lab[27], 1, 0);
    grille->addWidget(lab[28], 2, 0);
    grille->addWidget(lab[29], 3, 0);
    for (int k = 1; k <= 6; ++k) {
      grille->addWidget(Text5[k], 1, k);
      grille->addWidget(Text6[k], 2, k);
      grille->addWidget(Text7[k], 3, k);
    }
    grille->addWidget(lab[30], 3, 7);
    // A row's caption leads to the row's first field.
    lab[27]->setBuddy(Text5[1]);
    lab[28]->setBuddy(Text6[1]);
    lab[29]->setBuddy(Text7[1]);
    g->addWidget(Frame1, 2, 0, 1, 4);
    auto* seuls = new QGridLayout;
    int r = 0;
    ligne(seuls, r++, 0, lab[31], Text5[0], lab[37]);
    ligne(seuls, r++, 0, lab[34], Text5[8], lab[35]);
    ligne(seuls, r++, 0, lab[32], Text5[7]);
    ligne(seuls, r++, 0, lab[33], Text5[10]);
    ligne(seuls, r++, 0, lab[36], Text5[9]);
    ligne(seuls, r++, 0, lab[47], Text5[11]);
    ligne(seuls, r++, 0, lab[48], Text5[12]);
    ligne(seuls, r++, 0, lab[51], Text5[13], lab[50]);
    g->addLayout(seuls, 3, 0, 1, 2);
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* curseurs = new QGridLayout(Frame2);
    // Scale figures 0..10 left to right: chiffre(0..10) under Slider1,
    // chiffre(21) down to chiffre(11) under Slider2.
    for (int i = 0; i < 22; ++i) {
      chiffre[i] = nomme(new QLabel(Frame2), "chiffre", i);
      chiffre[i]->setText(QString::number(i <= 10 ? i : 21 - i));
    }
    auto echelle = [&](int premier, int pas) {
      auto* h = new QHBoxLayout;
      for (int k = 0; k <= 10; ++k) h->addWidget(chiffre[premier + pas * k]);
      return h;
    };
    curseurs->addWidget(lab[52], 0, 0);
    curseurs->addWidget(Slider1, 0, 1);
    curseurs->addWidget(Text5[15], 0, 2);
    curseurs->addLayout(echelle(0, 1), 1, 1);
    curseurs->addWidget(lab[53], 2, 0);
    curseurs->addWidget(Slider2, 2, 1);
    curseurs->addWidget(Text5[14], 2, 2);
    curseurs->addLayout(echelle(21, -1), 3, 1);
    g->addWidget(Frame2, 3, 2, 1, 2);
  }
  g = page();  // TCP/IP
  ligne(g, 0, 0, lab[38], Check10);
  ligne(g, 1, 0, lab[39], Text9);
  ligne(g, 2, 0, lab[40], Text8);
  ligne(g, 3, 0, lab[41], Text18);
  ligne(g, 4, 0, lab[42], Text10);
  g->setRowStretch(5, 1);
  g = page();  // Correspondence
  ligne(g, 0, 0, lab[43], Text19);
  ligne(g, 1, 0, lab[44], Text20, lab[45]);
  ligne(g, 2, 0, lab[46], Text21);
  g->setRowStretch(3, 1);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  for (QPushButton* b : {Command2, Command1, Command3, Command4}) boutons->addWidget(b);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(SSTab1);
  tout->addLayout(boutons);

  // --- The fields: key, kind, fallback of the check, factory value -------------
  const QString appli = plateforme::chemin_appli();
  using G = Genre;
  champs_ = {
      {Text11, "NOM_JOUEUR", G::texte, {}, QStringLiteral("Humanoïde")},
      {Text22, "NOM_MOTEUR", G::texte, {}, QStringLiteral("MorvandelV4")},
      {Text12, "LIEU_JEU", G::texte, {}, QStringLiteral("Chez moi")},
      {Text13, "NIVEAU_ELO", G::entier, QStringLiteral("1300"), QStringLiteral("1600")},
      {Text14, "DELAI_PARTIE", G::duree, QStringLiteral("00:03:00"), QStringLiteral("00:15:00")},
      {Text15, "DELAI_ATTENTE", G::entier, QStringLiteral("1000"), QStringLiteral("1000")},
      {Text16, "MAX_SEUIL_PARTIE", G::entier, QStringLiteral("1000"), QStringLiteral("1000")},
      {Text17, "OUVERTURE_DEFAUT", G::texte, {}, QStringLiteral("e4")},
      {Text20, "NB_JOUR_MAX", G::entier, QStringLiteral("30"), QStringLiteral("60")},
      {Text1, "BASE_ECO", G::texte, {}, QDir(appli).filePath(QStringLiteral("base/eco.db"))},
      {Text21, "BASE_CORRES", G::texte, {}, QDir(appli).filePath(QStringLiteral("base/corres.db"))},
      {Check5, "TRI_ECO", G::drapeau, {}, QStringLiteral("1")},
      {Check1, "IMP", G::drapeau_inverse, {}, QStringLiteral("1")},
      {Check2, "BULLE_AIDE", G::drapeau, {}, QStringLiteral("1")},
      {Check6, "ZIP_PARTIE", G::drapeau, {}, QStringLiteral("0")},
      {Check3, "DEB_BLANC", G::drapeau, {}, QStringLiteral("1")},
      {Check8, "AFF_REPERE", G::drapeau, {}, QStringLiteral("1")},
      {Check9, "ACTIVE_SON", G::drapeau, {}, QStringLiteral("1")},
      {Check4, "AFF_NOUVELLE", G::drapeau, {}, QStringLiteral("1")},
      {Text2, "FILE_LOG", G::texte, {}, QStringLiteral("morvandel.log")},
      {Check7, "GES_LOG", G::drapeau, {}, QStringLiteral("0")},
      {Check12, "ACTIVE_HORLOGE", G::drapeau, {}, QStringLiteral("1")},
      {Check13, "SAUVE_ABREGE", G::drapeau, {}, QStringLiteral("1")},
      {Check14, "OUVERTURE_ALEATOIRE", G::drapeau, {}, QStringLiteral("1")},
      {Check15, "MACHINE_TRACE_COUP", G::drapeau, {}, QStringLiteral("1")},
      {Check16, "ALPHA_BETA", G::drapeau, {}, QStringLiteral("0")},
      {Text4, "MAX_COUP_OUVERTURE", G::entier, QStringLiteral("6"), QStringLiteral("10")},
      {Text3, "PARTIE_FILTRE", G::texte, {}, QStringLiteral("*.PGN")},
      {Check11, "ACTIVE_BASE_CON", G::drapeau, {}, QStringLiteral("1")},
  };
  // The weight grid: column k is pawn, bishop, knight, rook, queen, king. A
  // field the program never checked before falls back to its factory value.
  const char* const materiel[6] = {"100", "350", "350", "500", "1200", "300"};
  const char* const mobilite[6] = {"1", "3.5", "3.5", "3", "1", "1"};
  const char* const evolutive[6] = {"0.1", "0", "0", "0", "0", "0"};
  for (int k = 1; k <= 6; ++k) {
    auto poids = [&](QLineEdit* t, const char* prefixe, const char* usine) {
      champs_.push_back({t, std::string(prefixe) + SUFFIXES[k - 1], G::poids, QString::fromLatin1(usine),
                         QString::fromLatin1(usine)});
    };
    poids(Text5[k], "NOTE_MATERIEL_", materiel[k - 1]);
    poids(Text6[k], "NOTE_MOBILITE_", mobilite[k - 1]);
    poids(Text7[k], "MOBILITE_EVOLUTIVE_", evolutive[k - 1]);
  }
  const std::vector<Champ> suite = {
      {Text5[7], "NOTE_PROMOTION", G::poids, QStringLiteral("900"), QStringLiteral("900")},
      {Text5[0], "BONUS_ECHEC", G::poids, QStringLiteral("1"), QStringLiteral("1")},
      {Text5[8], "SEUIL_BONUS_ECHEC", G::entier, QStringLiteral("15"), QStringLiteral("15")},
      {Text5[9], "MALUS_DOUBLE", G::poids, QStringLiteral("10"), QStringLiteral("80")},
      {Text5[10], "NOTE_ROQUE", G::poids, QStringLiteral("50"), QStringLiteral("400")},
      {Text5[11], "MALUS_ROI", G::poids, QStringLiteral("180"), QStringLiteral("180")},
      {Text5[12], "NOTE_CENTRE", G::poids, QStringLiteral("40"), QStringLiteral("40")},
      {Text5[13], "SEUIL_CENTRE", G::entier, QStringLiteral("10"), QStringLiteral("8")},
      {Text5[15], "INDICE_DEFENSE", G::poids, QStringLiteral("0"), QStringLiteral("3")},
      {Text5[14], "INDICE_ATTAQUE", G::poids, QStringLiteral("0"), QStringLiteral("1")},
      {Check10, "IP_MODE_SERVEUR", G::drapeau, {}, QStringLiteral("0")},
      {Text9, "IP_ADRESSE_HOST", G::texte, {}, QStringLiteral("127.1.0.1")},
      {Text8, "IP_NUM_PORT", G::port, QStringLiteral("5555"), QStringLiteral("5555")},
      {Text10, "IP_NOM_UTILISATEUR", G::pseudo, QStringLiteral("Joueur1"), QStringLiteral("Joueur1")},
      {Text19, "ADRESSE_MEL", G::texte, {}, {}},
  };
  champs_.insert(champs_.end(), suite.begin(), suite.end());

  // Checked fields are checked when they lose the focus.
  for (const Champ& c : champs_)
    if (verifie(c.genre)) c.controle->installEventFilter(this);

  connect(Combo4, &QComboBox::currentIndexChanged, this, [this] { Combo4_Click(); });
  connect(Combo5, &QComboBox::currentIndexChanged, this, [this] { Combo5_Click(); });
  connect(Slider1, &QSlider::valueChanged, this, [this] { Slider1_Scroll(); });
  connect(Slider2, &QSlider::valueChanged, this, [this] { Slider2_Scroll(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(SSCommand3, &QPushButton::clicked, this, [this] { SSCommand3_Click(); });
}

const pref::Champ* pref::champ_de(const QObject* controle) const {
  for (const Champ& c : champs_)
    if (c.controle == controle) return &c;
  return nullptr;
}

bool pref::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::FocusOut)
    if (auto* t = qobject_cast<QLineEdit*>(objet)) controle_champ(t);
  return QWidget::eventFilter(objet, evenement);
}

// --- Loading ---------------------------------------------------------------------

void pref::Form_Load() {
  if (auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sous->move(0, 0);
  else
    move(0, 0);
  affiche_libelles(this);
  Text18->clear();

  // The three fixed lists.
  Combo1->clear();
  for (int n = 57; n <= 60; ++n) Combo1->addItem(texte(n));
  Combo2->clear();
  for (int n = 590; n <= 594; ++n) Combo2->addItem(texte(n));
  Combo3->clear();
  for (int n = 191; n <= 198; ++n) Combo3->addItem(texte(n));

  // The board pictures and the piece sets, in the file system's order.
  {
    const QSignalBlocker b4(Combo4), b5(Combo5);
    Combo4->clear();
    const QDir echiquiers(dossier_images("echiquier"));
    for (const QFileInfo& f : echiquiers.entryInfoList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Unsorted))
      Combo4->addItem(f.fileName());
    Combo5->clear();
    const QDir pieces(dossier_images("pieces"));
    for (const QString& nom : pieces.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Unsorted))
      Combo5->addItem(nom);
  }
  remplit_champs();
  Text18->setText(plateforme::adresse_ip_locale());
  // A caption keeps its width: the fields give way first.
  for (QLabel* l : lab)
    if (l) l->setMinimumWidth(l->sizeHint().width());
}

QString pref::Champ::valeur() const {
  if (genre == Genre::drapeau || genre == Genre::drapeau_inverse)
    return static_cast<QCheckBox*>(controle)->isChecked() == (genre == Genre::drapeau) ? QStringLiteral("1")
                                                                                        : QStringLiteral("0");
  const QString t = static_cast<QLineEdit*>(controle)->text();
  return genre == Genre::entier || genre == Genre::poids ? nombre_saisi(t, genre == Genre::entier) : t.trimmed();
}

void pref::Champ::montre(const QString& valeur) const {
  // A flag other than 0 or 1 shows clear: the box has two states.
  if (genre == Genre::drapeau)
    static_cast<QCheckBox*>(controle)->setChecked(valeur == QLatin1String("1"));
  else if (genre == Genre::drapeau_inverse)
    static_cast<QCheckBox*>(controle)->setChecked(valeur == QLatin1String("0"));
  else
    static_cast<QLineEdit*>(controle)->setText(genre == Genre::entier || genre == Genre::poids ? nombre_affiche(valeur)
                                                                                               : valeur);
}

void pref::remplit_champs() {
  const int p = 1;
  poids_affiches_.clear();
  usine_demandee_ = false;
  for (const Champ& c : champs_) {
    if (c.genre != Genre::poids) {
      c.montre(valeur_reglage(QString::fromStdString(c.cle), p));
      continue;
    }
    const double v = lit_poids(c.cle, p).value_or(0.0);
    auto* t = static_cast<QLineEdit*>(c.controle);
    t->setText(nombre_affiche(texte_poids(v)));
    poids_affiches_.insert(t, {t->text(), v});
  }
  // The lists: a value outside a list selects no item.
  const int mode = mode_jeux_reglage();
  Combo2->setCurrentIndex(mode >= 1 && mode <= 5 ? mode - 1 : -1);
  Combo3->setCurrentIndex(cle_langue >= 1 && cle_langue <= 8 ? cle_langue - 1 : -1);
  Combo1->setCurrentIndex(profondeur_max[p] >= 0 && profondeur_max[p] <= 3 ? profondeur_max[p] : -1);
  Combo4->setCurrentIndex(Combo4->findText(curent_echiquier));
  Combo4->setCurrentText(curent_echiquier);
  Combo5->setCurrentIndex(Combo5->findText(curent_piece));
  Combo5->setCurrentText(curent_piece);
  montre_apercu(Diagramme, QDir(dossier_images("echiquier")).filePath(curent_echiquier));
  montre_apercu(Piece, QDir(dossier_images("pieces")).filePath(curent_piece + QStringLiteral("/13.ico")));
  // The sliders follow their boxes.
  curseur_par_programme_ = true;
  Slider1->setValue(static_cast<int>(std::clamp(std::rint(indice_defense[p]), 0.0f, 10.0f)));
  Slider2->setValue(static_cast<int>(std::clamp(std::rint(indice_attaque[p]), 0.0f, 10.0f)));
  curseur_par_programme_ = false;
}

// --- Pictures and sliders ----------------------------------------------------------

void pref::Combo4_Click() {
  if (Combo4->currentIndex() < 0) return;
  montre_apercu(Diagramme, QDir(dossier_images("echiquier")).filePath(Combo4->currentText()));
}

void pref::Combo5_Click() {
  if (Combo5->currentIndex() < 0) return;
  montre_apercu(Piece, QDir(dossier_images("pieces")).filePath(Combo5->currentText() + QStringLiteral("/13.ico")));
}

void pref::Slider1_Scroll() {
  if (!curseur_par_programme_) Text5[15]->setText(QString::number(Slider1->value()));
}

void pref::Slider2_Scroll() {
  if (!curseur_par_programme_) Text5[14]->setText(QString::number(Slider2->value()));
}

// --- Field checks ---------------------------------------------------------------------

bool pref::controle_champ(QLineEdit* champ) {
  const Champ* c = champ_de(champ);
  if (!c || !verifie(c->genre)) return true;
  const QString cle = QString::fromStdString(c->cle);
  const QString t = c->valeur();
  // A value the dialog takes is one the settings reader takes at the next
  // start: its form, its range; a number with the interface's comma or a point.
  const bool nombre = c->genre == Genre::entier || c->genre == Genre::poids;
  if ((nombre && !est_nombre(t)) || !valeur_acceptee(cle, t)) {
    const int message = c->genre == Genre::duree ? 600 : c->genre == Genre::port ? TEXTE_PORT : 233;
    plateforme::boite_message(c->genre == Genre::pseudo ? texte(927).arg(LONGUEUR_PSEUDO_MAX) : texte(message),
                              boite::QUESTION);
    champ->setText(nombre ? nombre_affiche(c->repli) : c->repli);
    return false;
  }
  QSlider* curseur = champ == Text5[15] ? Slider1 : champ == Text5[14] ? Slider2 : nullptr;
  if (curseur) {
    const double v = std::rint(t.toDouble());
    if (v < curseur->minimum() || v > curseur->maximum()) {
      plateforme::boite_erreur(texte(919));
      champ->setText(QStringLiteral("1"));
      return false;
    }
    curseur_par_programme_ = true;
    curseur->setValue(static_cast<int>(v));
    curseur_par_programme_ = false;
  }
  return true;
}

void pref::Text4_LostFocus() { controle_champ(Text4); }
void pref::Text13_LostFocus() { controle_champ(Text13); }
void pref::Text14_LostFocus() { controle_champ(Text14); }
void pref::Text15_LostFocus() { controle_champ(Text15); }
void pref::Text16_LostFocus() { controle_champ(Text16); }
void pref::Text20_LostFocus() { controle_champ(Text20); }
void pref::Text5_LostFocus(int Index) {
  if (Index >= 0 && Index < 16) controle_champ(Text5[Index]);
}

bool pref::controle_tout() {
  for (const Champ& c : champs_) {
    if (!verifie(c.genre)) continue;
    auto* t = static_cast<QLineEdit*>(c.controle);
    if (!controle_champ(t)) {
      for (int i = 0; i < SSTab1->count(); ++i)
        if (SSTab1->widget(i)->isAncestorOf(t)) SSTab1->setCurrentIndex(i);
      t->setFocus();
      return false;
    }
  }
  // A board picture is one of the pictures listed, a piece set a listed
  // folder that holds the twelve icons; the names in force may stay.
  const QString echiquier = Combo4->currentText();
  if (echiquier != curent_echiquier && Combo4->findText(echiquier) < 0) {
    plateforme::boite_erreur(QLatin1Char('[') + echiquier + QStringLiteral("] ") + texte(270));
    return false;
  }
  const QString pieces = Combo5->currentText();
  if (pieces != curent_piece && (Combo5->findText(pieces) < 0 || !jeu_de_pieces_complet(pieces))) {
    plateforme::boite_erreur(QLatin1Char('[') + pieces + QStringLiteral("] ") + texte(270));
    return false;
  }
  return true;
}

// --- Applying ----------------------------------------------------------------------------

void pref::applique_preferences() {
  profil_moteur = 1;
  const int p = 1;
  for (const Champ& c : champs_) {
    if (c.genre == Genre::poids) {
      auto* t = static_cast<QLineEdit*>(c.controle);
      const auto affiche = poids_affiches_.constFind(t);
      // A weight whose text was not touched keeps its exact value.
      if (affiche != poids_affiches_.cend() && affiche->first == t->text()) {
        ecrit_poids(c.cle, affiche->second, p);
        continue;
      }
    }
    range_reglage(QString::fromStdString(c.cle), c.valeur(), p);
  }
  // A list with no item selected leaves its setting as it was.
  if (Combo2->currentIndex() >= 0) mode_jeux = Combo2->currentIndex() + 1;
  if (Combo3->currentIndex() >= 0) cle_langue = Combo3->currentIndex() + 1;
  if (Combo1->currentIndex() >= 0) profondeur_max[p] = Combo1->currentIndex();
  curent_echiquier = Combo4->currentText();
  curent_piece = Combo5->currentText();
  if (usine_demandee_) {
    first_startup = 1;
    seuil_partie_nulle = -1000.0f;
  }
}

void pref::Command2_Click() {
  // While the machine thinks OK applies too: its search reads the weights
  // again as it goes and keeps its depth; the profile a game fixes stays.
  if (!controle_tout()) return;
  const Instantane avant;
  applique_preferences();
  const int couleur_choisie = deb_blanc == 1 ? BLANC : NOIR;
  // A game in progress keeps its mode, its engine profile and the human's
  // colour (the board's orientation): the choice waits for its board to
  // close, and the settings file and every later write of it hold it.
  plateau* jeu = plateau::existante();
  if (jeu) {
    choix_en_attente = {mode_jeux, couleur_choisie};
    mode_jeux = avant.mode_jeux_;
    profil_moteur = avant.profil_moteur_;
    connect(jeu, &QObject::destroyed, qApp, [] { met_en_vigueur_choix(); });
  } else {
    choix_en_attente = {};
    couleur_joueur = couleur_choisie;
  }
  applique_langue();
  Menu* menu = fenetres::existante<Menu>();
  if (menu) affiche_libelles(menu);
  const bool ecrit = sauve_parametres(fichier_ini);
  change_mode();

  base_eco = plateforme::chemin_absolu(base_eco);
  base_corres = plateforme::chemin_absolu(base_corres);
  file_log = plateforme::chemin_absolu(file_log);
  if (menu) menu->marques_preferences();
  // A file that could not be written has been reported: no success message,
  // the dialog stays open.
  if (!ecrit) return;
  plateforme::boite_message(texte(400), boite::EXCLAMATION);
  fenetres::decharge_plus_tard(this);
}

void met_en_vigueur_choix() {
  if (!applique_choix_en_attente()) return;
  change_mode();
  if (Menu* menu = fenetres::existante<Menu>()) menu->marques_preferences();
}

void pref::Command1_Click() { fenetres::decharge_plus_tard(this); }

void pref::Command3_Click() {
  for (const Champ& c : champs_) {
    switch (c.genre) {
      case Genre::texte:
        if (c.controle == Text19) break;  // the e-mail address keeps what it holds
        [[fallthrough]];
      case Genre::duree:
      case Genre::port:
      case Genre::pseudo:
        static_cast<QLineEdit*>(c.controle)->setText(c.usine);
        break;
      case Genre::entier:
      case Genre::poids:
        static_cast<QLineEdit*>(c.controle)->setText(nombre_affiche(c.usine));
        break;
      case Genre::drapeau:
      case Genre::drapeau_inverse:
        static_cast<QCheckBox*>(c.controle)->setChecked(c.usine == QLatin1String("1"));
        break;
    }
  }
  Combo1->setCurrentIndex(1);
  Combo2->setCurrentIndex(0);
  Combo3->setCurrentIndex(0);
  // An empty picture list leaves its choice as it was.
  if (Combo4->count() > 0) {
    Combo4->setCurrentIndex(0);
    Combo4_Click();
  }
  if (Combo5->count() > 0) {
    Combo5->setCurrentIndex(0);
    Combo5_Click();
  }
  curseur_par_programme_ = true;
  Slider1->setValue(3);
  Slider2->setValue(1);
  curseur_par_programme_ = false;
  // The next start shows the language dialog, and the draw threshold comes
  // back: both with OK.
  usine_demandee_ = true;
}

void pref::Command4_Click() {
  if (!controle_tout()) return;
  const QString chemin = plateforme::choisit_fichier_a_sauver(
      texte(138), texte(215) + QStringLiteral(" INI (*.ini)|*.ini"), plateforme::chemin_appli(),
      Text22->text() + QStringLiteral(".ini"));
  if (chemin.isEmpty()) return;
  if (QFileInfo::exists(chemin) &&
      plateforme::boite_message(QDir::toNativeSeparators(chemin) + texte(216), boite::OUI_NON | boite::QUESTION) !=
          boite::OUI)
    return;
  // The file takes the dialog's values; memory keeps its own.
  const Instantane avant;
  applique_preferences();
  choix_en_attente = {};
  profil_moteur = 1;
  const bool ecrit = sauve_parametres(chemin);
  avant.restaure();
  change_mode();
  if (ecrit) plateforme::boite_message(texte(400), boite::EXCLAMATION);
}

void pref::SSCommand3_Click() { plateforme::reglage_imprimante(this); }

// --- The menu command -------------------------------------------------------------------

void menu_pref_Click() {
  pref* p = fenetres::existante<pref>();
  if (!p) {
    p = &fenetres::instance<pref>();
    fenetres::montre_enfant(p);
    p->Form_Load();
    return;
  }
  fenetres::montre_enfant(p);
}
