#pragma once

#include "chat_line.h"
#include "colour_text.h"

#include <QColor>

// Where the program's chat lines go: the chat view of the main window, or
// whatever a test puts in its place.
class ChatSink {
public:
    virtual ~ChatSink() = default;

    // `addlinetochat`: one line in its text style and a colour value (see ColourText).
    virtual void addlinetochat(const StyledLine& line, quint32 colour) = 0;

    // One of the program's own status lines (text style 0).
    void addline(const QString& text, const QColor& colour)
    {
        addlinetochat({0, text, true}, ColourText::fromColor(colour));
    }
};
