#include "ui/rich_chat_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <ctime>

namespace {

RichImageList pictures()
{
    RichImageList list;
    for (const QColor c : {QColor(Qt::yellow), QColor(Qt::cyan)}) {
        QPixmap p(17, 16);
        p.fill(c);
        list << p;
    }
    return list;
}

RichTextStyle look(const QColor& colour, int size = 20)
{
    QFont f;
    f.setPointSize(size);
    f.setBold(true);
    return {f, colour};
}

int pixelsOf(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    }
    return n;
}

} // namespace

class TestRichChatView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void copiesLinesWithCrLfAndWithoutPictures();
    void clearsItemsAndSelection();
    void restylesEarlierLinesAtNextLayout();
    void clickOnLinkJumpsWithItsNumber();
    void wrapsWordsAndBreaksLongOnes();
    void makesRowsAsHighAsTheirTallestItem();
    void clampsScrollPositionToLastRow();
    void selectsByDragging();
    void laysOutLineByLineAsAllAtOnce();
    void breaksAMegabyteWordInLinearTime_data();
    void breaksAMegabyteWordInLinearTime();
    void keepsTheMostRecentLines();

private:
    RichChatView* m_view = nullptr;
};

void TestRichChatView::init()
{
    m_view = new RichChatView;
    m_view->resize(400, 200);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void TestRichChatView::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestRichChatView::copiesLinesWithCrLfAndWithoutPictures()
{
    m_view->AppendText("first ", 1); // an empty view begins its first line here
    m_view->StartLine("Ann chats: ", 2);
    m_view->AppendText(" ", 2);
    m_view->AppendText("hi ", 2);
    m_view->AppendImage(1, pictures());
    m_view->StartLine(" ", 0);
    m_view->AppendLink("www.x.example ", 0);
    m_view->Reformat();
    QCOMPARE(m_view->ItemCount(), 7);
    m_view->SelectAllText();
    const QString expected = "first \r\nAnn chats:  hi \r\n www.x.example ";
    QCOMPARE(m_view->SelectedText(), expected);
    m_view->CopySelection();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void TestRichChatView::clearsItemsAndSelection()
{
    m_view->StartLine("one ", 0);
    m_view->AppendImage(2, pictures()); // outside the list: nothing added
    m_view->AppendLink("www.a.example ", 3);
    m_view->Reformat();
    QCOMPARE(m_view->ItemCount(), 2);
    QGuiApplication::clipboard()->setText("kept");
    m_view->CopySelection(); // nothing selected: the clipboard stays
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    m_view->SelectAllText();
    m_view->ClearView();
    QCOMPARE(m_view->ItemCount(), 0);
    QVERIFY(!m_view->HasSelection());
    QCOMPARE(m_view->ItemRect(0), QRect());
}

void TestRichChatView::restylesEarlierLinesAtNextLayout()
{
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    m_view->SetTextStyle(3, look(red));
    m_view->StartLine("MMMM ", 3);
    m_view->Reformat();
    QVERIFY(pixelsOf(m_view->viewport()->grab().toImage(), red) > 20);

    // A later line in the same style changes its look; the first line follows
    // only when the view is laid out again.
    m_view->SetTextStyle(3, look(blue));
    m_view->StartLine("WWWW ", 3);
    m_view->viewport()->repaint();
    QImage image = m_view->viewport()->grab().toImage();
    QVERIFY(pixelsOf(image, red) > 20);
    QCOMPARE(pixelsOf(image, blue), 0);

    m_view->Reformat();
    image = m_view->viewport()->grab().toImage();
    QCOMPARE(pixelsOf(image, red), 0);
    QVERIFY(pixelsOf(image, blue) > 40);
}

void TestRichChatView::clickOnLinkJumpsWithItsNumber()
{
    m_view->StartLine("see ", 0);
    m_view->AppendLink("www.a.example ", 7);
    m_view->AppendText("and ", 0);
    m_view->AppendLink("www.b.example ", 8);
    m_view->Reformat();
    QSignalSpy jumps(m_view, &RichChatView::OnJump);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->ItemRect(3).center());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->ItemRect(2).center());
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->ItemRect(1).center());
    QCOMPARE(jumps.count(), 2);
    QCOMPARE(jumps.at(0).at(0).toInt(), 8);
    QCOMPARE(jumps.at(1).at(0).toInt(), 7);
}

