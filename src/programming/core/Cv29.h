#pragma once

#include <QString>
#include <array>
#include <optional>

// The configuration register CV 29 as the programming windows edit it: the texts of the six
// editable bits, and the state of the bit panel (digits, meaning texts, value label).
// Shared by the Intellibox and the Lenz window.
namespace Cv29 {

constexpr int EditableBits = 6;  // bits 0..5; bits 6 and 7 are never edited
constexpr int LongAddressBit = 5;
constexpr int LongAddressMask = 1 << LongAddressBit;

struct BitTexts {
    QString zero;        // meaning of a 0
    QString oneToggled;  // meaning of a 1 set by a toggle
    QString oneRead;     // meaning of a 1 that came from the decoder
    QString toolTip;     // tool tip of the meaning label
};

const std::array<BitTexts, EditableBits>& bitTable();

// What a meaning label shows when the window opens ("RailCom aus " has no blank in front).
QString startText(int bit);

// The fixed digits shown for bits 7 and 6.
inline const QString fixedHighDigits = QStringLiteral("0 0");

// CV 29 split for the address panel's display: bits 7..6, bit 5, bits 4..0 as digits.
struct DigitGroups {
    QString high;
    QString bit5;
    QString low;
};
DigitGroups digitGroups(int value);

// Tool tips of the value label in its two looks.
inline const QString asReadToolTip = QStringLiteral(" aktueller, eingelesener Wert ");
inline const QString asChangedToolTip = QStringLiteral(" geänderter / zu schreibender Wert ");

}  // namespace Cv29

// State of the CV 29 bit panel: what its digit, meaning and value labels show and whether
// the write button is enabled. The panel widgets only render it.
class Cv29State {
public:
    // Where the value label's number came from.
    enum class Look { Plain, AsRead, AsChanged };

    // `toggleShowsReadText`: a toggled 1 shows the text "after a read" (the Lenz window).
    explicit Cv29State(bool toggleShowsReadText = false);

    QString digit(int bit) const { return m_digits.at(bit); }
    QString text(int bit) const { return m_texts.at(bit); }
    QString valueText() const { return m_value; }
    Look look() const { return m_look; }
    bool writeEnabled() const { return m_writeEnabled; }

    // A read has been sent: digits and value show "?" until its answer.
    void beginRead();
    // The decoder answered `value` (0..255): digits, meanings and value as read.
    void readDone(int value);
    // A read that failed keeps the "?" of beginRead(): no bits are made up.

    // Flips one bit and recomputes the value from bits 0..5. Refused (false, nothing
    // changed) while a digit is unknown, since no value can be formed then.
    bool toggle(int bit);

    // The value label as a CV 29 value, if it holds a number 0..255.
    std::optional<int> value() const;

private:
    std::array<QString, Cv29::EditableBits> m_digits;
    std::array<QString, Cv29::EditableBits> m_texts;
    QString m_value;
    Look m_look = Look::Plain;
    bool m_writeEnabled = false;
    bool m_toggleShowsReadText;
};
