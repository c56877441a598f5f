#include "panel_chat.h"

#include "chat/chat_edit.h"
#include "chat/chat_menu.h"
#include "chat/core/colour_text.h"
#include "chat/core/outgoing_chat.h"
#include "chat/smilies_menu.h"
#include "ui/design_scale.h"
#include "ui/rich_chat_view.h"

#include <QAction>
#include <QColorDialog>
#include <QDesktopServices>
#include <QGridLayout>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>
#include <algorithm>

namespace {
// The input line and the smilies button beside it, at the window's design size.
constexpr QSize SmiliesButtonSize(25, 21);
} // namespace

PanelChat::PanelChat(QWidget* parent)
    : QWidget(parent), m_view(new RichChatView(this)), m_edit(new ChatEdit(this)),
      m_smiliesButton(new QToolButton(this)), m_menu(new ChatMenu(this))
{
    setObjectName(QStringLiteral("panel_chat"));
    resize(692, 171);
    m_view->setObjectName(QStringLiteral("mainchat"));
    m_view->setAccessibleName(tr("Chat"));
    m_smiliesButton->setObjectName(QStringLiteral("button_smilies"));
    m_smiliesButton->setAccessibleName(tr("Smilies"));
    m_smiliesButton->setText(QStringLiteral(":)"));
    m_smiliesButton->setFixedSize(SmiliesButtonSize);
    m_edit->setFixedHeight(SmiliesButtonSize.height());
    m_editFont = m_edit->font();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(m_view, 0, 0, 1, 2);
    grid->addWidget(m_edit, 1, 0);
    grid->addWidget(m_smiliesButton, 1, 1);

    for (int n = 0; n < ChatTextStyles::Count; ++n)
        pushStyle(n);
    m_view->SetLinkStyle(ChatTextStyles::LinkStyle);
    m_view->SetLineLimit(HistoryLines);
    setOwnColour(ColourText::Black);
    buildMenus();

    connect(m_edit, &ChatEdit::enterPressed, this, &PanelChat::sendit);
    connect(m_view, &RichChatView::OnJump, this, &PanelChat::mainchatJump);
    connect(m_smiliesButton, &QToolButton::clicked, this,
            [this] { smiliesMenu()->popup(m_smiliesButton->mapToGlobal(m_smiliesButton->rect().bottomRight())); });
}

PanelChat::~PanelChat() = default;

// The pictures are decoded when a line first shows a smiley or the menu first
// opens: most starts show neither before the window's first picture.
const RichImageList& PanelChat::smileyPictures()
{
    if (m_smileyPictures.isEmpty())
        m_smileyPictures = SmiliesMenu::loadPictures();
    return m_smileyPictures;
}

SmiliesMenu* PanelChat::smiliesMenu()
{
    if (!m_smilies) {
        m_smilies = new SmiliesMenu(smileyPictures(), this);
        connect(m_smilies, &SmiliesMenu::smileyChosen, this, &PanelChat::insertSmiley);
    }
    return m_smilies;
}

void PanelChat::buildMenus()
{
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_menu->addContextItems(m_view);
    connect(m_menu->textColor(), &QAction::triggered, this, &PanelChat::chooseTextColour);
    connect(m_menu, &ChatMenu::textSizeChosen, this, &PanelChat::chooseTextSize);
    connect(m_menu->clear(), &QAction::triggered, this, &PanelChat::clearMainChat);
    connect(m_menu->copy(), &QAction::triggered, m_view, &RichChatView::CopySelection);
    connect(m_menu->selectAll(), &QAction::triggered, m_view, &RichChatView::SelectAllText);
}

void PanelChat::pushStyle(int n)
{
    const ChatTextStyle& style = m_styles.style(n);
    QFont font = style.font();
    font.setPointSizeF(font.pointSizeF() * m_textScale);
    m_view->SetTextStyle(n, {font, ColourText::toColor(style.colour, palette())});
}

void PanelChat::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const qreal scale = DesignScale::scaleOf(this);
    if (!qFuzzyCompare(scale, m_textScale))
        applyTextScale(scale);
}

// Every line takes the new size at once, the oldest as the newest: the styles
// are shared, and the view lays all its lines out again.
void PanelChat::applyTextScale(qreal scale)
{
    m_textScale = scale;
    for (int n = 0; n < ChatTextStyles::Count; ++n)
        pushStyle(n);
    QFont edit = m_editFont;
    if (edit.pointSizeF() > 0)
        edit.setPointSizeF(edit.pointSizeF() * scale);
    else
        edit.setPixelSize(qMax(1, qRound(edit.pixelSize() * scale)));
    m_edit->setFont(edit);
    m_edit->setFixedHeight(qRound(SmiliesButtonSize.height() * scale));
    m_smiliesButton->setFixedSize((QSizeF(SmiliesButtonSize) * scale).toSize());
    m_view->Reformat();
    if (!m_menu->scrollOff()->isChecked())
        scrollToEnd();
}

