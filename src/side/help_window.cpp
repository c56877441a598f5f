#include "side/help_window.h"

#include "side/side_window_art.h"

#include "base/player_folders.h"
#include "chat/core/tile_pictures.h"
#include "chat/core/tile_set.h"
#include "ui/built_in_picture.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int TileSetsPage = 8;

QString readText(const QString& name)
{
    QFile file(QStringLiteral(":/texts/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QPushButton* sideButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFlat(true);
    b->setStyleSheet(
        QStringLiteral("QPushButton { color: white; text-align: left; padding: 4px 8px; border: 1px solid #404070; }"
                       "QPushButton:hover { background: #303070; }"));
    return b;
}

// The special tiles and what they do, as the picture page shows them: a tile
// of the set in use (piece code), with a bonus mark over it (bonus code, or 0).
struct Picture {
    int piece;
    int bonus;
    const char* caption;
};
const Picture Pictures[] = {
    {0, 0, QT_TRANSLATE_NOOP("Thelp", "Space")},
    {1, 0, QT_TRANSLATE_NOOP("Thelp", "Humdrum")},
    {1, 3, QT_TRANSLATE_NOOP("Thelp", "Multiplies your current trail score and blast value by 2")},
    {1, 4, QT_TRANSLATE_NOOP("Thelp", "Multiplies your current trail score and blast value by 3")},
    {1, 2, QT_TRANSLATE_NOOP("Thelp", "Blasts all surrounding planets.")},
    {1, 1,
     QT_TRANSLATE_NOOP("Thelp",
                       "Allows you to continue your trail even though the next planet you blast is not adjacent")},
    {6, 0, QT_TRANSLATE_NOOP("Thelp", "Allows you to hit any planet color")},
};

TilePictures builtInTiles()
{
    return TilePictures::fromStrip(BuiltInPicture::image(QStringLiteral("board_tiles.png")));
}

// Drawn as the board draws a cell: the tile, then the bonus mark with its
// black left see-through.
QPixmap cellPicture(const TilePictures& set, const Picture& p)
{
    QImage cell(TilePictures::Side, TilePictures::Side, QImage::Format_RGB32);
    cell.fill(Qt::black);
    QPainter painter(&cell);
    if (p.piece < set.pieces.size())
        painter.drawImage(0, 0, set.pieces.at(p.piece));
    if (p.bonus > 0 && p.bonus < set.bonus.size())
        painter.drawImage(0, 0, TilePictures::blackTransparent(set.bonus.at(p.bonus)));
    painter.end();
    return QPixmap::fromImage(cell);
}

} // namespace

const QList<Thelp::Page>& Thelp::pages()
{
    static const QList<Page> list = {
        {1, QT_TRANSLATE_NOOP("Thelp", "Overview"), "info_help_overview.txt"},
        {2, QT_TRANSLATE_NOOP("Thelp", "Connecting"), "info_help_connecting.txt"},
        {3, QT_TRANSLATE_NOOP("Thelp", "Game Play"), "info_help_gameplay.txt"},
        {4, QT_TRANSLATE_NOOP("Thelp", "Scoring"), "info_help_scoring.txt"},
        {5, QT_TRANSLATE_NOOP("Thelp", "Documentation"), "info_help_documentation.txt"},
        {6, QT_TRANSLATE_NOOP("Thelp", "License"), "info_help_license.txt"},
        {7, QT_TRANSLATE_NOOP("Thelp", "Images"), nullptr},
        {8, QT_TRANSLATE_NOOP("Thelp", "Tile Sets"), "info_help_tilesets.txt"},
        {11, QT_TRANSLATE_NOOP("Thelp", "The Lobby"), "info_help_lobby.txt"},
    };
    return list;
}

Thelp::Thelp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(tr("Gloop Dash -  Help File"));
    resize(640, 480);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSidePanel());
    layout->addWidget(buildMainPanel(), 1);
    SideWindowArt::tile(this, SideWindowArt::picture(QStringLiteral("info_back.jpg")));
    SelButton1Click(1, tr("Overview"));
}

void Thelp::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

