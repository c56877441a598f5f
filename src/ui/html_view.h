#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>
#include <functional>

// Shows a web page given as HTML text: black page, lime text, white links,
// "Times New Roman" 10, no history. Clicked links are reported, never followed
// inside the view. Pictures of the page are asked for through a fetcher the
// owner supplies and drawn once their bytes arrive.
class HtmlView : public QTextBrowser {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent = nullptr);

    // Replaces the page. `base` resolves the page's relative picture addresses.
    void showPage(const QString& html, const QUrl& base = {});
    QString pageHtml() const { return m_html; }

    // Called once per picture address the page needs; the owner answers with
    // addPicture (or never, which leaves the picture out).
    void setPictureFetcher(std::function<void(const QUrl&)> fetcher);
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
    std::function<void(const QUrl&)> m_fetcher;
    QHash<QUrl, QImage> m_pictures;
    QList<QUrl> m_pictureOrder;
    QSet<QUrl> m_asked;
};
