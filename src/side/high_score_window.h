#pragma once

#include "side/core/score_post.h"
#include "side/core/thttpget.h"
#include "side/core/web_picture_queue.h"
#include "side/url_opener.h"
#include "ui/picture_fetcher.h"

#include <QUrl>
#include <QWidget>

class HtmlView;
class QLabel;
class QPushButton;

// The high-score window: shows the maker's score pages and the score script's
// answer to a posted score. Created hidden; the main window's View menu calls
// loadit and shows it, and the end of a game calls postscoreifdue.
class Thighscore : public QWidget, private PictureFetcher {
    Q_OBJECT
public:
    explicit Thighscore(QWidget* parent = nullptr);

    // The main window's background picture, tiled behind the window.
    void setBackgroundPicture(const QPixmap& picture);
    // host[:port] of the maker's web server (the configured one by default).
    void setWebHost(const QString& host) { m_webHost = host; }
    QString webHost() const { return m_webHost; }
    // How a clicked link is opened; the desktop's handler by default. The
    // opener must outlive the window.
    void setUrlOpener(UrlOpener& opener) { m_openUrl = &opener; }

    // Asks for the score page of `mode` (1 normal, 2 classic).
    void loadit(int mode);
    // Posts a score to the score script of `mode`; the answer becomes the page.
    void sendscore(const QString& name, const QString& date, const QString& score, int mode);
    // At the end of a game with a winner: posts the local player's score with
    // today's date when the posting rule allows it. True when a post was started.
    bool postscoreifdue(const ScorePost::GameEnd& end, const QString& myName);
    // Starts a request for `url`; dropped while another runs.
    void geturl(const QString& url);
    void getitDoneString(const QString& text);
    void displayhtmlHotSpotClick(const QUrl& url);
    void FlatButton1Click();

    THTTPGet& getit() { return m_getit; }
    HtmlView* displayhtml() const { return m_view; }

private:
    // The page's pictures come from the score site through the picture queue.
    void fetch(const QUrl& url) override { m_pictures.fetch(url); }

    THTTPGet m_getit;
    WebPictureQueue m_pictures;
    HtmlView* m_view = nullptr;
    QPushButton* m_close = nullptr;
    QString m_webHost;
    QUrl m_requested; // address of the request in flight, base of its page
    UrlOpener* m_openUrl = &UrlOpener::desktop();
};
