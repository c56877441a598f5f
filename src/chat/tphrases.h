#pragma once

// The editor keeps a guarded pointer to the buttons, which needs their full type.
#include "phrase_buttons.h"

#include "net/text_limits.h"

#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>

class QLineEdit;

// The phrase editor window `phrases`: nine edit boxes `phrase1` ... `phrase9` of
// at most 50 characters and "Done". "Done" gives the buttons the edited phrases
// (empty ones included) and reports them so the settings file can store them;
// closing the window any other way changes nothing.
class Tphrases : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxLength = TextLimits::Phrase;

    explicit Tphrases(QWidget* parent = nullptr);

    void setButtons(PhraseButtons* buttons) { m_buttons = buttons; }
    // The main window's background picture, tiled behind the edits.
    void setBackgroundPicture(const QPixmap& picture);

    // "Phrase List": copies each button's phrase into its edit and shows the
    // window centred over `over` (or where it is, without one), not blocking it.
    void openEditor(const QWidget* over);
    QLineEdit* edit(int k) const;

signals:
    // "Done" with the nine phrases in button order: write Phrase1 ... Phrase9.
    void phrasesDone(const QStringList& phrases);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void done();

    std::array<QLineEdit*, 9> m_edits{};
    QPointer<PhraseButtons> m_buttons;
    QPixmap m_background;
};
