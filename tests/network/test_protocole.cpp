// The wire of a network game: messages composed byte for byte, move messages
// read and mirrored, and the byte stream cut back into messages whatever the
// reads (split, joined, garbage).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <tuple>
#include <vector>

#include "chess/etat.h"
#include "network/protocole.h"
#include "network/reseau.h"
#include "tests/network/aide_reseau.h"

using namespace reseau;

namespace {

QByteArray octets(const char* s) { return QByteArray(s); }

// Takes the messages ready in `d` into `recus`, the late bytes of one joined
// to it, after `silences` quiet whiles in a row (a move whose "!" may open a
// draw answer waits for a second one), as the connection does.
void prend(Decoupeur& d, int silences, std::vector<QByteArray>& recus) {
  QByteArray m;
  bool suite = false;
  const bool silence = silences >= 2 || (silences == 1 && !d.attend_deux_silences());
  while (d.suivant(m, silence, &suite)) suite && !recus.empty() ? void(recus.back() += m) : recus.push_back(m);
}

}  // namespace

TEST(Protocole, MessagesAreComposedByteForByte) {
  struct Cas {
    QString message;
    QByteArray attendu;
  };
  const std::vector<Cas> cas = {
      {message_demande(QStringLiteral("Joueur1")), "?Joueur1"},
      {message_acceptation(QStringLiteral("Hélène")), "@H\xe9l\xe8ne\r\n"},
      {message_refus(), "-"},
      {message_coup(5, 7, 5, 5, QStringLiteral(" 1.e2-e4 ")), "#57551.e2-e4"},
      {message_coup(2, 7, 2, 8, QStringLiteral("b2-b1=D+")), "#2728b2-b1=D+"},
      {message_chat(QStringLiteral("Zoë]"), QStringLiteral("  à bientôt €  ")), ">[Zo\xeb]] \xe0 bient\xf4t \x80"},
      {message_chat(QStringLiteral("Bob"), QStringLiteral("   ")), ">[Bob] "},
      {message_propose_nul(), "/"},
      {message_nul_accepte(), "!A"},
      {message_nul_refuse(), "!R"},
  };
  for (const Cas& c : cas) EXPECT_EQ(vers_octets(c.message), c.attendu) << c.message.toStdString();
  // And back: the receiver reads the same characters.
  EXPECT_EQ(depuis_octets(octets(">[Zo\xeb] \xe0 \x80")), QStringLiteral(">[Zoë] à €"));
  EXPECT_THROW(message_coup(0, 7, 5, 5, QStringLiteral("e4")), std::out_of_range);
  EXPECT_THROW(message_coup(5, 7, 5, 9, QStringLiteral("e4")), std::out_of_range);
}

TEST(Protocole, MoveMessagesAreReadAndMirrored) {
  struct Cas {
    const char* message;
    bool lu;
    int cs, ls, cd, ld;
    QChar promotion;
  };
  const std::vector<Cas> cas = {
      // White's e2-e4 from the listening side lands as (4,2)-(4,4) facing it.
      {"#57551.e2-e4", true, 4, 2, 4, 4, QChar()},
      {"#1234Cg1-f3", true, 8, 7, 6, 5, QChar()},
      {"#2728b2-b1=D+", true, 7, 2, 7, 1, QLatin1Char('D')},
      {"#2728b2-b1=q", true, 7, 2, 7, 1, QLatin1Char('q')},
      {"#2728b2-b1=", true, 7, 2, 7, 1, QChar()},
      {"#5878O-O", true, 4, 1, 2, 1, QChar()},
      {"#0755e4", false, 0, 0, 0, 0, QChar()},
      {"#5795e4", false, 0, 0, 0, 0, QChar()},
      {"#57a5e4", false, 0, 0, 0, 0, QChar()},
      {"#5755", false, 0, 0, 0, 0, QChar()},
      {"#57", false, 0, 0, 0, 0, QChar()},
      {">5755e4", false, 0, 0, 0, 0, QChar()},
  };
  for (const Cas& c : cas) {
    CoupRecu coup;
    QString erreur;
    const bool lu = lit_coup(QString::fromLatin1(c.message), coup, &erreur);
    EXPECT_EQ(lu, c.lu) << c.message;
    if (!c.lu) {
      EXPECT_FALSE(erreur.isEmpty()) << c.message;
      continue;
    }
    EXPECT_EQ(coup.col_s, c.cs) << c.message;
    EXPECT_EQ(coup.lig_s, c.ls) << c.message;
    EXPECT_EQ(coup.col_d, c.cd) << c.message;
    EXPECT_EQ(coup.lig_d, c.ld) << c.message;
    EXPECT_EQ(coup.promotion, c.promotion) << c.message;
    EXPECT_EQ(coup.texte, QString::fromLatin1(c.message + 5)) << c.message;
  }
}

