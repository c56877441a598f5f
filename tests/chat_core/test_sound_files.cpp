#include "chat/core/sound_decoder.h"
#include "chat/core/sound_player.h"
#include "chat/core/wave_file.h"
#include "support_sound_output.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <QTest>
#include <algorithm>

namespace {

QByteArray le16(quint16 v)
{
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const QByteArray& id, const QByteArray& body)
{
    QByteArray c = id + le32(quint32(body.size())) + body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

QByteArray fmtBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 align = quint16(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits);
}

QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

// A one-channel 8-bit recording of four samples at 11025 per second.
QByteArray smallWave()
{
    return riff(chunk("fmt ", fmtBody(1, 1, 11025, 8)) + chunk("data", QByteArray("\x00\x80\xff\x40", 4)));
}

QList<qint16> samples(const PcmSound& s)
{
    QList<qint16> out;
    const auto* p = reinterpret_cast<const qint16*>(s.samples.constData());
    for (qsizetype i = 0; i < s.samples.size() / 2; ++i)
        out.append(p[i]);
    return out;
}

} // namespace

class TestSoundFiles : public QObject {
    Q_OBJECT

private slots:
    // All 29 recordings, in the formats the game ships: 16-bit at 22050 for
    // four game sounds, MPEG Layer-3 for five chatter sounds, 8-bit at 8000 to
    // 22254 for the rest. The MPEG ones must decode to exactly the length of the
    // recording they were made from (the "fact" chunk): no encoder padding.
    void everyRecordingDecodes()
    {
        const QStringList sixteen = {"CHAIN", "GAMEOVER", "GAMESTART", "TURN"};
        const QStringList mpeg = {"WAVE6", "WAVE15", "WAVE16", "WAVE17", "WAVE20"};
        QStringList names = {"BOMB", "CLEARED", "NOMOVE", "OUTTIME", "REMOVE"};
        for (int k = 1; k <= 20; ++k)
            names.append(QStringLiteral("WAVE%1").arg(k));
        names += sixteen;
        QCOMPARE(QDir(":/sounds").entryList().size(), names.size());
        for (const QString& name : names) {
            QFile file(QStringLiteral(":/sounds/%1.wav").arg(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            const auto wave = WaveFile::parse(file.readAll());
            QVERIFY2(wave, qPrintable(name));
            const auto pcm = SoundDecoder::decode(*wave);
            QVERIFY2(pcm && pcm->channels == 1, qPrintable(name));
            if (mpeg.contains(name)) {
                QCOMPARE(wave->formatTag, WaveFile::MpegLayer3);
                QCOMPARE(pcm->frames(), qsizetype(wave->factSamples));
            } else {
                QCOMPARE(wave->formatTag, WaveFile::Pcm);
                QCOMPARE(int(wave->bitsPerSample), sixteen.contains(name) ? 16 : 8);
                QCOMPARE(pcm->frames(), wave->data.size() / wave->blockAlign);
            }
            if (sixteen.contains(name))
                QCOMPARE(pcm->sampleRate, 22050);
            QVERIFY2(pcm->sampleRate >= 8000 && pcm->sampleRate <= 22254, qPrintable(name));
            // Between a fifth of a second and four seconds, and not silence.
            QVERIFY2(pcm->frames() > pcm->sampleRate / 10 && pcm->frames() < 4 * pcm->sampleRate, qPrintable(name));
            const QList<qint16> s = samples(*pcm);
            QVERIFY2(*std::max_element(s.begin(), s.end()) > 8000, qPrintable(name));
        }
    }

    void pcmSamplesBecomeSigned16()
    {
        const auto wave = WaveFile::parse(smallWave());
        QVERIFY(wave);
        const auto pcm = SoundDecoder::decode(*wave);
        QVERIFY(pcm);
        QCOMPARE(samples(*pcm), (QList<qint16>{-32768, 0, 32512, -16384}));

        const QByteArray data = le16(0x1234) + le16(0xFFFE) + le16(0x8000) + le16(0x7FFF) + "\x01";
        const auto stereo = WaveFile::parse(riff(chunk("fmt ", fmtBody(1, 2, 44100, 16)) + chunk("data", data)));
        QVERIFY(stereo);
        const auto pcm16 = SoundDecoder::decode(*stereo);
        QVERIFY(pcm16);
        QCOMPARE(pcm16->channels, 2);
        QCOMPARE(pcm16->frames(), 2); // the stray last byte is no whole sample
        QCOMPARE(samples(*pcm16), (QList<qint16>{0x1234, -2, -32768, 32767}));
    }

    void skipsOtherChunksAndPadding()
    {
        const QByteArray wave = riff(chunk("LIST", "odd") + chunk("fmt ", fmtBody(1, 1, 8000, 8))
                                     + chunk("fact", le32(4)) + chunk("data", QByteArray("\x80\x80\x80\x80", 4)))
            + "trailing bytes outside the RIFF chunk";
        const auto parsed = WaveFile::parse(wave);
        QVERIFY(parsed);
        QCOMPARE(parsed->sampleRate, 8000u);
        QCOMPARE(parsed->data, QByteArray("\x80\x80\x80\x80", 4));
        QCOMPARE(parsed->factSamples, 4u);
    }

    void refusesBrokenHeaders_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = smallWave();
        const QByteArray fmt8 = chunk("fmt ", fmtBody(1, 1, 11025, 8));
        const QByteArray data4 = chunk("data", "abcd");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not RIFF") << QByteArray(good).replace(0, 4, "RIFX");
        QTest::newRow("RIFF longer than file") << QByteArray(good).replace(4, 4, le32(quint32(good.size())));
        QTest::newRow("data longer than RIFF") << riff(fmt8 + "data" + le32(5) + "abcd");
        QTest::newRow("chunk size at maximum") << riff(fmt8 + "data" + le32(0xFFFFFFFF) + "abcd");
        QTest::newRow("short fmt") << riff(chunk("fmt ", fmtBody(1, 1, 11025, 8).left(14)) + data4);
        QTest::newRow("no data") << riff(fmt8);
        QTest::newRow("24 bit") << riff(chunk("fmt ", fmtBody(1, 1, 11025, 24)) + data4);
        QTest::newRow("no channels") << riff(chunk("fmt ", fmtBody(1, 0, 11025, 8)) + data4);
        QTest::newRow("lying block align")
            << riff(chunk("fmt ", QByteArray(fmtBody(1, 1, 11025, 16)).replace(12, 2, le16(7))) + data4);
    }

    void refusesBrokenHeaders()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!WaveFile::parse(bytes));
    }

    // The view ends inside the data while the memory behind it still holds the
    // rest of a valid file: only a parser that reads past the end accepts it.
    void refusesCutFileWhateverFollowsInMemory()
    {
        QFile file(QStringLiteral(":/sounds/WAVE13.wav"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        for (qsizetype cut : {qsizetype(11), qsizetype(30), qsizetype(44), whole.size() / 2, whole.size() - 1})
            QVERIFY2(!WaveFile::parse(QByteArrayView(whole).first(cut)), qPrintable(QString::number(cut)));
        QVERIFY(WaveFile::parse(whole));
    }

    void damagedMpegDataGivesNothing()
    {
        QFile file(QStringLiteral(":/sounds/WAVE17.wav"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        auto wave = WaveFile::parse(file.readAll());
        QVERIFY(wave);
        wave->data = QByteArray(4000, '\xAB');
        QVERIFY(!SoundDecoder::decode(*wave));
        wave->data.clear();
        QVERIFY(!SoundDecoder::decode(*wave));
    }
};

QTEST_APPLESS_MAIN(TestSoundFiles)
#include "test_sound_files.moc"
