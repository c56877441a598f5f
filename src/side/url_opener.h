#pragma once

class QUrl;

// Opens a web or mail address the player clicked.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // False when nothing could open it.
    virtual bool openUrl(const QUrl& url) = 0;

    // The desktop's own handler (its browser or mail program).
    static UrlOpener& desktop();
};
