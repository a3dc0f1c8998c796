#include "programming/core/Cv29.h"

#include "base/core/TextNumbers.h"

namespace Cv29 {

const std::array<BitTexts, EditableBits>& bitTable() {
    static const std::array<BitTexts, EditableBits> table{{
        {QStringLiteral(" Fahrtrichtung normal "), QStringLiteral(" Fahrtrichtung invertieren "),
         QStringLiteral(" Fahrtrichtung invers "), QStringLiteral(" Behandlung des Fahrtrichtungsbefehls ")},
        {QStringLiteral(" 14 / 27 Step-Modus "), QStringLiteral(" 28 / 128 Step-Modus "),
         QStringLiteral(" 28 / 128 Step-Modus "), QStringLiteral(" Anzahl Fahrstufen ")},
        {QStringLiteral(" kein Analogbetrieb "), QStringLiteral(" Analogbetrieb erlaubt "),
         QStringLiteral(" Analogbetrieb erlaubt "), QStringLiteral(" Analogbetrieb erlauben / verbieten ")},
        {QStringLiteral(" RailCom aus "), QStringLiteral(" RailCom ein  "), QStringLiteral(" RailCom ein "),
         QStringLiteral(" RailCom erlauben / verbieten ")},
        {QStringLiteral(" Kennlinie aus CV 2, 5 && 6 "), QStringLiteral(" Kennlinie aus Tabelle CV 67 - 94 "),
         QStringLiteral(" Kennlinie aus Tabelle CV 67 - 94 "), QStringLiteral(" Geschwindigkeitskennlinie wählen ")},
        {QStringLiteral(" Basisadresse CV 1 "), QStringLiteral(" lange Adresse aus CV 17 && 18 "),
         QStringLiteral(" lange Adresse aus CV 17 && 18 "), QStringLiteral(" Lokadresse wählen ")},
    }};
    return table;
}

QString startText(int bit) {
    if (bit == 3)
        return QStringLiteral("RailCom aus ");
    return bitTable().at(bit).zero;
}

DigitGroups digitGroups(int value) {
    const QString bits = DecToBin(value);
    // Above 255 DecToBin puts "*" in front; the groups are taken from the eight digits.
    const QString digits = bits.right(8);
    return {digits.left(2), digits.mid(2, 1), digits.right(5)};
}

}  // namespace Cv29

Cv29State::Cv29State(bool toggleShowsReadText) : m_toggleShowsReadText(toggleShowsReadText) {
    for (int bit = 0; bit < Cv29::EditableBits; ++bit) {
        m_digits[bit] = QStringLiteral("0");
        m_texts[bit] = Cv29::startText(bit);
    }
}

void Cv29State::beginRead() {
    for (QString& d : m_digits)
        d = QStringLiteral("?");
    m_value = QStringLiteral("?");
}

void Cv29State::readDone(int value) {
    for (int bit = 0; bit < Cv29::EditableBits; ++bit) {
        const bool set = (value >> bit) & 1;
        m_digits[bit] = set ? QStringLiteral("1") : QStringLiteral("0");
        const Cv29::BitTexts& t = Cv29::bitTable().at(bit);
        m_texts[bit] = set ? t.oneRead : t.zero;
    }
    m_value = QString::number(value);
    m_look = Look::AsRead;
}

bool Cv29State::toggle(int bit) {
    if (bit < 0 || bit >= Cv29::EditableBits)
        return false;
    for (const QString& d : m_digits) {
        if (d != QLatin1String("0") && d != QLatin1String("1"))
            return false;
    }
    const Cv29::BitTexts& t = Cv29::bitTable().at(bit);
    if (m_digits[bit] == QLatin1String("1")) {
        m_digits[bit] = QStringLiteral("0");
        m_texts[bit] = t.zero;
    } else {
        m_digits[bit] = QStringLiteral("1");
        m_texts[bit] = m_toggleShowsReadText ? t.oneRead : t.oneToggled;
    }
    int value = 0;
    for (int k = 0; k < Cv29::EditableBits; ++k) {
        if (m_digits[k] == QLatin1String("1"))
            value |= 1 << k;
    }
    m_value = QString::number(value);
    m_look = Look::AsChanged;
    m_writeEnabled = true;
    return true;
}

std::optional<int> Cv29State::value() const {
    bool ok = false;
    const int v = m_value.toInt(&ok);
    if (!ok || v < 0 || v > 255)
        return std::nullopt;
    return v;
}