TEST(Protocole, PromotionLettersOfBothNotations) {
  const std::vector<std::pair<char, int>> cas = {
      {'D', TYPE_DAME}, {'Q', TYPE_DAME},     {'C', TYPE_CAVALIER}, {'N', TYPE_CAVALIER}, {'T', TYPE_TOUR},
      {'R', TYPE_TOUR}, {'F', TYPE_FOU},      {'B', TYPE_FOU},      {'K', 0},             {'q', 0},
      {'P', 0},         {'=', 0},
  };
  for (const auto& [lettre, type] : cas) EXPECT_EQ(type_promotion(QLatin1Char(lettre)), type) << lettre;
}

// The stream as reads deliver it: each row gives the reads, whether the
// sender then falls silent, the messages that come out and how many runs of
// bytes were dropped.
TEST(Protocole, TheStreamIsCutByTheGrammarOfEachVerb) {
  struct Cas {
    const char* nom;
    std::vector<QByteArray> lectures;
    bool silence;
    std::vector<QByteArray> messages;
    int rejets;
    int reste;
    bool pauses = false;  // the sender quiet after each read
  };
  const std::vector<Cas> cas = {
      {"one move per read", {"#57551.e2-e4"}, true, {"#57551.e2-e4"}, 0, 0},
      {"a move waits for its marks", {"#57551.e2-e4"}, false, {}, 0, 12},
      {"a doubtful move is complete", {"#57551.e2-e4+?"}, false, {"#57551.e2-e4+?"}, 0, 0},
      {"a good move waits: its bang may open a draw answer", {"#57551.e2-e4+!"}, false, {}, 0, 14},
      {"a good move after silence", {"#57551.e2-e4+!"}, true, {"#57551.e2-e4+!"}, 0, 0},
      {"move cut after its digits", {"#5755", "1.e2-e4"}, true, {"#57551.e2-e4"}, 0, 0},
      {"move cut after its promotion sign", {"#2728b2-b1=", "D"}, true, {"#2728b2-b1=D"}, 0, 0},
      {"move cut between bang and draw answer", {"#2724e7-e5!", "A/"}, false, {"#2724e7-e5", "!A", "/"}, 0, 0},
      {"a malformed move's rest in a later read", {"#5795e7", "-e5/"}, false, {"/"}, 1, 0},
      {"move split in the digits", {"#57", "551.e2-e4"}, true, {"#57551.e2-e4"}, 0, 0},
      {"move split in its text", {"#57551.e2-", "e4"}, true, {"#57551.e2-e4"}, 0, 0},
      {"move split before its promotion", {"#2728b2-b1", "=D"}, true, {"#2728b2-b1=D"}, 0, 0},
      {"two moves joined", {"#57551.e2-e4#2724e7-e5"}, true, {"#57551.e2-e4", "#2724e7-e5"}, 0, 0},
      {"move then chat", {"#2724e7-e5+>[Bob] hi"}, true, {"#2724e7-e5+", ">[Bob] hi"}, 0, 0},
      {"move then draw answer", {"#2724e7-e5!A"}, true, {"#2724e7-e5", "!A"}, 0, 0},
      {"move judged then draw offer", {"#2724e7-e5?/"}, false, {"#2724e7-e5?", "/"}, 0, 0},
      {"fixed messages joined", {"/!R-!A"}, true, {"/", "!R", "-", "!A"}, 0, 0},
      {"draw answer split", {"!", "A"}, true, {"!A"}, 0, 0},
      {"answer with more letters stays whole", {"!AB/"}, false, {"!AB", "/"}, 0, 0},
      {"bang before a verb", {"!#57551.e2-e4!"}, true, {"!", "#57551.e2-e4!"}, 0, 0},
      {"acceptance ends with its CRLF", {"@Bob\r", "\n#57551.e2-e4"}, true, {"@Bob\r\n", "#57551.e2-e4"}, 0, 0},
      {"acceptance waits for its CRLF after silence", {"@Bob"}, true, {}, 0, 4},
      {"request waits for silence", {"?Al", "ice"}, false, {}, 0, 6},
      {"request after silence", {"?Al", "ice"}, true, {"?Alice"}, 0, 0},
      {"chats joined by nickname", {">[Bob] a/b>[Bob] c"}, true, {">[Bob] a/b", ">[Bob] c"}, 0, 0},
      {"chat then move", {">[Bob] ok#2724e7-e5"}, true, {">[Bob] ok", "#2724e7-e5"}, 0, 0},
      {"chat keeps a hash that is no move", {">[Bob] #1 fan"}, true, {">[Bob] #1 fan"}, 0, 0},
      {"unknown verb dropped", {"xyz/"}, false, {"/"}, 1, 0},
      {"bad digits dropped up to the next verb", {"#5795e4/"}, false, {"/"}, 1, 0},
      {"bad move text dropped", {"#5755zz>[Bob] x"}, true, {">[Bob] x"}, 1, 0},
      {"short move dropped when the next comes", {"#57", "/"}, false, {"/"}, 1, 0},
      {"short move waits alone", {"#575"}, true, {}, 0, 4},
      {"garbage without verbs", {QByteArray(5000, 'z') + "/"}, false, {"/"}, 1, 0},
      {"oversized chat dropped", {">" + QByteArray(3000, 'a') + "#57551.e2-e4!"}, true, {"#57551.e2-e4!"}, 1, 0},
      {"a chat of the size limit kept", {">" + QByteArray(Decoupeur::TAILLE_MAX - 1, 'a') + "#57551.e2-e4!"}, true,
       {">" + QByteArray(Decoupeur::TAILLE_MAX - 1, 'a'), "#57551.e2-e4!"}, 0, 0},
      {"move then draw refusal in one read", {"#5755e2-e4!R"}, true, {"#5755e2-e4", "!R"}, 0, 0},
      {"move right after a chat line", {">[Bob] bonjour \xe0 toi#4554exd5"}, true,
       {">[Bob] bonjour \xe0 toi", "#4554exd5"}, 0, 0},
      {"a promotion waits for its letter", {"#2211g2xh1", "="}, true, {}, 0, 11},
      {"a promotion with its letter", {"#2211g2xh1", "=", "D"}, true, {"#2211g2xh1=D"}, 0, 0, true},
      {"a piece reaching the last rank needs no letter", {"#2211Tg2-g1"}, true, {"#2211Tg2-g1"}, 0, 0, true},
      {"a chat line keeps its bytes after a pause", {">[peer] spli", "t chat here"}, true,
       {">[peer] split chat here"}, 0, 0, true},
      {"a move cut after a chat line and a pause", {">[Bob] bonjour#45", "54exd5"}, true,
       {">[Bob] bonjour", "#4554exd5"}, 0, 0, true},
      {"a hash that is no move stays in the line", {">[Bob] #5", "7 fans"}, true, {">[Bob] #57 fans"}, 0, 0, true},
      {"a draw offer after a chat line and a pause", {">[Bob] a", "/"}, true, {">[Bob] a", "/"}, 0, 0, true},
      {"an acceptance waits for its CRLF over a pause", {"@sr", "v\r\n"}, false, {"@srv\r\n"}, 0, 0, true},
      {"a chat one byte over the limit dropped", {">" + QByteArray(Decoupeur::TAILLE_MAX, 'a') + "#57551.e2-e4!"},
       true, {"#57551.e2-e4!"}, 1, 0},
  };
  for (const Cas& c : cas) {
    Decoupeur d;
    d.pseudo_adverse(QStringLiteral("Bob\r\n"));
    std::vector<QByteArray> recus;
    for (const QByteArray& l : c.lectures) {
      ASSERT_TRUE(d.ajoute(l)) << c.nom;
      prend(d, c.pauses ? 1 : 0, recus);
    }
    if (c.silence)
      for (int i = 1; i <= 2; ++i) prend(d, i, recus);
    EXPECT_EQ(recus, c.messages) << c.nom;
    EXPECT_EQ(d.rejets().size(), c.rejets) << c.nom;
    EXPECT_EQ(d.en_attente(), c.reste) << c.nom;
  }
}

