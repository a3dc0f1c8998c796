#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

class SelectrixHost;
class StationLink;

// What an Intellibox run takes from the window: the five combo texts and the names that its
// time-out message and titles are made of.
struct SlxIbInput {
    QString adr, ge, be, im, ha;
    QString cuName;       // "IB"
    QString decoderType;  // as the Intellibox window left it
};

// Reading (index 0) or writing (index 1) the five SX1 parameters of a locomotive decoder
// through an Intellibox: "XPTSR" or "XPTSW a,v,acc,pwm,stops", its answer awaited for at
// most `answerDeadlineMs`, then "XPT0". A write sends only values of the window's lists.
class SlxIbRun {
public:
    static constexpr qint64 answerDeadlineMs = 10000;

    enum class Outcome {
        Done,
        Refused,    // a value to write is not on its list, a read answer holds no values, or the
                // station answered a write with an error text: told
        TimedOut,   // told; no "XPT0"
        Stopped,    // the window closed, or the port failed (reported by the link)
    };

    // Works inside the exchange the window holds; its cancel ends the wait.
    SlxIbRun(StationLink& link, SelectrixHost& host, const SlxIbInput& input);

    // Any other index does nothing.
    Outcome SLXIB(int index);

    // The five values of a read answer: after its first "=", four values each ended by a
    // comma (blanks around them allowed), then the fifth, blanks skipped, as far as it is
    // digits. Each a whole number 0..255; nothing when the answer is not of this form.
    static std::optional<std::array<int, 5>> readAnswerValues(const QString& answer);

private:
    Outcome read();
    Outcome write();
    void setFieldsWhite(bool white);

    // The station's answer to `command`, or the end of the run when it did not come.
    std::optional<QString> ask(const QString& command, const QString& title, bool readFields);

    StationLink& m_link;
    SelectrixHost& m_host;
    SlxIbInput m_input;
};
