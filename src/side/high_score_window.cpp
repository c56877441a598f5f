#include "side/high_score_window.h"

#include "side/core/side_config.h"
#include "side/side_window_art.h"
#include "ui/html_view.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Thighscore::Thighscore(QWidget* parent) : QWidget(parent, Qt::Window), m_webHost(SideConfig::webHost())
{
    setObjectName(QStringLiteral("highscore"));
    setWindowTitle(tr("Gloop Dash - High Scores"));
    resize(440, 480);

    auto* title = new QLabel(tr("Gloop Dash High Scores"), this);
    title->setObjectName(QStringLiteral("label_title"));
    title->setStyleSheet(QStringLiteral("color: white; font: bold 12pt;"));
    title->setAlignment(Qt::AlignCenter);

    PictureFetcher& pictures = *this;
    m_view = new HtmlView(pictures, this);
    m_view->setObjectName(QStringLiteral("displayhtml"));
    m_view->setAccessibleName(tr("High scores"));

    m_close = new QPushButton(tr("Close"), this);
    m_close->setObjectName(QStringLiteral("FlatButton1"));
    m_close->setFlat(true);
    m_close->setStyleSheet(QStringLiteral("QPushButton { color: white; border: 1px solid #6a6a9a; padding: 3px 18px; }"
                                          "QPushButton:hover { background: #202050; }"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_close, 0, Qt::AlignCenter);

    SideWindowArt::tile(this, SideWindowArt::picture(QStringLiteral("info_back.jpg")));

    connect(&m_getit, &THTTPGet::OnDoneString, this, &Thighscore::getitDoneString);
    connect(m_view, &HtmlView::HotSpotClick, this, &Thighscore::displayhtmlHotSpotClick);
    connect(m_close, &QPushButton::clicked, this, &Thighscore::FlatButton1Click);
    connect(&m_pictures, &WebPictureQueue::pictureArrived, m_view, &HtmlView::addPicture);
}

void Thighscore::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

void Thighscore::loadit(int mode)
{
    m_getit.PostQuery.clear();
    const QString path = ScorePost::pagePath(mode);
    if (!path.isEmpty())
        geturl(QStringLiteral("http://") + m_webHost + path);
}

void Thighscore::sendscore(const QString& name, const QString& date, const QString& score, int mode)
{
    const QString target = ScorePost::target(mode, name, date, score);
    if (!target.isEmpty())
        geturl(QStringLiteral("http://") + m_webHost + target);
}

bool Thighscore::postscoreifdue(const ScorePost::GameEnd& end, const QString& myName)
{
    if (!ScorePost::due(end) || myName.isEmpty() || m_getit.busy())
        return false;
    const QString date = ScorePost::dateText(QDate::currentDate(), ScorePost::systemDateSeparator());
    sendscore(myName, date, end.score.trimmed(), end.mode);
    return m_getit.busy();
}

void Thighscore::geturl(const QString& url)
{
    m_getit.URL = url;
    if (m_getit.GetString())
        m_requested = QUrl(url);
}

void Thighscore::getitDoneString(const QString& text)
{
    m_view->showPage(text, m_requested);
}

void Thighscore::displayhtmlHotSpotClick(const QUrl& url)
{
    // A page from the network decides what its links say; only web and mail
    // links may reach the desktop, never files or programs.
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
        m_openUrl->openUrl(url);
}

void Thighscore::FlatButton1Click()
{
    hide();
}
