#include "chat/core/colour_text.h"

#include <QPalette>
#include <QTest>

class TestColourText : public QObject {
    Q_OBJECT
private slots:
    void everyNameRoundTrips_data();
    void everyNameRoundTrips();
    void readsText_data();
    void readsText();
    void refusesText_data();
    void refusesText();
    void writesUnnamedValuesAsHex_data();
    void writesUnnamedValuesAsHex();
    void drawsColours();
};

void TestColourText::everyNameRoundTrips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("value");
    const char* plain[] = {"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple",
                           "clTeal", "clGray", "clSilver", "clRed", "clLime", "clYellow",
                           "clBlue", "clFuchsia", "clAqua", "clWhite"};
    const quint32 plainValues[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int i = 0; i < 16; ++i)
        QTest::newRow(plain[i]) << QString::fromLatin1(plain[i]) << plainValues[i];
    const char* system[] = {
        "clScrollBar", "clBackground", "clActiveCaption", "clInactiveCaption", "clMenu",
        "clWindow", "clWindowFrame", "clMenuText", "clWindowText", "clCaptionText",
        "clActiveBorder", "clInactiveBorder", "clAppWorkSpace", "clHighlight",
        "clHighlightText", "clBtnFace", "clBtnShadow", "clGrayText", "clBtnText",
        "clInactiveCaptionText", "clBtnHighlight", "cl3DDkShadow", "cl3DLight", "clInfoText",
        "clInfoBk"};
    for (quint32 k = 0; k < 25; ++k)
        QTest::newRow(system[k]) << QString::fromLatin1(system[k]) << 0x80000000u + k;
    QTest::newRow("clNone") << QStringLiteral("clNone") << 0x1FFFFFFFu;
}

void TestColourText::everyNameRoundTrips()
{
    QFETCH(QString, name);
    QFETCH(quint32, value);
    QCOMPARE(ColourText::fromText(name), std::optional<quint32>(value));
    QCOMPARE(ColourText::fromText(name.toUpper()), std::optional<quint32>(value));
    QCOMPARE(ColourText::fromText(name.toLower()), std::optional<quint32>(value));
    QCOMPARE(ColourText::toText(value), name);
}

void TestColourText::readsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("value");
    QTest::newRow("hex") << "$00FF8040" << 0x00FF8040u;
    QTest::newRow("lower-case hex") << "$00ff8040" << 0x00FF8040u;
    QTest::newRow("short hex") << "$80" << 0x80u;
    QTest::newRow("decimal") << "255" << 0xFFu;
    QTest::newRow("leading blanks") << "  12" << 12u;
    QTest::newRow("plus sign") << "+12" << 12u;
    QTest::newRow("negative decimal") << "-1" << 0xFFFFFFFFu;
    QTest::newRow("negative hex") << "-$10" << 0xFFFFFFF0u;
    QTest::newRow("all 32 bits in hex") << "$FFFFFFFF" << 0xFFFFFFFFu;
    QTest::newRow("lowest decimal") << "-2147483648" << 0x80000000u;
    QTest::newRow("highest decimal") << "2147483647" << 0x7FFFFFFFu;
    QTest::newRow("system colour as hex") << "$80000008" << 0x80000008u;
}

void TestColourText::readsText()
{
    QFETCH(QString, text);
    QFETCH(quint32, value);
    QCOMPARE(ColourText::fromText(text), std::optional<quint32>(value));
}

void TestColourText::refusesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("name without prefix") << "blue";
    QTest::newRow("name with blank") << "cl Black";
    QTest::newRow("dollar alone") << "$";
    QTest::newRow("sign alone") << "-";
    QTest::newRow("trailing letters") << "12abc";
    QTest::newRow("trailing blank") << "12 ";
    QTest::newRow("decimal past 32 bits") << "2147483648";
    QTest::newRow("far past 32 bits") << "99999999999999999999999";
    QTest::newRow("hex past 32 bits") << "$100000000";
    QTest::newRow("C hex prefix") << "0x10";
    QTest::newRow("fraction") << "1.5";
    QTest::newRow("text of a chat line") << "b|clRed";
}

void TestColourText::refusesText()
{
    QFETCH(QString, text);
    QCOMPARE(ColourText::fromText(text), std::nullopt);
}

void TestColourText::writesUnnamedValuesAsHex_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("colour") << 0x00ABCDEFu << "$00ABCDEF";
    QTest::newRow("small") << 0x00000001u << "$00000001";
    QTest::newRow("unknown system colour") << 0x80000019u << "$80000019";
    QTest::newRow("all bits") << 0xFFFFFFFFu << "$FFFFFFFF";
}

void TestColourText::writesUnnamedValuesAsHex()
{
    QFETCH(quint32, value);
    QFETCH(QString, text);
    QCOMPARE(ColourText::toText(value), text);
    QCOMPARE(ColourText::fromText(text), std::optional<quint32>(value));
}

void TestColourText::drawsColours()
{
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
    palette.setColor(QPalette::ToolTipBase, QColor(4, 5, 6));
    QCOMPARE(ColourText::toColor(0x0000FF, palette), QColor(255, 0, 0));
    QCOMPARE(ColourText::toColor(0x00408020, palette), QColor(0x20, 0x80, 0x40));
    QCOMPARE(ColourText::toColor(ColourText::WindowText, palette), QColor(1, 2, 3));
    QCOMPARE(ColourText::toColor(0x80000018, palette), QColor(4, 5, 6));
    QCOMPARE(ColourText::toColor(0x80000040, palette), QColor(Qt::black));
    QCOMPARE(ColourText::fromColor(QColor(0x20, 0x80, 0x40)), 0x00408020u);
}

QTEST_APPLESS_MAIN(TestColourText)
#include "test_colour_text.moc"
