#include "chat/core/sound_decoder.h"
#include "chat/core/sound_player.h"
#include "chat/core/wave_file.h"
#include "support_sound_output.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <QTest>

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
    // Rates, encodings and lengths as assets/make/make_sounds.sh makes them; the
    // MPEG ones must decode to exactly the length of the recording they came from.
    void everyRecordingDecodes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits"); // 0: MPEG Layer-3
        QTest::addColumn<int>("frames");
        QTest::newRow("BOMB") << "bomb" << 11025 << 8 << 9923;
        QTest::newRow("CHAIN") << "chain" << 22050 << 16 << 16979;
        QTest::newRow("CLEARED") << "cleared" << 22050 << 8 << 16538;
        QTest::newRow("GAMEOVER") << "gameover" << 22050 << 16 << 41893;
        QTest::newRow("GAMESTART") << "gamestart" << 22050 << 16 << 26019;
        QTest::newRow("NOMOVE") << "nomove" << 11025 << 8 << 13892;
        QTest::newRow("OUTTIME") << "outtime" << 8000 << 8 << 9440;
        QTest::newRow("REMOVE") << "remove" << 11025 << 8 << 1764;
        QTest::newRow("TURN") << "turn" << 22050 << 16 << 23814;
        QTest::newRow("WAVE1") << "wave1" << 11025 << 8 << 8916;
        QTest::newRow("WAVE2") << "wave2" << 11025 << 8 << 23035;
        QTest::newRow("WAVE3") << "wave3" << 11025 << 8 << 9737;
        QTest::newRow("WAVE4") << "wave4" << 11025 << 8 << 11303;
        QTest::newRow("WAVE5") << "wave5" << 11025 << 8 << 15741;
        QTest::newRow("WAVE6") << "wave6" << 22050 << 0 << 70560;
        QTest::newRow("WAVE7") << "wave7" << 11025 << 8 << 23299;
        QTest::newRow("WAVE8") << "wave8" << 11025 << 8 << 10541;
        QTest::newRow("WAVE9") << "wave9" << 11025 << 8 << 11414;
        QTest::newRow("WAVE10") << "wave10" << 11025 << 8 << 12542;
        QTest::newRow("WAVE11") << "wave11" << 11025 << 8 << 9214;
        QTest::newRow("WAVE12") << "wave12" << 11025 << 8 << 13825;
        QTest::newRow("WAVE13") << "wave13" << 11025 << 8 << 18048;
        QTest::newRow("WAVE14") << "wave14" << 11025 << 8 << 7056;
        QTest::newRow("WAVE15") << "wave15" << 22050 << 0 << 40247;
        QTest::newRow("WAVE16") << "wave16" << 22050 << 0 << 40883;
        QTest::newRow("WAVE17") << "wave17" << 22050 << 0 << 27298;
        QTest::newRow("WAVE18") << "wave18" << 11025 << 8 << 18874;
        QTest::newRow("WAVE19") << "wave19" << 11025 << 8 << 23776;
        QTest::newRow("WAVE20") << "wave20" << 22050 << 0 << 75090;
    }

    void everyRecordingDecodes()
    {
        QFETCH(QString, name);
        QFETCH(int, rate);
        QFETCH(int, bits);
        QFETCH(int, frames);
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(name.toUpper()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto wave = WaveFile::parse(file.readAll());
        QVERIFY(wave);
        QCOMPARE(wave->formatTag, bits ? WaveFile::Pcm : WaveFile::MpegLayer3);
        if (bits)
            QCOMPARE(int(wave->bitsPerSample), bits);
        else
            QCOMPARE(int(wave->factSamples), frames);
        const auto pcm = SoundDecoder::decode(*wave);
        QVERIFY(pcm);
        QCOMPARE(pcm->sampleRate, rate);
        QCOMPARE(pcm->channels, 1);
        QCOMPARE(int(pcm->frames()), frames);
        // A recording that decodes to silence would pass the length check.
        const QList<qint16> s = samples(*pcm);
        QVERIFY(*std::max_element(s.begin(), s.end()) > 8000);
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
        QTest::newRow("not WAVE") << QByteArray(good).replace(8, 4, "AVI ");
        QTest::newRow("RIFF longer than file") << QByteArray(good).replace(4, 4, le32(quint32(good.size())));
        QTest::newRow("RIFF size at maximum") << QByteArray(good).replace(4, 4, le32(0xFFFFFFFF));
        QTest::newRow("data longer than RIFF") << riff(fmt8 + "data" + le32(5) + "abcd");
        QTest::newRow("chunk size at maximum") << riff(fmt8 + "data" + le32(0xFFFFFFFF) + "abcd");
        QTest::newRow("short fmt") << riff(chunk("fmt ", fmtBody(1, 1, 11025, 8).left(14)) + data4);
        QTest::newRow("no fmt") << riff(data4);
        QTest::newRow("no data") << riff(fmt8);
        QTest::newRow("24 bit") << riff(chunk("fmt ", fmtBody(1, 1, 11025, 24)) + data4);
        QTest::newRow("no channels") << riff(chunk("fmt ", fmtBody(1, 0, 11025, 8)) + data4);
        QTest::newRow("six channels") << riff(chunk("fmt ", fmtBody(1, 6, 11025, 8)) + data4);
        QTest::newRow("rate zero") << riff(chunk("fmt ", fmtBody(1, 1, 0, 8)) + data4);
        QTest::newRow("float samples") << riff(chunk("fmt ", fmtBody(3, 1, 11025, 16)) + data4);
        QTest::newRow("lying block align") << riff(chunk("fmt ", QByteArray(fmtBody(1, 1, 11025, 16)).replace(12, 2, le16(7))) + data4);
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
