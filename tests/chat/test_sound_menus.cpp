#include "chat/core/chat_sink.h"
#include "chat/core/chatter_sounds.h"
#include "chat/core/sound_output.h"
#include "chat/core/sound_player.h"
#include "chat/sound_menus.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

struct NoChat : ChatSink {
    void addlinetochat(const StyledLine&, quint32) override { }
};

class SilentOutput : public SoundOutput {
public:
    void play(const PcmSound&) override { }
    void stop() override { }
};

} // namespace

class TestSoundMenus : public QObject {
    Q_OBJECT

private slots:
    void popupHoldsCancelAndTwentySounds_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("cancel") << 0 << "cancel"
                                << "<Cancel>";
        QTest::newRow("1") << 1 << "wave1"
                           << "Doh";
        QTest::newRow("5") << 5 << "wave5"
                           << "Where have you been?";
        QTest::newRow("13") << 13 << "wave13"
                            << "Applause";
        QTest::newRow("16") << 16 << "wave16"
                            << "Razzberry";
        QTest::newRow("20") << 20 << "wave20"
                            << "Crying";
    }

    void popupHoldsCancelAndTwentySounds()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        SoundsPopup popup;
        QCOMPARE(popup.objectName(), QStringLiteral("popup_sounds"));
        QCOMPARE(popup.actions().size(), 21);
        QAction* a = popup.findChild<QAction*>(name);
        QVERIFY(a);
        QCOMPARE(a, popup.item(code));
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->toolTip(), caption);
        QSignalSpy chosen(&popup, &SoundsPopup::soundChosen);
        a->trigger();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().toInt(), code);
    }

    void optionItemsSwitchTheirOptions()
    {
        SoundPlayer player(std::make_unique<SilentOutput>());
        NoChat chat;
        struct : ChatterSounds::Seats {
            std::optional<QString> playerName(int) const override { return std::nullopt; }
        } nobody;
        ChatterSounds chatter(player, nobody, chat);
        chatter.setChatterSounds(true);
        QMenu options;
        const SoundOptionActions a = addSoundOptions(&options, player, chatter);
        QCOMPARE(options.actions().size(), 2);
        QCOMPARE(a.playSounds->text(), QStringLiteral("Play Sounds"));
        QCOMPARE(a.chatterSounds->text(), QStringLiteral("Play Chatter Sounds"));
        // Built-in ticks, with the options made to match them.
        QVERIFY(a.playSounds->isChecked() && player.playSounds());
        QVERIFY(!a.chatterSounds->isChecked() && !chatter.chatterSounds());

        QSignalSpy saved(a.playSounds, &QAction::triggered);
        a.playSounds->trigger();
        QVERIFY(!a.playSounds->isChecked() && !player.playSounds());
        QCOMPARE(saved.size(), 1);
        a.chatterSounds->trigger();
        QVERIFY(a.chatterSounds->isChecked() && chatter.chatterSounds());
        // Applying the settings file ticks the items without a click.
        a.playSounds->setChecked(true);
        a.chatterSounds->setChecked(false);
        QVERIFY(player.playSounds());
        QVERIFY(!chatter.chatterSounds());
        QCOMPARE(saved.size(), 1);
    }
};

QTEST_MAIN(TestSoundMenus)
#include "test_sound_menus.moc"