TEST(Protocole, ABufferPastItsCapMustBeDropped) {
  Decoupeur d;
  // A chat line that never ends grows until the cap.
  EXPECT_TRUE(d.ajoute(">" + QByteArray(Decoupeur::PLAFOND - 1, 'a')));
  QByteArray m;
  EXPECT_FALSE(d.suivant(m, false));
  EXPECT_EQ(d.en_attente(), Decoupeur::PLAFOND);
  EXPECT_FALSE(d.ajoute("a"));
  EXPECT_EQ(d.en_attente(), 0);
  // Complete messages never count against it.
  Decoupeur e;
  for (int i = 0; i < 4 * Decoupeur::PLAFOND; ++i) {
    ASSERT_TRUE(e.ajoute("/"));
    ASSERT_TRUE(e.suivant(m, false));
  }
  EXPECT_EQ(e.en_attente(), 0);
}

namespace {

// The messages a listening peer named "Bob" sends in a game, as this
// program writes them: the acceptance, moves with and without numbers,
// marks, castling, promotion and en passant, chat lines (one holding a "#"
// that begins no move, one followed by a move), draw offers refused (one
// right after a move) and one accepted right after a move.
const std::vector<QByteArray>& partie_enregistree() {
  static const std::vector<QByteArray> m = {
      "@Bob\r\n",
      "#57551.e2-e4",
      vers_octets(QStringLiteral(">[Bob] salut, # 4745e7-e5 plus tard")),
      "#47452.d2-d4+",
      "#72633.Cg1-f3!",
      "/",
      "#67554.Ff1-c4?",
      "!R",
      vers_octets(QStringLiteral(">[Bob] €é à toi")),
      "#58785.O-O",
      "#27286.b7-b8=D+",
      "#55647.e5xd6e.p.",
      ">[Bob] #1 fan",
      "#45468.d4-d5",
      vers_octets(QStringLiteral(">[Bob] bonjour à toi")),
      "#4554exd5",
      "#5755e2-e4",
      "!R",
      "#2211g2xh1=D",
      "!A",
  };
  return m;
}

// The recorded game's stream cut byte by byte, then `n` times at random
// places (from `graine`).
std::vector<std::vector<QByteArray>> coupes_enregistrees(int graine, int n) {
  QByteArray flux;
  for (const QByteArray& m : partie_enregistree()) flux += m;
  std::vector<std::vector<QByteArray>> coupes(1);
  for (char c : flux) coupes[0].emplace_back(1, c);
  for (QRandomGenerator hasard(static_cast<quint32>(graine)); static_cast<int>(coupes.size()) <= n;) {
    std::vector<QByteArray>& morceaux = coupes.emplace_back();
    for (qsizetype i = 0, l = 0; i < flux.size(); i += l) morceaux.push_back(flux.mid(i, l = hasard.bounded(1, 12)));
  }
  return coupes;
}

// What comes out of `morceaux` read in turn (the sender quiet a while after
// each when `pauses`), the sender silent after the last past the long wait.
std::vector<QByteArray> decoupe(const std::vector<QByteArray>& morceaux, bool pauses = false) {
  Decoupeur d;
  d.pseudo_adverse(QStringLiteral("Bob\r\n"));
  std::vector<QByteArray> recus;
  for (const QByteArray& l : morceaux) {
    EXPECT_TRUE(d.ajoute(l));
    prend(d, pauses ? 1 : 0, recus);
  }
  for (int i = 1; i <= 2; ++i) prend(d, i, recus);
  // Then the long wait ends.
  d.fin_attente();
  prend(d, 2, recus);
  EXPECT_EQ(d.en_attente(), 0);
  return recus;
}

}  // namespace