void PanelChat::addlinetochat(const StyledLine& line, quint32 colour)
{
    StyledLine shown{line.style, line.text.left(MaxLineLength), line.status};
    if (shown.text.size() < line.text.size() && shown.text.back().isHighSurrogate())
        shown.text.chop(1);
    const auto parsed = ChatLineParser::parse(shown);
    if (!parsed) {
        noteDroppedLine();
        return;
    }
    m_styles.showLineIn(parsed->style, colour);
    pushStyle(parsed->style);
    m_view->StartLine(parsed->startText(), parsed->style);
    addItems(*parsed);
    m_view->Reformat();
    // Once the view drops its oldest lines, their links can no longer be clicked.
    if (m_view->LineCount() >= HistoryLines) {
        const int firstLink = m_view->FirstLink();
        m_links.forgetBefore(firstLink < 0 ? m_links.count() : firstLink);
    }
    if (!m_menu->scrollOff()->isChecked())
        scrollToEnd();
}

void PanelChat::noteDroppedLine()
{
    if (m_notedDrop)
        return;
    m_notedDrop = true;
    addlinetochat({0, tr("A chat line that could not be read was left out.")}, ColourText::Navy);
}

void PanelChat::addItems(const ChatLine& line)
{
    // Words in a row go to the view as one item: an item per word would cost
    // the view a few hundred bytes for every word of the line.
    QString words;
    const auto flush = [&] {
        if (!words.isEmpty())
            m_view->AppendText(words, line.style);
        words.clear();
    };
    for (const ChatItem& item : line.items) {
        switch (item.kind) {
        case ChatItem::Kind::Text: words += item.text; break;
        case ChatItem::Kind::Link:
            flush();
            m_view->AppendLink(item.text, m_links.add(item.text));
            break;
        case ChatItem::Kind::Picture:
            flush();
            m_view->AppendImage(item.picture, smileyPictures());
            break;
        }
    }
    flush();
}

void PanelChat::scrollToEnd()
{
    // The item count is past the last row except when a word too wide for the
    // view broke into more rows than there are items; the view clamps either.
    m_view->SetScrollPosition(std::max(m_view->ItemCount(), m_view->ScrollMaximum()));
}

void PanelChat::chatrecieved(int slot, const QByteArray& text)
{
    const RelayedLine relayed = ChatLineParser::received(slot, text);
    addlinetochat(relayed.line, relayed.colour);
}

void PanelChat::sendit()
{
    if (!connected())
        return;
    const auto message = OutgoingChat::forTyped(m_edit->text(), m_connection->myslot(), m_ownColour);
    if (message)
        m_connection->send(*message);
    m_edit->clear();
}

void PanelChat::sendphrase(const QString& phrase)
{
    if (connected())
        m_connection->send(OutgoingChat::forPhrase(phrase, m_connection->myslot(), m_ownColour));
}

void PanelChat::mainchatJump(int n)
{
    const auto target = m_links.target(n);
    const auto address = target ? LinkTargets::webAddress(*target) : std::nullopt;
    if (!address) {
        report(tr("Cannot open Webpage"));
        return;
    }
    // A web address the desktop cannot open is not reported.
    QDesktopServices::openUrl(*address);
}

void PanelChat::insertSmiley(int code)
{
    m_edit->clearPrompt();
    m_edit->setText(m_edit->text() + QStringLiteral(":)#") + QString::number(code));
    m_edit->deselect();
    m_edit->end(false);
}

void PanelChat::setTextSize(int size)
{
    m_styles.setSize(size);
    for (int n = 0; n < ChatTextStyles::Count; ++n)
        pushStyle(n);
    m_menu->tickSize(size);
}

void PanelChat::setOwnColour(quint32 colour)
{
    m_ownColour = colour;
    QPalette p = m_edit->palette();
    p.setColor(QPalette::Text, ColourText::toColor(colour, palette()));
    m_edit->setPalette(p);
}

void PanelChat::chooseTextColour()
{
    auto* dialog = new QColorDialog(ColourText::toColor(m_ownColour, palette()), this);
    dialog->setObjectName(QStringLiteral("ColorDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& colour) {
        setOwnColour(ColourText::fromColor(colour));
        emit settingsChanged();
    });
    dialog->open();
}

void PanelChat::chooseTextSize(int size)
{
    setTextSize(size);
    emit settingsChanged();
}

void PanelChat::clearMainChat()
{
    m_view->ClearView();
    m_view->Reformat();
    m_edit->setFocus();
}

void PanelChat::report(const QString& text)
{
    // One box at a time: a stream of bad lines from the network must not bury
    // the player in windows.
    if (!m_report) {
        m_report = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Gloop Dash"), text, QMessageBox::Ok, this);
        m_report->setObjectName(QStringLiteral("message_chat"));
        m_report->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_report->setText(text);
    m_report->show();
}
