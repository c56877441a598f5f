#include "settings_binding.h"

#include "chat/chat_menu.h"
#include "chat/core/colour_text.h"
#include "chat/panel_chat.h"
#include "chat/tile_set_menu.h"
#include "chat_binding.h"
#include "game_view.h"
#include "language_menu.h"
#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>

using Key = SettingsFile::Key;

SettingsBinding::SettingsBinding(ChatBinding& chat, const QString& folder)
    : m_chat(chat), m_file(folder), m_tiles(folder), m_placed(MainWindow::ResetBounds)
{
    m_highScore = makeOption("checkbox_highscore", tr("Post High Score"), Key::HighScore);
    m_winnersPath = makeOption("checkbox_winnerspath", tr("Show Winner's Path"), Key::WinnersPath);
    connect(m_winnersPath, &QAction::toggled, this, [this](bool on) { m_hostOptions.setShowWinnersPath(on); });
    m_listGame = makeOption("checkbox_listgame", tr("List My Game on the Network"), Key::ListOnNetwork);
    connect(m_listGame, &QAction::toggled, this, [this](bool on) { m_hostOptions.setListedOnNetwork(on); });
}

void SettingsBinding::place(MainWindow& window)
{
    m_window = &window;
    window.optionsMenu()->addActions({m_highScore, m_winnersPath, m_listGame});
    buildTileSetMenu(window);
    wireSaves();
}

QAction* SettingsBinding::makeOption(const char* name, const QString& caption, SettingsFile::Key key)
{
    auto* option = new QAction(caption, this);
    option->setObjectName(QLatin1String(name));
    option->setCheckable(true);
    option->setChecked(true);
    // triggered() comes after the tick has flipped, and only from the player.
    connect(option, &QAction::triggered, this, [this, key] { saveinifile(key); });
    return option;
}

void SettingsBinding::buildTileSetMenu(MainWindow& window)
{
    window.optionsMenu()->addSeparator();
    m_tileSetQMenu = window.optionsMenu()->addMenu(tr("Tile Set"));
    m_tileSetQMenu->setObjectName(QStringLiteral("TileSet1"));
    m_tileMenu = new TileSetMenu(m_tiles, m_tileSetQMenu, &window);
    m_tileMenu->tilemenu();
    GameView* view = &window.gameView();
    connect(&m_tiles, &TileSet::picturesChanged, view,
            [view](const TilePictures& pictures) { view->setPictures(pictures); });
    connect(m_tileMenu, &TileSetMenu::tileSetChosen, this, [this] { saveinifile(Key::Tiles); });
    new LanguageMenu(m_file, window.optionsMenu()->addMenu(tr("Language")), &window);
}

void SettingsBinding::wireSaves()
{
    const SoundOptionActions& sounds = m_chat.soundOptions();
    connect(sounds.playSounds, &QAction::triggered, this, [this] { saveinifile(Key::PlaySounds); });
    connect(sounds.chatterSounds, &QAction::triggered, this, [this] { saveinifile(Key::ChatterSounds); });
    rememberChatLook();
    connect(&m_chat.panel(), &PanelChat::settingsChanged, this, &SettingsBinding::chatLookChosen);
    connect(m_window, &MainWindow::saveSettingsRequested, this, &SettingsBinding::windowClosing);
    connect(m_window->resetLocationAction(), &QAction::triggered, this, [this] { m_placed = MainWindow::ResetBounds; });
}

void SettingsBinding::savePhrases(const QStringList& phrases)
{
    std::array<QString, GameSettings::PhraseCount> stored;
    for (int k = 0; k < GameSettings::PhraseCount; ++k)
        stored[size_t(k)] = phrases.value(k);
    if (!m_file.savePhrases(stored))
        reportFailure();
}

bool SettingsBinding::postHighScore() const
{
    return m_highScore->isChecked();
}

bool SettingsBinding::showWinnersPath() const
{
    return m_winnersPath->isChecked();
}