// However the network cuts the stream, and whatever pause the sender makes
// between the pieces, the same messages come out: every run of the recorded
// game's messages cut at each byte, and the whole game byte by byte and cut
// at random places.
TEST(Protocole, WhereverTheStreamIsCutTheSameMessagesComeOut) {
  const std::vector<QByteArray>& partie = partie_enregistree();
  for (const bool pauses : {false, true})
    for (size_t debut = 0; debut < partie.size(); ++debut)
      for (size_t fin = debut + 1; fin <= partie.size(); ++fin) {
        const std::vector<QByteArray> attendu(partie.begin() + static_cast<long>(debut),
                                              partie.begin() + static_cast<long>(fin));
        QByteArray flux;
        for (const QByteArray& m : attendu) flux += m;
        ASSERT_EQ(decoupe({flux}, pauses), attendu) << debut << ".." << fin;
        for (qsizetype k = 1; k < flux.size(); ++k)
          ASSERT_EQ(decoupe({flux.left(k), flux.mid(k)}, pauses), attendu)
              << debut << ".." << fin << " cut at " << k << (pauses ? " with a pause" : "");
      }
  for (const bool pauses : {false, true})
    for (const std::vector<QByteArray>& morceaux : coupes_enregistrees(3, 300))
      ASSERT_EQ(decoupe(morceaux, pauses), partie) << morceaux.size() << " pieces" << (pauses ? " with pauses" : "");
}