void TestRichChatView::wrapsWordsAndBreaksLongOnes()
{
    m_view->resize(120, 300);
    m_view->StartLine("alpha ", 0);
    m_view->AppendText("beta ", 0);
    m_view->AppendText("gamma ", 0);
    m_view->AppendText("delta ", 0);
    m_view->AppendText(QString(80, QLatin1Char('x')), 0);
    m_view->Reformat();
    const int room = m_view->viewport()->width() - 2 * RichChatView::Margin;
    QSet<int> tops;
    for (int i = 0; i < 4; ++i) {
        const QRect r = m_view->ItemRect(i);
        QVERIFY(r.left() >= RichChatView::Margin);
        // A word that moved down begins its row at the margin.
        if (i > 0 && r.top() > m_view->ItemRect(i - 1).top())
            QCOMPARE(r.left(), RichChatView::Margin);
        tops.insert(r.top());
    }
    QVERIFY(tops.size() >= 2);
    QVERIFY(m_view->ItemRect(4).top() > m_view->ItemRect(3).top());
    QVERIFY(m_view->ItemRect(4).width() <= room);
    QVERIFY(m_view->ItemRect(4).width() > room / 2);

    // A wider view takes more words per row at once.
    m_view->resize(600, 300);
    QCOMPARE(m_view->ItemRect(3).top(), m_view->ItemRect(0).top());
}

void TestRichChatView::makesRowsAsHighAsTheirTallestItem()
{
    m_view->SetTextStyle(0, look(Qt::black, 6));
    m_view->StartLine("tiny ", 0);
    m_view->StartLine("tiny ", 0);
    m_view->AppendImage(0, pictures());
    m_view->Reformat();
    const QRect plain = m_view->ItemRect(0);
    const QRect withPicture = m_view->ItemRect(1);
    QVERIFY(plain.height() < 16);
    QVERIFY(withPicture.height() >= 16);
    QCOMPARE(withPicture.top(), plain.bottom() + 1);
}

void TestRichChatView::clampsScrollPositionToLastRow()
{
    for (int i = 0; i < 100; ++i)
        m_view->StartLine(QStringLiteral("line %1").arg(i), 0);
    m_view->Reformat();
    QVERIFY(m_view->ScrollMaximum() > 0);
    QVERIFY(m_view->ScrollMaximum() < 100);
    m_view->SetScrollPosition(m_view->ItemCount());
    QCOMPARE(m_view->ScrollPosition(), m_view->ScrollMaximum());
    const QRect last = m_view->ItemRect(99);
    QVERIFY(last.top() >= 0);
    QVERIFY(last.bottom() < m_view->viewport()->height());
    QVERIFY(m_view->ItemRect(0).bottom() < 0);
    m_view->SetScrollPosition(-5);
    QCOMPARE(m_view->ScrollPosition(), 0);
    QCOMPARE(m_view->ItemRect(0).top(), 0);
}

void TestRichChatView::selectsByDragging()
{
    m_view->StartLine("hello ", 0);
    m_view->AppendText("world ", 0);
    m_view->StartLine("next", 0);
    m_view->Reformat();
    const QRect hello = m_view->ItemRect(0);
    const QRect next = m_view->ItemRect(2);
    QWidget* vp = m_view->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(hello.left() + 1, hello.center().y()));
    QMouseEvent move(QEvent::MouseMove, QPointF(next.right() + 30, next.center().y()),
                     vp->mapToGlobal(QPointF(next.right() + 30, next.center().y())), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(next.right() + 30, next.center().y()));
    QCOMPARE(m_view->SelectedText(), QStringLiteral("hello world \r\nnext"));
}

