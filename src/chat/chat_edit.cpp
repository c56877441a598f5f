#include "chat_edit.h"

#include "net/text_limits.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

ChatEdit::ChatEdit(QWidget* parent) : QLineEdit(parent), m_prompt(tr("<Enter Chat Here>"))
{
    setText(m_prompt);
    setObjectName(QStringLiteral("mychat"));
    setAccessibleName(tr("Chat line"));
    setAccessibleDescription(tr("Type a message and press Return to send it to the table."));
    setFont(QFont(QStringLiteral("Arial"), 10));
    // The server cuts longer lines before relaying them; stopping the typing
    // here shows the player where, rather than losing the end unseen.
    setMaxLength(TextLimits::Chat);
    m_paste = new QAction(tr("Paste"), this);
    m_paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_paste->setShortcutContext(Qt::WidgetShortcut);
    connect(m_paste, &QAction::triggered, this, &ChatEdit::pasteReplacing);
    addAction(m_paste);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ChatEdit::clearPrompt()
{
    if (text() == m_prompt)
        clear();
}

void ChatEdit::pasteReplacing()
{
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    if (clip && clip->hasText())
        setText(clip->text());
}

void ChatEdit::keyPressEvent(QKeyEvent* event)
{
    // `mychatKeyDown`: every key, even one that then does nothing, clears the prompt.
    clearPrompt();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
    } else if (event->matches(QKeySequence::Paste)) {
        // The line edit would insert at the caret; the chat replaces the line.
        event->accept();
        pasteReplacing();
    } else {
        QLineEdit::keyPressEvent(event);
    }
}