// Chat text that could be read as another message is written so that it
// cannot: the peer cuts exactly one chat line out of it, then our next move.
TEST(Protocole, ChatTextNeverReadsAsAnotherMessage) {
  const std::vector<std::pair<QString, QString>> cas = {
      {QStringLiteral("my plan is #4745e7-e5 later"), QStringLiteral("my plan is # 4745e7-e5 later")},
      {QStringLiteral("##57551.e2-e4!"), QStringLiteral("## 57551.e2-e4!")},
      {QStringLiteral("#5878O-O+ #2724e7xd6e.p."), QStringLiteral("# 5878O-O+ # 2724e7xd6e.p.")},
      {QStringLiteral("again >[Joueur1] me"), QStringLiteral("again > [Joueur1] me")},
      {QStringLiteral("#1 fan, #4745 e7, >[Bob] x, #4745e7-e"), QStringLiteral("#1 fan, #4745 e7, >[Bob] x, # 4745e7-e")},
  };
  for (const auto& [tape, ecrit] : cas) {
    EXPECT_EQ(texte_chat_sans_message(tape, QStringLiteral("Joueur1")), ecrit);
    const QByteArray ligne = vers_octets(message_chat(QStringLiteral("Joueur1"), ecrit));
    Decoupeur d;
    d.pseudo_adverse(QStringLiteral("Joueur1"));
    std::vector<QByteArray> recus;
    QByteArray m;
    ASSERT_TRUE(d.ajoute(ligne + "#2724e7-e5"));
    while (d.suivant(m, true)) recus.push_back(m);
    EXPECT_EQ(recus, (std::vector<QByteArray>{ligne, "#2724e7-e5"})) << tape.toStdString();
  }
  // The line's own nickname is no text of it, even one that reads as a move.
  Decoupeur d;
  d.pseudo_adverse(QStringLiteral("#4745e7-e5"));
  ASSERT_TRUE(d.ajoute(">[#4745e7-e5] hi#2724e7-e5"));
  QByteArray m;
  ASSERT_TRUE(d.suivant(m, true));
  EXPECT_EQ(m, QByteArray(">[#4745e7-e5] hi"));
}

