#pragma once

#include <QRect>
#include <QString>

#include <array>
#include <optional>

// Every preference the settings file stores, holding the values that apply
// when a key is absent from the file.
struct GameSettings {
    static constexpr int PhraseCount = 9;

    int textSize = 8;
    QString textColor = QStringLiteral("clblack");
    // Phrase k of button b_phrase(k+1); empty keeps the button's current phrase.
    std::array<QString, PhraseCount> phrases;
    bool playSounds = true;
    bool highScore = true;
    bool winnersPath = true;
    int top = 3;
    int left = 3;
    int width = 713;
    int height = 568;
    bool chatterSounds = true;
    // A game this copy hosts answers those who look for games on the network.
    bool listOnNetwork = true;
    // The tile set in use; empty for the built-in set.
    QString tiles;

    QRect bounds() const { return QRect(left, top, width, height); }
    void setBounds(const QRect& r);

    bool operator==(const GameSettings&) const = default;

    // The stored forms: only the exact text "false" is off.
    static bool readOnOff(const std::optional<QString>& text);
    static QString writeOnOff(bool on);
    // Decimal, or hexadecimal after "$" or "0x", optionally signed; anything
    // else (or a number outside int) is no number.
    static std::optional<int> readInteger(const QString& text);
};
