#include "chat/core/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// One field of the settings as text, so a data table can name what it checks.
QString field(const GameSettings& s, const QString& name)
{
    if (name == "textSize")
        return QString::number(s.textSize);
    if (name == "textColor")
        return s.textColor;
    if (name == "phrase4")
        return s.phrases[3];
    if (name == "playSounds")
        return GameSettings::writeOnOff(s.playSounds);
    if (name == "highScore")
        return GameSettings::writeOnOff(s.highScore);
    if (name == "chatterSounds")
        return GameSettings::writeOnOff(s.chatterSounds);
    if (name == "listOnNetwork")
        return GameSettings::writeOnOff(s.listOnNetwork);
    if (name == "top")
        return QString::number(s.top);
    if (name == "width")
        return QString::number(s.width);
    if (name == "tiles")
        return s.tiles;
    return QStringLiteral("?");
}

// The window's state before the first load: chatter sounds off, size 10.
GameSettings builtInWindowState()
{
    GameSettings s;
    s.textSize = 10;
    s.chatterSounds = false;
    return s;
}

const QByteArray storedFile = "[gloopdash]\n"
                              "Textsize=12\n"
                              "Textcolor=clred\n"
                              "Phrase1=Hi all\n"
                              "Playsounds=true\n"
                              "Highscore=false\n"
                              "Winnerspath=false\n"
                              "Tiles=blue\n"
                              "Top=100\n"
                              "Left=200\n"
                              "Width=800\n"
                              "Height=600\n"
                              "ChatterSounds=true\n";

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void defaultsWithoutFile()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        const GameSettings s = file.load();
        QCOMPARE(s, GameSettings());
        QCOMPARE(s.textSize, 8);
        QVERIFY(s.playSounds && s.highScore && s.winnersPath && s.chatterSounds);
        QCOMPARE(s.bounds(), QRect(3, 3, 713, 568));
        QVERIFY(!QFile::exists(file.path()));
        QCOMPARE(QFileInfo(file.path()).fileName(), QStringLiteral("rezeruvar.ini"));
    }

    void readsStoredValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("capital False is on") << QByteArray("[gloopdash]\nPlaysounds=False\n") << "playSounds"
                                             << "true";
        QTest::newRow("false is off") << QByteArray("[gloopdash]\nPlaysounds=false\n") << "playSounds"
                                      << "false";
        QTest::newRow("blanks around value") << QByteArray("[gloopdash]\nHighscore =  false \n") << "highScore"
                                             << "false";
        QTest::newRow("zero is on") << QByteArray("[gloopdash]\nChatterSounds=0\n") << "chatterSounds"
                                    << "true";
        QTest::newRow("game listed unless said") << QByteArray("[gloopdash]\n") << "listOnNetwork"
                                                 << "true";
        QTest::newRow("game kept off lists") << QByteArray("[gloopdash]\nListOnNetwork=false\n") << "listOnNetwork"
                                             << "false";
        QTest::newRow("key in any case") << QByteArray("[gloopdash]\nCHATTERSOUNDS=false\n") << "chatterSounds"
                                         << "false";
        QTest::newRow("section in any case") << QByteArray("[GloopDash]\nTextsize=14\n") << "textSize"
                                             << "14";
        QTest::newRow("hex 0x") << QByteArray("[gloopdash]\nTextsize=0x0C\n") << "textSize"
                                << "12";
        QTest::newRow("hex dollar") << QByteArray("[gloopdash]\nTextsize=$e\n") << "textSize"
                                    << "14";
        QTest::newRow("not a number") << QByteArray("[gloopdash]\nTextsize=big\n") << "textSize"
                                      << "8";
        QTest::newRow("trailing letters") << QByteArray("[gloopdash]\nTextsize=12pt\n") << "textSize"
                                          << "8";
        QTest::newRow("size zero") << QByteArray("[gloopdash]\nTextsize=0\n") << "textSize"
                                   << "8";
        QTest::newRow("size beyond int") << QByteArray("[gloopdash]\nTextsize=99999999999\n") << "textSize"
                                         << "8";
        QTest::newRow("negative top") << QByteArray("[gloopdash]\nTop=-20\n") << "top"
                                      << "-20";
        QTest::newRow("negative hex") << QByteArray("[gloopdash]\nTop=-$10\n") << "top"
                                      << "-16";
        QTest::newRow("hex without prefix") << QByteArray("[gloopdash]\nTop=1f\n") << "top"
                                            << "3";
        QTest::newRow("empty width") << QByteArray("[gloopdash]\nWidth=\n") << "width"
                                     << "713";
        QTest::newRow("empty phrase") << QByteArray("[gloopdash]\nPhrase4=\n") << "phrase4"
                                      << "";
        QTest::newRow("phrase") << QByteArray("[gloopdash]\nPhrase4=Yo | there\n") << "phrase4"
                                << "Yo | there";
        QTest::newRow("colour text") << QByteArray("[gloopdash]\nTextcolor=$00FF0000\n") << "textColor"
                                     << "$00FF0000";
        QTest::newRow("CRLF lines") << QByteArray("[gloopdash]\r\nTiles=red\r\n") << "tiles"
                                    << "red";
        QTest::newRow("other section") << QByteArray("[other]\nTextsize=12\n[gloopdash]\n") << "textSize"
                                       << "8";
        QTest::newRow("first of two keys") << QByteArray("[gloopdash]\nTiles=red\nTiles=blue\n") << "tiles"
                                           << "red";
        QTest::newRow("comment line") << QByteArray("[gloopdash]\n;Tiles=red\n") << "tiles"
                                      << "";
        QTest::newRow("long value cut") << "[gloopdash]\nTiles=" + QByteArray(3000, 'x') + "\n"
                                        << "tiles" << QString(2047, u'x');
        QTest::newRow("UTF-8 phrase") << QByteArray("[gloopdash]\nPhrase4=Gr\xc3\xbc\xc3\x9f"
                                                    "e\n")
                                      << "phrase4"
                                      << QString::fromUtf8("Gr\xc3\xbc\xc3\x9f"
                                                           "e");
    }

    void readsStoredValues()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        writeAll(file.path(), content);
        QCOMPARE(::field(file.load(), field), expected);
    }

    void writesTheListingOnlyOnceChanged()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        writeAll(file.path(), storedFile);
        GameSettings state = file.load();
        QVERIFY(file.save(state, {}));
        QCOMPARE(readAll(file.path()), storedFile);
        state.listOnNetwork = false;
        QVERIFY(file.save(state, SettingsFile::Key::ListOnNetwork));
        QCOMPARE(readAll(file.path()), storedFile + "ListOnNetwork=false\n");
        QVERIFY(!SettingsFile(dir.path()).load().listOnNetwork);
    }

    void saveBeforeLoadKeepsStoredValues()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        writeAll(file.path(), storedFile);
        GameSettings state = builtInWindowState();
        state.playSounds = false;
        QVERIFY(file.save(state, SettingsFile::Key::PlaySounds));
        QByteArray expected = storedFile;
        expected.replace("Playsounds=true", "Playsounds=false");
        QCOMPARE(readAll(file.path()), expected);

        // A later save still holds the earlier change, and nothing else.
        state.setBounds(QRect(10, 20, 700, 500));
        QVERIFY(file.save(state, SettingsFile::Key::Bounds));
        expected.replace("Top=100", "Top=20").replace("Left=200", "Left=10");
        expected.replace("Width=800", "Width=700").replace("Height=600", "Height=500");
        QCOMPARE(readAll(file.path()), expected);
    }

    void saveAfterLoadWritesEveryKeyButPhrases()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        writeAll(file.path(), storedFile);
        GameSettings state = file.load();
        state.phrases[0] = QStringLiteral("changed but not written");
        state.textSize = 14;
        state.tiles.clear();
        QVERIFY(file.save(state, SettingsFile::Key::TextSize));
        QByteArray expected = storedFile;
        expected.replace("Textsize=12", "Textsize=14").replace("Tiles=blue", "Tiles=");
        QCOMPARE(readAll(file.path()), expected);
    }

    void newFileHoldsKeysInOrder()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        file.load();
        QVERIFY(file.save(builtInWindowState(), {}));
        QCOMPARE(readAll(file.path()),
                 QByteArray("[gloopdash]\nTextsize=10\nTextcolor=clblack\nPlaysounds=true\nHighscore=true\n"
                            "Winnerspath=true\nTiles=\nTop=3\nLeft=3\nWidth=713\nHeight=568\n"
                            "ChatterSounds=false\n"));
        SettingsFile again(dir.path());
        QCOMPARE(again.load(), builtInWindowState());
    }

    void otherLinesStayByteForByte()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        const QByteArray before = "; kept comment\r\n"
                                  "[Other]\r\n"
                                  "  Textsize = 99  \r\n"
                                  "weird line without equals\r\n"
                                  "\r\n"
                                  "[GLOOPDASH]\r\n"
                                  "Textsize =  12\r\n"
                                  "Mystery=keep me\r\n"
                                  "\r\n"
                                  "[last]\r\n"
                                  "x=1"; // no line ending at the end
        writeAll(file.path(), before);
        GameSettings state = file.load();
        state.textSize = 8;
        state.tiles = QStringLiteral("red");
        QVERIFY(file.save(state, SettingsFile::Key::TextSize | SettingsFile::Key::Tiles));
        const QByteArray expected = "; kept comment\r\n"
                                    "[Other]\r\n"
                                    "  Textsize = 99  \r\n"
                                    "weird line without equals\r\n"
                                    "\r\n"
                                    "[GLOOPDASH]\r\n"
                                    "Textsize=8\r\n"
                                    "Mystery=keep me\r\n"
                                    "Textcolor=clblack\r\nPlaysounds=true\r\nHighscore=true\r\n"
                                    "Winnerspath=true\r\nTiles=red\r\nTop=3\r\nLeft=3\r\nWidth=713\r\n"
                                    "Height=568\r\nChatterSounds=true\r\n"
                                    "\r\n"
                                    "[last]\r\n"
                                    "x=1";
        QCOMPARE(readAll(file.path()), expected);
        SettingsFile again(dir.path());
        QCOMPARE(again.load(), state);
    }

    void phraseEditorWritesAllNine()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.path());
        writeAll(file.path(), storedFile);
        std::array<QString, GameSettings::PhraseCount> phrases;
        phrases[0] = QStringLiteral("");
        phrases[8] = QStringLiteral("two\nlines");
        QVERIFY(file.savePhrases(phrases));
        const QByteArray after = readAll(file.path());
        QVERIFY(after.startsWith(storedFile.left(storedFile.indexOf("Phrase1"))));
        QVERIFY(after.contains("Phrase1=\n"));
        QVERIFY(after.contains("Phrase9=two lines\n"));
        QVERIFY(after.contains("Textsize=12\n"));
        SettingsFile again(dir.path());
        const GameSettings s = again.load();
        QCOMPARE(s.phrases[8], QStringLiteral("two lines"));
        QCOMPARE(s.phrases[0], QString());
    }

    void refusedWriteReportsAndKeepsFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("folder missing") << "missing";
        QTest::newRow("file is a folder") << "folder";
        QTest::newRow("read-only folder") << "readonly";
    }

    void refusedWriteReportsAndKeepsFile()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QString folder = dir.path();
        if (how == "missing")
            folder = dir.filePath("gone");
        if (how == "folder")
            QVERIFY(QDir(dir.path()).mkdir("rezeruvar.ini"));
        if (how == "readonly") {
            writeAll(dir.filePath("rezeruvar.ini"), storedFile);
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            QFile probe(dir.filePath("probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("this user may write into read-only folders");
            }
        }
        SettingsFile file(folder);
        file.load();
        QVERIFY(!file.save(GameSettings(), SettingsFile::Key::PlaySounds));
        QCOMPARE(file.errorText(), QStringLiteral("Unable to write to %1").arg(file.path()));
        QVERIFY(!file.savePhrases({}));
        if (how == "readonly") {
            QCOMPARE(readAll(file.path()), storedFile);
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        // The error belongs to the failed write only.
        if (how == "missing") {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(file.save(GameSettings(), {}));
            QVERIFY(file.errorText().isEmpty());
        }
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
