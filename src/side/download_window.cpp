#include "side/download_window.h"

#include "base/player_folders.h"
#include "side/core/side_config.h"
#include "side/side_window_art.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const LobbyMissing =
    QT_TRANSLATE_NOOP("Tdownload",
                      "Please close the game and open the Mirrek Lobby using the icon on your desktop or using "
                      "the your Window's start-up menu.");
const char* const StartFailed = QT_TRANSLATE_NOOP("Tdownload", "An Error has Occurred.");

QLabel* textLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QFrame* whitePanel(const QString& name, QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setStyleSheet(QStringLiteral("QFrame#%1 { background: white; border: 1px solid #8080a0; }"
                                        "QLabel { color: black; }")
                             .arg(name));
    return panel;
}

} // namespace

Tdownload::Tdownload(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_webHost(SideConfig::webHost()),
      m_targetFolder(PlayerFolders::forThisProgram().dataFolder()), m_lobbyPath(SideConfig::lobbyPath()),
      m_installerRunner(SideConfig::installerRunner())
{
    setObjectName(QStringLiteral("download"));
    setWindowTitle(tr("Download The Mirrek Lobby"));
    buildControls();
    SideWindowArt::tile(this, SideWindowArt::picture(QStringLiteral("dl_back.jpg")));

    connect(&m_http, &THttpCli::OnHeaderData, this, &Tdownload::HttpCli1HeaderData);
    connect(&m_http, &THttpCli::OnDocBegin, this, &Tdownload::HttpCli1DocBegin);
    connect(&m_http, &THttpCli::OnDocData, this, &Tdownload::HttpCli1DocData);
    connect(&m_http, &THttpCli::OnRequestDone, this, [this](bool ok, int, const QString&) { HttpCli1RequestDone(ok); });
}

Tdownload::~Tdownload()
{
    // The worker must be gone before the file it writes into (a member that
    // would otherwise be destroyed first), and the unfinished file with it.
    if (!m_file)
        return;
    m_http.AbortAndWait();
    const QString path = m_file->fileName();
    m_file->close();
    m_file.reset();
    QFile::remove(path);
}

void Tdownload::buildControls()
{
    auto* top = new QHBoxLayout;
    top->addWidget(buildPicturePanel());
    top->addWidget(buildDownloadPanel(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildChoicePanel());
}

QWidget* Tdownload::buildPicturePanel()
{
    QFrame* panel = whitePanel(QStringLiteral("panel_picture"), this);
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("image_lobby"));
    picture->setPixmap(SideWindowArt::picture(QStringLiteral("dl_lobby.jpg")));
    auto* closed = new QLabel(tr("IS CLOSED"), picture);
    closed->setObjectName(QStringLiteral("label_closed"));
    closed->setStyleSheet(QStringLiteral("QLabel { color: red; font: bold 9pt; background: transparent; }"));
    closed->adjustSize();
    // Over the lower right corner of the picture, clear of its title.
    const QSize room = picture->pixmap().size() - closed->size();
    closed->move(qMax(0, room.width() - 6), qMax(0, room.height() - 4));
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(picture);
    return panel;
}

QWidget* Tdownload::buildDownloadPanel()
{
    QFrame* panel = whitePanel(QStringLiteral("panel_download"), this);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(textLabel(QStringLiteral("Label1"),
                                tr("Download The Mirrek Lobby Now to play this  and other exciting games "
                                   "online with other players! "),
                                panel));
    m_getbutton = button(QStringLiteral("getbutton"), tr("Download And Install The Mirrek Lobby Now"), panel);
    m_abortbutton = button(QStringLiteral("abortbutton"), tr("Stop Download"), panel);
    m_abortbutton->setEnabled(false);
    m_infolabel = textLabel(QStringLiteral("infolabel"), QString(), panel);
    m_infolabel3 = textLabel(QStringLiteral("infolabel3"), QString(), panel);
    m_infolabel2 = textLabel(QStringLiteral("infolabel2"), QString(), panel);
    m_infolabel2->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(m_getbutton), static_cast<QWidget*>(m_abortbutton), static_cast<QWidget*>(m_infolabel),
          static_cast<QWidget*>(m_infolabel3), static_cast<QWidget*>(m_infolabel2)})
        layout->addWidget(w);
    layout->addStretch(1);
    connect(m_getbutton, &QPushButton::clicked, this, &Tdownload::getbuttonClick);
    connect(m_abortbutton, &QPushButton::clicked, this, &Tdownload::abortbuttonClick);
    return panel;
}

