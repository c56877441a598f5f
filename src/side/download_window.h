#pragma once

#include "side/core/thttpcli.h"
#include "side/program_starter.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class QFile;
class QLabel;
class QPushButton;

// The window shown at a solo start: download and start the lobby's installer,
// start the installed lobby, or go on with the solo game. Whenever the game
// should end so another program can take over, it emits closemainwindow.
class Tdownload : public QDialog {
    Q_OBJECT
public:
    explicit Tdownload(QWidget* parent = nullptr);
    ~Tdownload() override;

    // Configuration, by default from the build (SideConfig).
    void setWebHost(const QString& host) { m_webHost = host; }
    // A folder set here must exist; the player's data folder, the default,
    // is made by the first download.
    void setTargetFolder(const QString& folder)
    {
        m_targetFolder = folder;
        m_makeTargetFolder = false;
    }
    void setLobbyPath(const QString& path) { m_lobbyPath = path; }
    void setInstallerRunner(const QString& runner) { m_installerRunner = runner; }
    // How the installer and the lobby are started; detached from the game by
    // default. The starter must outlive the window.
    void setProgramStarter(ProgramStarter& starter) { m_start = &starter; }

    // "http://" + web host + "/lobby/mklsetup.exe".
    QString url() const;
    // 0 nothing yet, 1 a download was started, 2 it was aborted or failed.
    int downloadState() const { return m_state; }

    void getbuttonClick();
    void abortbuttonClick();
    void Button1Click();
    void Button2Click();

    static inline const QStringList InstallerArguments = {QStringLiteral("/SP-"), QStringLiteral("/silent"),
                                                          QStringLiteral("/noicons")};

signals:
    // The game should end now (an installer or the lobby has been started).
    void closemainwindow();
    // Offered beside the news that no lobby is installed: play with others
    // from the game itself.
    void hostGameRequested();
    void joinGameRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QWidget* buildPicturePanel();
    QWidget* buildDownloadPanel();
    QWidget* buildChoicePanel();
    void HttpCli1HeaderData();
    void HttpCli1DocBegin();
    void HttpCli1DocData(qint64 received);
    void HttpCli1RequestDone(bool ok);
    void install(const QString& path);
    void message(const QString& text, bool error = false);
    void lobbyMissing();

    THttpCli m_http;
    std::unique_ptr<QFile> m_file;
    int m_state = 0;
    QString m_webHost;
    QString m_targetFolder;
    bool m_makeTargetFolder = true;
    QString m_lobbyPath;
    QString m_installerRunner;
    ProgramStarter* m_start = &ProgramStarter::detached();
    QPushButton* m_getbutton = nullptr;
    QPushButton* m_abortbutton = nullptr;
    QLabel* m_infolabel = nullptr;
    QLabel* m_infolabel2 = nullptr;
    QLabel* m_infolabel3 = nullptr;
    bool m_placed = false;
};
