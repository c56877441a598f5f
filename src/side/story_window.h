#pragma once

#include <QWidget>

class QPlainTextEdit;

// The story window: the game's background story and a "Done" button.
class Tstory : public QWidget {
    Q_OBJECT
public:
    explicit Tstory(QWidget* parent = nullptr);

    void setBackgroundPicture(const QPixmap& picture);
    QString storyText() const;
    void Button1Click();

private:
    QPlainTextEdit* m_text = nullptr;
};