void SettingsBinding::loadinifile()
{
    const GameSettings s = m_file.load();
    PanelChat& chat = m_chat.panel();
    chat.setTextSize(s.textSize);
    chat.setOwnColour(ColourText::fromText(s.textColor).value_or(ColourText::Black));
    rememberChatLook();
    for (int k = 0; k < GameSettings::PhraseCount; ++k) {
        // An empty stored phrase keeps the button's current one.
        if (!s.phrases[size_t(k)].isEmpty())
            m_chat.buttons().setPhrase(k + 1, s.phrases[size_t(k)]);
    }
    m_chat.soundOptions().playSounds->setChecked(s.playSounds);
    m_highScore->setChecked(s.highScore);
    m_winnersPath->setChecked(s.winnersPath);
    // The stored place counts once a run: a later login (a rejoin, another
    // table) leaves the window where the player has put it since.
    if (!m_boundsApplied) {
        m_boundsApplied = true;
        m_window->setSavedBounds(s.bounds());
        m_window->setWindowBounds(s.bounds());
        m_placed = s.bounds();
    }
    m_chat.soundOptions().chatterSounds->setChecked(s.chatterSounds);
    m_listGame->setChecked(s.listOnNetwork);
    if (!s.tiles.isEmpty())
        m_tileMenu->loadtile(s.tiles);
}

GameSettings SettingsBinding::currentSettings() const
{
    GameSettings s;
    const PanelChat& chat = m_chat.panel();
    s.textSize = chat.textSize();
    s.textColor = ColourText::toText(chat.ownColour());
    s.playSounds = m_chat.soundOptions().playSounds->isChecked();
    s.highScore = m_highScore->isChecked();
    s.winnersPath = m_winnersPath->isChecked();
    s.tiles = m_tiles.currentTileSet();
    s.setBounds(m_window->windowBounds());
    s.chatterSounds = m_chat.soundOptions().chatterSounds->isChecked();
    s.listOnNetwork = m_listGame->isChecked();
    return s;
}

bool SettingsBinding::saveinifile(SettingsFile::Keys changed)
{
    if (m_file.save(currentSettings(), changed))
        return true;
    reportFailure();
    return false;
}

void SettingsBinding::chatLookChosen()
{
    // The chat reports a chosen text size or colour without saying which; only
    // what changed may be written before the file was loaded.
    const PanelChat& chat = m_chat.panel();
    SettingsFile::Keys changed;
    // Choosing the size already in use still ticks its item: that is a choice.
    if (chat.textSize() != m_textSize || tickedSize() != m_tickedSize)
        changed |= Key::TextSize;
    if (chat.ownColour() != m_textColour)
        changed |= Key::TextColor;
    rememberChatLook();
    saveinifile(changed);
}

int SettingsBinding::tickedSize() const
{
    for (const int size : ChatMenu::Sizes) {
        if (m_chat.panel().menu()->sizeItem(size)->isChecked())
            return size;
    }
    return 0;
}

void SettingsBinding::rememberChatLook()
{
    m_textSize = m_chat.panel().textSize();
    m_tickedSize = tickedSize();
    m_textColour = m_chat.panel().ownColour();
}

void SettingsBinding::windowClosing()
{
    // Before the file was loaded only what the player changed is written; the
    // place counts as changed only when the player moved or resized the window.
    const bool moved = m_window->windowBounds() != m_placed;
    saveinifile(moved ? SettingsFile::Keys(Key::Bounds) : SettingsFile::Keys());
}

void SettingsBinding::reportFailure()
{
    // Not modal: the game's messages keep being handled while it shows.
    if (!m_failure) {
        m_failure = new QMessageBox(QMessageBox::Warning, QApplication::applicationName(), QString(), QMessageBox::Ok,
                                    m_window);
        m_failure->setObjectName(QStringLiteral("settingsbox"));
        m_failure->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_failure->setText(m_file.errorText());
    m_failure->open();
}
