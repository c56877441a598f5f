#include "chat/core/colour_text.h"

#include <QPalette>
#include <QTest>

class TestColourText : public QObject {
    Q_OBJECT
private slots:
    void everyNameRoundTrips_data();
    void everyNameRoundTrips();
    void convertsText_data();
    void convertsText();
    void writesOtherValuesAsHex();
    void drawsColours();
};

void TestColourText::everyNameRoundTrips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("value");
    const char* plain[] = {"clBlack",  "clMaroon", "clGreen", "clOlive",  "clNavy", "clPurple",  "clTeal", "clGray",
                           "clSilver", "clRed",    "clLime",  "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite"};
    const quint32 plainValues[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
                                   0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int i = 0; i < 16; ++i)
        QTest::newRow(plain[i]) << QString::fromLatin1(plain[i]) << plainValues[i];
    const char* system[] = {
        "clScrollBar",    "clBackground",     "clActiveCaption", "clInactiveCaption", "clMenu",
        "clWindow",       "clWindowFrame",    "clMenuText",      "clWindowText",      "clCaptionText",
        "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
        "clBtnFace",      "clBtnShadow",      "clGrayText",      "clBtnText",         "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",     "cl3DLight",       "clInfoText",        "clInfoBk"};
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

void TestColourText::convertsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value"); // -1: does not convert
    QTest::newRow("hex") << "$00ff8040" << 0x00FF8040ll;
    QTest::newRow("decimal") << "  +255" << 0xFFll;
    QTest::newRow("negative decimal") << "-1" << 0xFFFFFFFFll;
    QTest::newRow("negative hex") << "-$10" << 0xFFFFFFF0ll;
    QTest::newRow("all 32 bits in hex") << "$FFFFFFFF" << 0xFFFFFFFFll;
    QTest::newRow("lowest decimal") << "-2147483648" << 0x80000000ll;
    QTest::newRow("empty") << "" << -1ll;
    QTest::newRow("name without prefix") << "blue" << -1ll;
    QTest::newRow("dollar alone") << "$" << -1ll;
    QTest::newRow("trailing letters") << "12abc" << -1ll;
    QTest::newRow("trailing blank") << "12 " << -1ll;
    QTest::newRow("decimal past 32 bits") << "2147483648" << -1ll;
    QTest::newRow("hex past 32 bits") << "$100000000" << -1ll;
    QTest::newRow("C hex prefix") << "0x10" << -1ll;
    QTest::newRow("rest of a chat line") << "b|clRed" << -1ll;
}

void TestColourText::convertsText()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    const auto colour = ColourText::fromText(text);
    QCOMPARE(colour ? qint64(*colour) : -1ll, value);
}

void TestColourText::writesOtherValuesAsHex()
{
    QCOMPARE(ColourText::toText(0x00ABCDEF), QStringLiteral("$00ABCDEF"));
    QCOMPARE(ColourText::toText(0x00000001), QStringLiteral("$00000001"));
    QCOMPARE(ColourText::toText(0x80000019), QStringLiteral("$80000019"));
    for (const quint32 value : {0x00ABCDEFu, 0x80000019u, 0xFFFFFFFFu})
        QCOMPARE(ColourText::fromText(ColourText::toText(value)), std::optional<quint32>(value));
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