void TestRichChatView::laysOutLineByLineAsAllAtOnce()
{
    // The chat lays out after every line; the result must not depend on that.
    RichChatView whole;
    whole.resize(m_view->size());
    whole.show();
    const auto feed = [](RichChatView& view, bool stepwise) {
        for (int line = 0; line < 12; ++line) {
            view.StartLine(QStringLiteral("P%1: ").arg(line), line % 3);
            for (int w = 0; w <= line; ++w)
                view.AppendText(QStringLiteral("word%1 ").arg(w), line % 3);
            if (stepwise)
                view.Reformat();
            if (line % 4 == 1) // the line goes on after a layout
                view.AppendImage(line % 2, pictures());
            view.AppendLink(QStringLiteral("www.end%1.example ").arg(line), line);
            if (stepwise)
                view.Reformat();
        }
        view.Reformat();
    };
    feed(*m_view, true);
    feed(whole, false);
    QCOMPARE(m_view->ItemCount(), whole.ItemCount());
    m_view->SetScrollPosition(0);
    whole.SetScrollPosition(0);
    QCOMPARE(m_view->ScrollMaximum(), whole.ScrollMaximum());
    for (int i = 0; i < whole.ItemCount(); ++i)
        QCOMPARE(m_view->ItemRect(i), whole.ItemRect(i));
}

void TestRichChatView::breaksAMegabyteWordInLinearTime_data()
{
    QTest::addColumn<QString>("word");
    QTest::newRow("one letter") << QString(1 << 20, QLatin1Char('x'));
    QString mixed;
    mixed.reserve(1 << 20);
    while (mixed.size() < (1 << 20))
        mixed += QStringLiteral("abcdefghij\u00e9\u4e2d\U0001F600"); // wide, and a surrogate pair
    QTest::newRow("mixed") << mixed;
}

void TestRichChatView::breaksAMegabyteWordInLinearTime()
{
    QFETCH(QString, word);
    QList<RichItem> items{{RichItem::Kind::Text, QStringLiteral("Al chats: "), 0, -1, {}, true},
                          {RichItem::Kind::Text, word, 0, -1, {}, false}};
    const QList<RichTextStyle> styles{look(Qt::black, 10)};
    RichLayout layout;
    // Processor time: the machine's other work must not fail the test.
    const std::clock_t start = std::clock();
    layout.build(items, styles, 0, 5, 395);
    const double ms = double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
    qInfo("1 MiB word laid out in %.0f ms of processor time", ms);
    // Row by row over the whole rest of the word took minutes; the sanitised
    // debug build needs well under a second.
    QVERIFY2(ms < 2000, qPrintable(QString::number(ms)));
    qsizetype covered = 0;
    for (const RichRow& row : layout.rows()) {
        for (const RichFragment& f : row.fragments) {
            QVERIFY(f.x + f.width <= 395 + 1);
            if (f.item == 1) {
                QCOMPARE(f.from, covered); // every character once, in order
                QVERIFY(!word.at(f.from).isLowSurrogate());
                covered += f.length;
            }
        }
    }
    QCOMPARE(covered, word.size());
}

void TestRichChatView::keepsTheMostRecentLines()
{
    RichChatView fresh;
    fresh.resize(m_view->size());
    fresh.show();
    m_view->SetLineLimit(3);
    for (int line = 0; line < 7; ++line) {
        m_view->StartLine(QStringLiteral("P%1: ").arg(line), 0);
        m_view->AppendLink(QStringLiteral("www.s%1.example ").arg(line), line);
        if (line >= 4) {
            fresh.StartLine(QStringLiteral("P%1: ").arg(line), 0);
            fresh.AppendLink(QStringLiteral("www.s%1.example ").arg(line), line);
        }
        if (line != 4) // a line dropped before it was ever laid out
            m_view->Reformat();
    }
    fresh.Reformat();
    QCOMPARE(m_view->LineCount(), 3);
    QCOMPARE(m_view->ItemCount(), 6);
    QCOMPARE(m_view->FirstLink(), 4);
    for (int i = 0; i < fresh.ItemCount(); ++i)
        QCOMPARE(m_view->ItemRect(i), fresh.ItemRect(i));
    m_view->SelectAllText();
    QVERIFY(m_view->SelectedText().startsWith(QStringLiteral("P4: ")));
}

QTEST_MAIN(TestRichChatView)
#include "test_rich_chat_view.moc"
