#pragma once

#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <array>

class QToolButton;

// The ten small buttons of the main window's left column: `b_phrase1` ...
// `b_phrase9` ("P1" ... "P9") each hold one phrase, shown as the button's
// tooltip and sent when it is clicked; `b_phrase10` ("CS") opens the
// chatter-sounds menu. Two rows of five, 25 x 19 each.
class PhraseButtons : public QWidget {
    Q_OBJECT
public:
    static constexpr int Count = 9;
    // Where the block sits on the main window's back panel.
    static constexpr QPoint Place{9, 308};

    explicit PhraseButtons(QWidget* parent = nullptr);

    static QStringList builtInPhrases();

    // k from 1 to 9; other numbers are ignored (empty phrase).
    QString phrase(int k) const;
    // Sets phrase and tooltip as given, an empty text included (the settings
    // loader skips empty stored values itself).
    void setPhrase(int k, const QString& phrase);
    QStringList phrases() const;
    void setPhrases(const QStringList& phrases);

    QToolButton* button(int k) const;

signals:
    // Phrase button clicked with its phrase at that moment.
    void phraseClicked(const QString& phrase);
    // "CS" clicked: open the chatter-sounds menu at that global point (the
    // button's bottom-right corner).
    void chatterSoundsRequested(const QPoint& globalPos);

private:
    std::array<QToolButton*, 10> m_buttons{};
    QStringList m_phrases;
};