QWidget* Tdownload::buildChoicePanel()
{
    QFrame* panel = whitePanel(QStringLiteral("panel_choice"), this);
    auto* solo = button(QStringLiteral("Button1"), tr("Play Solo Game"), panel);
    solo->setDefault(true);
    auto* others = button(QStringLiteral("Button2"), tr("Play with Others"), panel);
    auto* grid = new QGridLayout(panel);
    grid->addWidget(textLabel(QStringLiteral("Label7"),
                              tr("To proceed to the game without the ability to play against others click "
                                 "the button below."),
                              panel),
                    0, 0);
    grid->addWidget(solo, 1, 0, Qt::AlignHCenter);
    grid->addWidget(textLabel(QStringLiteral("Label5"),
                              tr("If you already have The Mirrek Lobby and you wish to play with others then "
                                 "click the button below to close this game and open The Mirrek Lobby."),
                              panel),
                    0, 1);
    grid->addWidget(others, 1, 1, Qt::AlignHCenter);
    auto* note = textLabel(QStringLiteral("Label3"),
                           tr("Note: Even if you are playing offline, you will need to configure your "
                              "FIREWALL to allow the game to access the internet components."),
                           panel);
    note->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    grid->addWidget(note, 2, 0, 1, 2);
    connect(solo, &QPushButton::clicked, this, &Tdownload::Button1Click);
    connect(others, &QPushButton::clicked, this, &Tdownload::Button2Click);
    return panel;
}

void Tdownload::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        SideWindowArt::centre(this, nullptr);
    }
}

QString Tdownload::url() const
{
    return QStringLiteral("http://") + m_webHost + QStringLiteral("/lobby/mklsetup.exe");
}

void Tdownload::getbuttonClick()
{
    if (m_http.busy())
        return;
    m_state = 1;
    const QString address = url();
    const QString fileName = address.mid(address.lastIndexOf(QLatin1Char('/')) + 1);
    m_infolabel2->setText(fileName);
    const QString target = QDir(m_targetFolder).filePath(fileName);

    if (m_makeTargetFolder)
        QDir().mkpath(m_targetFolder); // an installed copy's data folder may not exist yet
    auto file = std::make_unique<QFile>(target);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        message(tr("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(target), file->errorString()), true);
        return;
    }
    m_file = std::move(file);
    m_getbutton->setEnabled(false);
    m_abortbutton->setEnabled(true);
    m_infolabel->setText(tr("Loading"));
    m_http.URL = address;
    if (!m_http.Get(m_file.get()))
        HttpCli1RequestDone(false);
}

void Tdownload::abortbuttonClick()
{
    m_http.Abort();
    m_infolabel->setText(tr("Download has been aborted."));
    m_state = 2;
    m_infolabel3->setText(tr("Download Aborted"));
}

void Tdownload::HttpCli1HeaderData()
{
    m_infolabel->setText(m_infolabel->text() + QLatin1Char('.'));
}

void Tdownload::HttpCli1DocBegin()
{
    m_infolabel3->setText(tr("Downloading: %1").arg(m_infolabel2->text()));
}

void Tdownload::HttpCli1DocData(qint64 received)
{
    m_infolabel->setText(tr("%1 bytes").arg(received));
}

void Tdownload::HttpCli1RequestDone(bool ok)
{
    // Any failure, not only a refusal by the server, must keep a partial file
    // from being started as an installer.
    if (ok && m_file && m_file->flush()) {
        m_infolabel->setText(tr("Received %1 bytes").arg(m_file->size()));
    } else {
        m_infolabel->setText(tr("Download Aborted"));
        m_infolabel3->setText(tr("Download Aborted"));
        m_state = 2;
    }
    m_getbutton->setEnabled(true);
    m_abortbutton->setEnabled(false);
    const QString path = m_file ? m_file->fileName() : QString();
    if (m_file)
        m_file->close();
    m_file.reset();
    if (m_state != 2)
        install(path);
    else if (!path.isEmpty())
        QFile::remove(path); // a partial installer must never be started by hand either
}

void Tdownload::install(const QString& path)
{
    m_infolabel3->setText(tr("Installing"));
    bool started = false;
    if (m_installerRunner.isEmpty()) {
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
        started = m_start->start(path, InstallerArguments, m_targetFolder);
    } else {
        started = m_start->start(m_installerRunner, QStringList{path} + InstallerArguments, m_targetFolder);
    }
    if (!started) {
        message(tr(StartFailed));
        return;
    }
    emit closemainwindow();
}

void Tdownload::Button1Click()
{
    hide();
}

void Tdownload::Button2Click()
{
    if (!QFileInfo(m_lobbyPath).isFile()) {
        lobbyMissing();
        return;
    }
    // Ending the game for a lobby that did not start would leave the player
    // with nothing running.
    if (!m_start->start(m_lobbyPath, {}, QFileInfo(m_lobbyPath).absolutePath())) {
        message(tr(StartFailed));
        return;
    }
    emit closemainwindow();
}

void Tdownload::lobbyMissing()
{
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Gloop Dash"), tr(LobbyMissing),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("messagebox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* host = box->addButton(tr("Host a Multi-player Game…"), QMessageBox::ActionRole);
    host->setObjectName(QStringLiteral("button_hostgame"));
    QPushButton* join = box->addButton(tr("Join a Multi-player Game…"), QMessageBox::ActionRole);
    join->setObjectName(QStringLiteral("button_joingame"));
    connect(host, &QPushButton::clicked, this, &Tdownload::hostGameRequested);
    connect(join, &QPushButton::clicked, this, &Tdownload::joinGameRequested);
    box->open();
}

void Tdownload::message(const QString& text, bool error)
{
    // Not modal-blocking: the download and the game keep running behind it.
    auto* box = new QMessageBox(error ? QMessageBox::Critical : QMessageBox::Information, QStringLiteral("Gloop Dash"),
                                text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("messagebox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
