// The one-line input dialog, built in code on every call and laid out in
// dialog units measured from its font.
#pragma once

#include <QString>

class QFont;
class QSize;

namespace quorvel {

constexpr int kInputBoxMaxLengthLimit = 255;

// The edit box's length limit for a maxLength argument: at most 255; zero or
// less (no limit asked for) gives 255 as well.
int EffectiveInputMaxLength(int maxLength);

// Shows the dialog modally. True when closed with OK: `value` then holds the
// edit box text exactly as typed. False otherwise; `value` unchanged.
bool RunInputBox(const QString& caption, const QString& prompt, QString& value, int maxLength);

// Dialog units of a font: average character width W and height H, from the
// extent of "A".."Z" followed by "a".."z".
struct DialogUnits {
    int charWidth = 0;   // W: extent width div 52
    int charHeight = 0;  // H: extent height
    int horizontal(int units) const;  // units * W / 4, rounded
    int vertical(int units) const;    // units * H / 8, rounded
};
DialogUnits MeasureDialogUnits(const QFont& font);

}  // namespace quorvel
