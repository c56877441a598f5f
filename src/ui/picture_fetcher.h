#pragma once

class QUrl;

// Where an HTML view asks for the pictures of its page. The owner fetches them
// (or not) and hands the bytes back through HtmlView::addPicture.
class PictureFetcher {
public:
    virtual ~PictureFetcher() = default;
    virtual void fetch(const QUrl& url) = 0;
};
