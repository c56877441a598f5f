#pragma once

#include <QStringView>
#include <optional>

// Whole numbers as players and peers write them in chat lines, smiley codes and
// colour texts: leading blanks, an optional sign, then decimal digits or "$" and
// hexadecimal digits. Decimal must fit a signed 32-bit value; hexadecimal may use
// all 32 bits ("$FFFFFFFF" is -1). Anything else, trailing characters included,
// is not a number.
class IntegerText {
public:
    static std::optional<qint32> parse(QStringView text);
};
