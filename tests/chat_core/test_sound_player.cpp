#include "base/program_module.h"
#include "chat/core/lazy_sound_output.h"
#include "chat/core/sound_player.h"
#include "support_sound_output.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::unique_ptr<SoundOutput> recorder(RecordingSoundOutput::Log& log)
{
    return std::make_unique<RecordingSoundOutput>(log);
}

} // namespace

class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    void findsRecordingsInAnyCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("lower") << "bomb" << true;
        QTest::newRow("mixed") << "WaVe17" << true;
        QTest::newRow("no such") << "wave21" << false;
        QTest::newRow("with extension") << "bomb.wav" << false;
        QTest::newRow("path") << "../sounds/BOMB" << false;
    }

    void findsRecordingsInAnyCase()
    {
        QFETCH(QString, name);
        QFETCH(bool, found);
        RecordingSoundOutput::Log log;
        SoundPlayer player(recorder(log));
        QCOMPARE(player.play(name), found);
        QCOMPARE(log.played.size(), found ? 1 : 0);
        if (found)
            QCOMPARE(log.played.first().samples, player.sound(name.toUpper())->samples);
    }

    void gameSoundsFollowPlaySounds()
    {
        RecordingSoundOutput::Log log;
        SoundPlayer player(recorder(log));
        QVERIFY(player.playSounds());
        player.playsounds(QStringLiteral("remove"));
        QCOMPARE(log.played.size(), 1);
        player.setPlaySounds(false);
        player.playsounds(QStringLiteral("remove"));
        QCOMPARE(log.played.size(), 1);
        // Direct plays (chatter sounds) ignore the option.
        QVERIFY(player.play(QStringLiteral("wave3")));
        QCOMPARE(log.played.size(), 2);
    }

    void brokenFileInFolderPlaysNothing()
    {
        QTemporaryDir dir;
        QFile bad(dir.filePath("Broken.WAV"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("RIFF\x10\0\0\0WAVEfmt ", 16);
        bad.close();
        QVERIFY(QFile::copy(":/sounds/TURN.wav", dir.filePath("turn.wav")));
        RecordingSoundOutput::Log log;
        SoundPlayer player(recorder(log), dir.path());
        QVERIFY(!player.play(QStringLiteral("broken")));
        QVERIFY(player.play(QStringLiteral("TURN")));
        QCOMPARE(log.played.size(), 1);
    }

    // Without a sound device every play must return at once and leave nothing
    // playing; with one, a burst of starts must not pile up sinks.
    void realOutputNeverBlocksOrCrashes()
    {
        QString error;
        QVERIFY2(ProgramModule::entry(QStringLiteral("gloopdash-audio"), "gd_audio_create_output", &error),
                 qPrintable(error));
        auto* out = new LazySoundOutput;
        SoundPlayer player{std::unique_ptr<SoundOutput>(out)};
        for (int i = 0; i < 4; ++i)
            QVERIFY(player.play(QStringLiteral("bomb")));
        QVERIFY(player.play(QStringLiteral("wave16")));
        if (QMediaDevices::defaultAudioOutput().isNull())
            QVERIFY(!out->isPlaying());
        out->stop();
        QVERIFY(!out->isPlaying());
        out->play(PcmSound());
        QVERIFY(!out->isPlaying());
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "test_sound_player.moc"
