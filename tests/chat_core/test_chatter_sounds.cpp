#include "chat/core/chat_sink.h"
#include "chat/core/chatter_sounds.h"
#include "chat/core/sound_player.h"
#include "support_sound_output.h"

#include <QTest>

namespace {

// Lines as "style+text" and their colours.
struct Shown : ChatSink {
    QStringList lines;
    QList<quint32> colours;

    void addlinetochat(const StyledLine& line, quint32 colour) override
    {
        lines << QString::number(line.style) + u'+' + line.text;
        colours << colour;
    }
};

} // namespace

class TestChatterSounds : public QObject {
    Q_OBJECT

    RecordingSoundOutput::Log m_log;
    std::unique_ptr<SoundPlayer> m_player;
    // Seats 1 to 6 have name rows; seat 5's is empty.
    struct Seats : ChatterSounds::Seats {
        std::optional<QString> playerName(int slot) const override
        {
            static const QStringList n = {"Ann", "Cy", "Bo", "Dee", "", "Eve"};
            if (slot < 1 || slot > 6)
                return std::nullopt;
            return n.at(slot - 1);
        }
    } m_seats;
    std::unique_ptr<ChatterSounds> m_chatter;
    Shown m_shown;

    // A relayed payload as the client's dispatcher hands it on: a malformed one is dropped.
    void playasound(const QByteArray& payload)
    {
        FieldReader f(payload);
        if (const auto m = ToClient::PlayASound::decode(f))
            m_chatter->playasound(*m);
    }

private slots:
    void init()
    {
        m_log = {};
        m_shown = {};
        m_player = std::make_unique<SoundPlayer>(std::make_unique<RecordingSoundOutput>(m_log));
        m_chatter = std::make_unique<ChatterSounds>(*m_player, m_seats, m_shown);
    }

    void shownAsLineWhenChatterSoundsOff_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("line"); // empty: nothing shown
        QTest::newRow("applause from Bo") << QByteArray("3+wave13+") << "3+Bo: <Chatter Sound> Applause";
        QTest::newRow("name in capitals") << QByteArray("1+WAVE5+") << "1+Ann: <Chatter Sound> Where have you been?";
        QTest::newRow("no closing plus") << QByteArray("6+wave20") << "6+Eve: <Chatter Sound> Crying";
        QTest::newRow("empty player name") << QByteArray("5+wave1+") << "5+: <Chatter Sound> Doh";
        QTest::newRow("watcher slot") << QByteArray("7+wave1+") << "";
        // Slots are read as numbers like every other field: "03" is seat 3.
        QTest::newRow("slot with zero") << QByteArray("03+wave1+") << "3+Bo: <Chatter Sound> Doh";
        QTest::newRow("slot not a number") << QByteArray("x+wave1+") << "";
        QTest::newRow("sound 21") << QByteArray("3+wave21+") << "";
        QTest::newRow("game sound name") << QByteArray("3+bomb+") << "";
        QTest::newRow("empty") << QByteArray() << "";
    }

    void shownAsLineWhenChatterSoundsOff()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, line);
        m_player->setPlaySounds(true);
        playasound(data);
        QVERIFY(m_log.played.isEmpty());
        if (line.isEmpty()) {
            QVERIFY(m_shown.lines.isEmpty());
            return;
        }
        QCOMPARE(m_shown.lines, QStringList{line});
        QCOMPARE(m_shown.colours.first(), ColourText::Blue);
    }

    void heardWhenChatterSoundsOnEvenWithGameSoundsOff()
    {
        m_player->setPlaySounds(false);
        m_chatter->setChatterSounds(true);
        playasound("3+wave13+");
        QVERIFY(m_shown.lines.isEmpty());
        QCOMPARE(m_log.played.size(), 1);
        QCOMPARE(m_log.played.first().samples, m_player->sound("WAVE13")->samples);
        // A slot without a label still plays: the sound does not depend on the name.
        playasound("8+wave2+");
        playasound("8+nosuch+");
        QCOMPARE(m_log.played.size(), 2);
        QCOMPARE(m_log.played.last().samples, m_player->sound("WAVE2")->samples);
    }

    void itemRequests_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("myslot");
        QTest::addColumn<bool>("loggedin");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("player") << 13 << 3 << true << QByteArray("CMD_playasound+3+wave13+\xff");
        QTest::newRow("last seat, last sound") << 20 << 6 << true << QByteArray("CMD_playasound+6+wave20+\xff");
        QTest::newRow("cancel") << 0 << 3 << true << QByteArray();
        QTest::newRow("watcher") << 1 << 7 << true << QByteArray();
        QTest::newRow("not logged in") << 1 << 2 << false << QByteArray();
        QTest::newRow("code past the menu") << 21 << 1 << true << QByteArray();
    }

    void itemRequests()
    {
        QFETCH(int, code);
        QFETCH(int, myslot);
        QFETCH(bool, loggedin);
        QFETCH(QByteArray, sent);
        QCOMPARE(ChatterSounds::request(code, myslot, loggedin), sent);
    }
};

QTEST_APPLESS_MAIN(TestChatterSounds)
#include "test_chatter_sounds.moc"
