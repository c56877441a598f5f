#pragma once

#include <QLineEdit>

class QAction;

// The chat input line `mychat`. It starts with a prompt that disappears at the
// first key press; Enter sends the line instead of editing it, and pasting
// replaces the whole line with the clipboard's text.
class ChatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ChatEdit(QWidget* parent = nullptr);

    // "<Enter Chat Here>" in the language of the start.
    QString prompt() const { return m_prompt; }

    QAction* pasteAction() const { return m_paste; }
    // Empties the line if it still shows the prompt.
    void clearPrompt();
    // `Paste1Click`: the clipboard's plain text replaces the line, if it has any.
    void pasteReplacing();

signals:
    // Enter was pressed (`sendit`).
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_prompt;
    QAction* m_paste = nullptr;
};