// A line goes as messages within the receiver's limit (">[Joueur1] " leaves 2037 bytes, the longest
// nickname 2012), cut between characters, that make up the trimmed line and each read as one chat line.
TEST(Protocole, AChatLineGoesAsMessagesThatEachFit) {
  const QString j = QStringLiteral("Joueur1"), z(32, QLatin1Char('z')), emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
  auto a = [](int n) { return QString(n, QLatin1Char('a')); };
  const std::vector<std::tuple<QString, QString, std::vector<qsizetype>>> cas = {
      {j, a(2037), {2037}}, {j, " " + a(2038) + " ", {2037, 1}}, {z, a(4025), {2012, 2012, 1}},
      {j, a(2036) + emoji + "d", {2036, 3}}, {z + "z", "hi", {}}};
  for (const auto& [pseudo, ligne, morceaux] : cas) {
    QString joints;
    std::vector<qsizetype> tailles;
    for (const QString& m : messages_chat(pseudo, ligne)) {
      EXPECT_LE(vers_octets(m).size(), Decoupeur::TAILLE_MAX);
      tailles.push_back(m.size() - pseudo.size() - 4);
      joints += m.mid(pseudo.size() + 4);
      Decoupeur d;
      QByteArray lu;
      ASSERT_TRUE(d.ajoute(vers_octets(m) + "#2724e7-e5") && d.suivant(lu, true));
      EXPECT_EQ(lu, vers_octets(m));
    }
    EXPECT_EQ(tailles, morceaux) << pseudo.size() << " " << ligne.size();
    EXPECT_EQ(joints, morceaux.empty() ? QString() : ligne.trimmed());
  }
}

// The recorded game over the socket as the network may cut it (the whole
// stream cut at each byte, byte by byte, at random), each piece sent at once
// or after a quiet while: the same messages are cut out as from the stream
// in one piece.
TEST_F(TestReseau, TheRecordedGameArrivesWholeHoweverTheSocketCutsIt) {
  partie_client();
  std::vector<QByteArray> recus;
  Reseau::instance().temoin([&recus](const QByteArray& m, bool suite) {
    suite && !recus.empty() ? void(recus.back() += m) : recus.push_back(m);
  });
  QByteArray flux;
  for (const QByteArray& m : partie_enregistree()) flux += m;
  std::vector<std::vector<QByteArray>> coupes = coupes_enregistrees(48, 10);
  for (qsizetype k = 1; k < flux.size(); ++k) coupes.push_back({flux.left(k), flux.mid(k)});
  for (const bool pauses : {false, true})
    for (const std::vector<QByteArray>& morceaux : coupes) {
      recus.clear();
      for (const QByteArray& morceau : morceaux) {
        envoie_pair(morceau);
        if (pauses) silences(1);
      }
      silences(Reseau::DELAI_DEMANDE_MS / Reseau::delai_silence_ms);
      attend([&] { return recus.size() >= partie_enregistree().size(); }, 1000, false);
      ASSERT_EQ(recus, partie_enregistree()) << morceaux.size() << " pieces" << (pauses ? ", with pauses" : "");
    }
}
