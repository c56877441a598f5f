#pragma once

#include "side/url_opener.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QLabel;

// The about window: logo, version, maker and the maker's web address. Its
// `version` label is the version text the login sends and the server compares.
class Tabout : public QWidget {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);

    void setBackgroundPicture(const QPixmap& picture);
    // The main window, over which the window opens centred.
    void setAnchor(QWidget* mainWindow) { m_anchor = mainWindow; }
    // How the web address is opened; the desktop's browser by default. The
    // opener must outlive the window.
    void setUrlOpener(UrlOpener& opener) { m_openUrl = &opener; }

    // The program's version, the caption of `version`. The ".6" beside it takes no part in
    // the version check.
    QString versionText() const;
    // The maker's web site, on the configured web host.
    QUrl webAddress() const { return m_webAddress; }

    void Label7Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_version = nullptr;
    QUrl m_webAddress;
    UrlOpener* m_openUrl = &UrlOpener::desktop();
    QPointer<QWidget> m_anchor;
};