QWidget* Thelp::buildSidePanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel_side"));
    auto* layout = new QVBoxLayout(panel);
    for (const Page& page : pages()) {
        const QString caption = tr(page.caption);
        auto* b = sideButton(QStringLiteral("SelButton%1").arg(page.tag), caption, panel);
        b->setProperty("tag", page.tag);
        const int tag = page.tag;
        connect(b, &QPushButton::clicked, this, [this, tag, caption] { SelButton1Click(tag, caption); });
        layout->addWidget(b);
    }
    layout->addStretch(1);
    auto* about = sideButton(QStringLiteral("button_about"), tr("About"), panel);
    auto* done = sideButton(QStringLiteral("button_done"), tr("Done"), panel);
    connect(about, &QPushButton::clicked, this, &Thelp::button_aboutClick);
    connect(done, &QPushButton::clicked, this, &Thelp::button_doneClick);
    layout->addWidget(about);
    layout->addWidget(done);
    return panel;
}

QWidget* Thelp::buildMainPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel_main"));
    m_caption = new QLabel(panel);
    m_caption->setObjectName(QStringLiteral("label_caption"));
    m_caption->setStyleSheet(QStringLiteral("QLabel { color: #ffd040; font: bold 14pt; }"));
    m_pages = new QStackedWidget(panel);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(m_caption);
    layout->addWidget(m_pages, 1);
    return panel;
}

QWidget* Thelp::buildTextPage(const Page& page)
{
    auto* memo = new QPlainTextEdit(m_pages);
    memo->setObjectName(QStringLiteral("memo%1").arg(page.tag));
    memo->setReadOnly(true);
    memo->setAccessibleName(tr(page.caption));
    QString text = readText(QString::fromLatin1(page.text));
    // Where the player's own sets go depends on how this copy was set up:
    // name the very folder it reads.
    if (page.tag == TileSetsPage)
        text += tr("\nThis copy reads your own tile sets from: %1\n")
                    .arg(QDir::toNativeSeparators(
                        QDir(PlayerFolders::forThisProgram().dataFolder()).filePath(TileSet::folderName())));
    memo->setPlainText(text);
    memo->setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: #e0e0ff; }"));
    return memo;
}

QWidget* Thelp::buildPicturePage()
{
    auto* scroll = new QScrollArea(m_pages);
    scroll->setObjectName(QStringLiteral("memo7"));
    scroll->setWidgetResizable(true);
    auto* inner = new QWidget(scroll);
    inner->setStyleSheet(QStringLiteral("background: black; color: #e0e0ff;"));
    auto* grid = new QGridLayout(inner);
    int row = 0;
    for (const Picture& p : Pictures) {
        auto* image = new QLabel(inner);
        image->setObjectName(QStringLiteral("image_tile%1").arg(row + 1));
        m_tilePictures.append(image);
        auto* caption = new QLabel(tr(p.caption), inner);
        caption->setObjectName(QStringLiteral("label_image%1").arg(row + 1));
        caption->setWordWrap(true);
        grid->addWidget(image, row, 0);
        grid->addWidget(caption, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    scroll->setWidget(inner);
    showTilePictures();
    return scroll;
}

QWidget* Thelp::pageFor(int tag)
{
    if (QWidget* built = m_pageByTag.value(tag))
        return built;
    for (const Page& page : pages()) {
        if (page.tag != tag)
            continue;
        QWidget* built = page.text ? buildTextPage(page) : buildPicturePage();
        m_pages->addWidget(built);
        m_pageByTag.insert(tag, built);
        return built;
    }
    return nullptr;
}

void Thelp::setTilePictures(const TilePictures& set)
{
    m_tiles = set;
    showTilePictures();
}

void Thelp::showTilePictures()
{
    if (m_tilePictures.isEmpty())
        return; // drawn when the picture page is built
    // No pictures means the built-in set, as on the board.
    const TilePictures shown = m_tiles.pieces.isEmpty() && m_tiles.bonus.isEmpty() ? builtInTiles() : m_tiles;
    for (qsizetype i = 0; i < m_tilePictures.size(); ++i)
        m_tilePictures.at(i)->setPixmap(cellPicture(shown, Pictures[i]));
}

void Thelp::SelButton1Click(int tag, const QString& caption)
{
    QWidget* page = pageFor(tag);
    if (!page)
        return;
    m_pages->setCurrentWidget(page);
    m_caption->setText(caption);
}

QWidget* Thelp::currentPage() const
{
    return m_pages->currentWidget();
}

QString Thelp::caption() const
{
    return m_caption->text();
}

void Thelp::button_aboutClick()
{
    emit showabout();
}

void Thelp::button_doneClick()
{
    hide();
}

void Thelp::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Each opening comes centred over the main window; a window brought back
    // from the task bar stays where it was.
    if (!event->spontaneous())
        SideWindowArt::centre(this, m_anchor ? m_anchor.data() : parentWidget());
}
