#include "ui/html_view.h"

#include "ui/jpeg_image.h"
#include "ui/picture_fetcher.h"
#include "ui/ui_log.h"

#include <QFile>
#include <QScrollBar>
#include <QTextDocument>

HtmlView::HtmlView(PictureFetcher& fetcher, QWidget* parent) : QTextBrowser(parent), m_fetcher(fetcher)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColor(0, 255, 0));
    pal.setColor(QPalette::Link, Qt::white);
    pal.setColor(QPalette::LinkVisited, Qt::white);
    setPalette(pal);
    const QFont font(QStringLiteral("Times New Roman"), 10);
    setFont(font);
    document()->setDefaultFont(font);
    document()->setDefaultStyleSheet(QStringLiteral("a { color: #ffffff; }"));
    connect(this, &QTextBrowser::anchorClicked, this, &HtmlView::HotSpotClick);
}

void HtmlView::showPage(const QString& html, const QUrl& base)
{
    m_html = html;
    m_base = base;
    setHtml(html);
}

QUrl HtmlView::resolve(const QUrl& name) const
{
    return name.isRelative() && m_base.isValid() ? m_base.resolved(name) : name;
}

QImage HtmlView::decode(const QByteArray& bytes)
{
    if (JpegImage::looksLikeJpeg(bytes))
        return JpegImage::fromData(bytes);
    return QImage::fromData(bytes);
}

QVariant HtmlView::loadResource(int type, const QUrl& name)
{
    if (type != QTextDocument::ImageResource)
        return {};
    const QUrl url = resolve(name);
    if (url.scheme() == QLatin1String("qrc") || name.toString().startsWith(QLatin1Char(':'))) {
        const QString path = url.scheme() == QLatin1String("qrc") ? QLatin1Char(':') + url.path() : name.toString();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return decode(file.readAll());
        return {};
    }
    if (const auto it = m_pictures.constFind(url); it != m_pictures.constEnd())
        return *it;
    const QString scheme = url.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (web && !m_asked.contains(url) && m_asked.size() < 4 * MaxPictures) {
        m_asked.insert(url);
        m_fetcher.fetch(url);
    }
    return {};
}

void HtmlView::addPicture(const QUrl& url, const QByteArray& bytes)
{
    const QImage image = decode(bytes);
    if (image.isNull()) {
        qCDebug(lcUi) << "a picture of the page could not be decoded:" << url;
        return;
    }
    if (!m_pictures.contains(url))
        m_pictureOrder.append(url);
    m_pictures.insert(url, image);
    while (m_pictureOrder.size() > MaxPictures)
        m_pictures.remove(m_pictureOrder.takeFirst());
    // Laying the page out again makes the document ask for its pictures anew.
    const int position = verticalScrollBar() ? verticalScrollBar()->value() : 0;
    setHtml(m_html);
    verticalScrollBar()->setValue(position);
}
