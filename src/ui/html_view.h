#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>

class PictureFetcher;

// Shows a web page given as HTML text: black page, lime text, white links,
// "Times New Roman" 10, no history. Clicked links are reported, never followed
// inside the view. Pictures of the page are asked of the fetcher the owner
// hands over, and drawn once their bytes arrive.
class HtmlView : public QTextBrowser {
    Q_OBJECT
public:
    // `fetcher` is asked once per picture address the page needs; it must outlive the view.
    explicit HtmlView(PictureFetcher& fetcher, QWidget* parent = nullptr);

    // Replaces the page. `base` resolves the page's relative picture addresses.
    void showPage(const QString& html, const QUrl& base = {});
    QString pageHtml() const { return m_html; }

    // Bytes of a picture the fetcher was asked for: JPEG through libjpeg, other
    // formats through Qt. Undecodable bytes are dropped.
    void addPicture(const QUrl& url, const QByteArray& bytes);

    // Pictures kept for pages; older ones are forgotten past this many.
    static constexpr int MaxPictures = 64;

signals:
    void HotSpotClick(const QUrl& url);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QUrl resolve(const QUrl& name) const;
    static QImage decode(const QByteArray& bytes);

    QString m_html;
    QUrl m_base;
    PictureFetcher& m_fetcher;
    QHash<QUrl, QImage> m_pictures;
    QList<QUrl> m_pictureOrder;
    QSet<QUrl> m_asked;
};
