#include "ui/html_view.h"
#include "ui/picture_fetcher.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

class TestHtmlView : public QObject {
    Q_OBJECT
private slots:
    void pageColours_data();
    void pageColours();
    void clickedLinkIsReportedNotFollowed();
    void picturesAreFetchedOnceAndShown();
    void undecodablePictureIsDropped();
};

namespace {

// Records the picture addresses the view asks for.
struct AskedPictures : PictureFetcher {
    QList<QUrl> asked;
    void fetch(const QUrl& url) override { asked << url; }
};

// The character format of the first fragment whose text is `text`.
QTextCharFormat formatOf(const QTextDocument* doc, const QString& text)
{
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text() == text)
                return it.fragment().charFormat();
    return {};
}

QByteArray pngBytes(QColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

} // namespace

void TestHtmlView::pageColours_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("text is lime") << "Ann 52340" << QColor(0, 255, 0);
    QTest::newRow("links are white") << "Classic" << QColor(255, 255, 255);
}

void TestHtmlView::pageColours()
{
    QFETCH(QString, fragment);
    QFETCH(QColor, colour);
    AskedPictures fetcher;
    HtmlView view(fetcher);
    view.showPage(QStringLiteral("<p>Ann 52340</p><p><a href=\"http://x/c.shtml\">Classic</a></p>"));
    // A fragment without a colour of its own is drawn in the view's text colour.
    const QTextCharFormat format = formatOf(view.document(), fragment);
    const QColor shown = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                          : view.palette().color(QPalette::Text);
    QCOMPARE(shown, colour);
    QCOMPARE(view.palette().color(QPalette::Base), QColor(Qt::black));
}

void TestHtmlView::clickedLinkIsReportedNotFollowed()
{
    AskedPictures fetcher;
    HtmlView view(fetcher);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.showPage(QStringLiteral("<p><a href=\"http://scores.example/classic.shtml\">Classic list</a></p>"));
    QSignalSpy clicked(&view, &HtmlView::HotSpotClick);

    QTextCursor cursor(view.document());
    cursor.setPosition(3);
    const QPoint onLink = view.cursorRect(cursor).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, onLink);

    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().first().toUrl(), QUrl("http://scores.example/classic.shtml"));
    QCOMPARE(view.toPlainText(), QStringLiteral("Classic list"));
    QVERIFY(view.source().isEmpty());
}

void TestHtmlView::picturesAreFetchedOnceAndShown()
{
    AskedPictures fetcher;
    HtmlView view(fetcher);
    const QList<QUrl>& asked = fetcher.asked;
    view.showPage(QStringLiteral("<p><img src=\"pics/top.png\"> and <img src=\"pics/top.png\"></p>"),
                  QUrl("http://scores.example/counter/gloop.shtml"));
    view.resize(200, 100);
    view.document()->adjustSize();
    const QUrl expected("http://scores.example/counter/pics/top.png");
    QCOMPARE(asked, QList<QUrl>{expected});

    view.addPicture(expected, pngBytes(Qt::yellow));
    const QImage shown = view.document()->resource(QTextDocument::ImageResource, QUrl("pics/top.png")).value<QImage>();
    QCOMPARE(shown.size(), QSize(8, 8));
    QCOMPARE(QColor(shown.pixel(1, 1)), QColor(Qt::yellow));
    QCOMPARE(asked.size(), 1);
}

void TestHtmlView::undecodablePictureIsDropped()
{
    AskedPictures fetcher;
    HtmlView view(fetcher);
    view.showPage(QStringLiteral("<img src=\"http://h/x.jpg\">"));
    view.document()->adjustSize();
    view.addPicture(QUrl("http://h/x.jpg"), QByteArray("\xFF\xD8\xFF not really", 15));
    QVERIFY(view.document()->resource(QTextDocument::ImageResource, QUrl("http://h/x.jpg")).isNull());
}

QTEST_MAIN(TestHtmlView)
#include "test_html_view.moc"
