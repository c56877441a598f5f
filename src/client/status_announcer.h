#pragma once

#include <QLabel>

// The game's spoken status: a label that assistive technology reads and that
// is drawn nowhere. Each turn event (a turn begins, time runs short, a
// mission ends, the winner) replaces its text, and a screen reader hears the
// change of name, even when the same event comes twice in a row.
class StatusAnnouncer : public QLabel {
    Q_OBJECT
public:
    // Seconds left in one's own mission at which time running out is announced.
    static constexpr int HurrySeconds = 10;

    explicit StatusAnnouncer(QWidget* parent = nullptr);

    void announce(const QString& text);

protected:
    void paintEvent(QPaintEvent*) override { }
};
