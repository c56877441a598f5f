#include "side/about_window.h"
#include "side/help_window.h"
#include "side/story_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

class TestInfoWindows : public QObject {
    Q_OBJECT
private slots:
    void pageButtonShowsItsPage_data();
    void pageButtonShowsItsPage();
    void imagesPageShowsSpecialTiles();
    void helpReopensOnLastPage();
    void aboutCarriesVersionAndWebAddress();
    void storyIsTold();
};

void TestInfoWindows::pageButtonShowsItsPage_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("caption");
    for (const Thelp::Page& page : Thelp::pages())
        QTest::newRow(page.caption) << page.tag << QString::fromLatin1(page.caption);
}

void TestInfoWindows::pageButtonShowsItsPage()
{
    QFETCH(int, tag);
    QFETCH(QString, caption);
    Thelp help;
    QCOMPARE(help.currentPage()->objectName(), QStringLiteral("memo1"));
    auto* b = help.findChild<QPushButton*>(QStringLiteral("SelButton%1").arg(tag));
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(help.currentPage()->objectName(), QStringLiteral("memo%1").arg(tag));
    QCOMPARE(help.findChild<QLabel*>("label_caption")->text(), caption);
    // Every text page has its text compiled in.
    if (auto* memo = qobject_cast<QPlainTextEdit*>(help.currentPage())) {
        QVERIFY(memo->isReadOnly());
        QVERIFY(memo->toPlainText().size() > 200);
    }
}

void TestInfoWindows::imagesPageShowsSpecialTiles()
{
    Thelp help;
    QTest::mouseClick(help.findChild<QPushButton*>("SelButton7"), Qt::LeftButton);
    QCOMPARE(help.caption(), QStringLiteral("Images"));
    auto* page = qobject_cast<QScrollArea*>(help.currentPage());
    QVERIFY(page);
    QStringList captions;
    int pictures = 0;
    for (const QLabel* label : page->widget()->findChildren<QLabel*>()) {
        if (label->objectName().startsWith("label_image"))
            captions << label->text();
        else if (!label->pixmap().isNull())
            ++pictures;
    }
    QCOMPARE(captions, QStringList({"Space", "Humdrum", "Multiplies your current trail score and blast value by 2",
                                    "Multiplies your current trail score and blast value by 3",
                                    "Blasts all surrounding planets.",
                                    "Allows you to continue your trail even though the next planet you blast is "
                                    "not adjacent",
                                    "Allows you to hit any planet color"}));
    QCOMPARE(pictures, 7);
}

void TestInfoWindows::helpReopensOnLastPage()
{
    Thelp help;
    help.show();
    QTest::mouseClick(help.findChild<QPushButton*>("SelButton4"), Qt::LeftButton);
    QTest::mouseClick(help.findChild<QPushButton*>("button_done"), Qt::LeftButton);
    QVERIFY(!help.isVisible());
    help.show();
    QCOMPARE(help.currentPage()->objectName(), QStringLiteral("memo4"));
    QCOMPARE(help.caption(), QStringLiteral("Scoring"));
}

void TestInfoWindows::aboutCarriesVersionAndWebAddress()
{
    Tabout about;
    QCOMPARE(about.versionText(), QStringLiteral("1.0.12"));
    QCOMPARE(about.findChild<QLabel*>("Label10")->text(), QStringLiteral(".6"));
    QList<QUrl> opened;
    about.setUrlOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    emit about.findChild<QLabel*>("Label7")->linkActivated(about.webAddress().toString());
    QCOMPARE(opened, QList<QUrl>{about.webAddress()});
}

void TestInfoWindows::storyIsTold()
{
    Tstory story;
    QVERIFY(story.storyText().contains("transport"));
    story.show();
    QTest::mouseClick(story.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    QVERIFY(!story.isVisible());
}

QTEST_MAIN(TestInfoWindows)
#include "test_info_windows.moc"
