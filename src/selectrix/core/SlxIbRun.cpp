#include "selectrix/core/SlxIbRun.h"

#include "link/core/P50xAnswer.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"
#include "selectrix/core/SelectrixHost.h"
#include "selectrix/core/SlxRunTexts.h"
#include "selectrix/core/Sx1Codec.h"

namespace {
namespace Text {
const QString aborted = QStringLiteral(" Programmierung abgebrochen...");
const QString written = QStringLiteral(" Programmiervorgang: ");
const QString readDone = QStringLiteral(" Lesevorgang beendet...");
const QString noValues = QStringLiteral("Die Antwort der %1 enthält keine Decoderwerte:   %2");
}  // namespace Text

QString timeoutText(const QString& cuName) {
    return QStringLiteral("Die ") + cuName + QStringLiteral(" antwortet nicht !          ");
}

// The titles as the Selectrix window builds them from the decoder type.
QString readTitle(const QString& decoderType) {
    return QStringLiteral(" ") + decoderType + QStringLiteral(" Decoder lesen...");
}
QString writeTitle(const QString& decoderType) {
    return QStringLiteral(" ") + decoderType + QStringLiteral(" Decoder schreiben...");
}

// The answer less its carriage return and "]"; a shorter answer whole.
QString shown(const QString& answer) {
    return answer.size() < 2 ? answer : answer.chopped(2);
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

std::optional<int> byteValue(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 3)
        return std::nullopt;
    for (QChar c : digits)
        if (!isDigit(c))
            return std::nullopt;
    const int value = digits.toInt();
    return value <= 255 ? std::optional<int>(value) : std::nullopt;
}

const std::array<SxField, 5> parameterFields{SxField::ADR, SxField::GE, SxField::BE, SxField::IM, SxField::HA};

}  // namespace

SlxIbRun::SlxIbRun(StationLink& link, SelectrixHost& host, const SlxIbInput& input)
    : m_link(link), m_host(host), m_input(input) {}

std::optional<std::array<int, 5>> SlxIbRun::readAnswerValues(const QString& answer) {
    qsizetype p = answer.indexOf(u'=');
    if (p < 0)
        return std::nullopt;
    ++p;
    std::array<int, 5> values{};
    for (size_t i = 0; i < 4; ++i) {
        const qsizetype q = answer.indexOf(u',', p);
        if (q < 0)
            return std::nullopt;
        const std::optional<int> v = byteValue(QStringView(answer).mid(p, q - p).trimmed());
        if (!v)
            return std::nullopt;
        values.at(i) = *v;
        p = q + 1;
    }
    while (p < answer.size() && answer.at(p) == u' ')
        ++p;
    qsizetype end = p;
    while (end < answer.size() && isDigit(answer.at(end)))
        ++end;
    const std::optional<int> last = byteValue(QStringView(answer).mid(p, end - p));
    if (!last)
        return std::nullopt;
    values[4] = *last;
    return values;
}

SlxIbRun::Outcome SlxIbRun::SLXIB(int index) {
    if (index == 0)
        return read();
    if (index == 1)
        return write();
    return Outcome::Done;
}

void SlxIbRun::setFieldsWhite(bool white) {
    for (SxField f : parameterFields)
        m_host.setFieldWhite(f, white);
}

std::optional<QString> SlxIbRun::ask(const QString& command, const QString& title, bool readFields) {
    const StationLink::Reply reply = m_link.askP50X(command, 0, answerDeadlineMs);
    if (reply.answered()) {
        m_link.tellP50X(P50x::XPT0());
        return reply.text();
    }
    if (reply.outcome == StationLink::Outcome::TimedOut) {
        m_host.setStatus(Text::aborted);
        m_host.message(timeoutText(m_input.cuName), Notifier::Icon::Critical, Notifier::OkOnly, title);
    }
    // Closed, or the port failed (reported by the link): the window is left usable.
    m_host.setBusyPointer(false);
    if (readFields)
        setFieldsWhite(false);
    return std::nullopt;
}

SlxIbRun::Outcome SlxIbRun::read() {
    setFieldsWhite(true);
    m_host.setBusyPointer(true);
    const std::optional<QString> answer = ask(P50x::XPTSR(), readTitle(m_input.decoderType), true);
    if (!answer)
        return m_link.cancelled() || m_link.failed() ? Outcome::Stopped : Outcome::TimedOut;
    const std::optional<std::array<int, 5>> values = readAnswerValues(*answer);
    if (values) {
        for (size_t i = 0; i < parameterFields.size(); ++i)
            m_host.setFieldText(parameterFields.at(i), QString::number(values->at(i)));
    }
    setFieldsWhite(false);
    m_host.setBusyPointer(false);
    if (!values) {
        // An error text ("SX read err") or an answer of another form: the old values stay.
        m_host.setStatus(Text::aborted);
        m_host.message(Text::noValues.arg(m_input.cuName, shown(*answer)), Notifier::Icon::Critical,
                       Notifier::OkOnly, readTitle(m_input.decoderType));
        return Outcome::Refused;
    }
    const std::array<int, 5>& v = *values;
    m_host.writeProtokoll(QStringLiteral("L"), QString::number(v[0]), QString::number(v[1]), QString::number(v[2]),
                          QString::number(v[3]), QString::number(v[4]));
    m_host.setStatus(Text::readDone);
    return Outcome::Done;
}

SlxIbRun::Outcome SlxIbRun::write() {
    // Only numbers of the window's lists go into the command.
    const Sx1::Checked checked = Sx1::checkParameters(m_input.adr, m_input.ge, m_input.be, m_input.im, m_input.ha);
    if (!checked.parameters) {
        m_host.message(SlxRunText::badValue(checked.bad.name, checked.bad.min, checked.bad.max),
                       Notifier::Icon::Critical, Notifier::OkOnly, SlxRunText::titleWrite);
        return Outcome::Refused;
    }
    const Sx1Parameters& p = *checked.parameters;
    m_host.setBusyPointer(true);
    const std::optional<QString> answer =
        ask(P50x::XPTSW(p.adr, p.ge, p.be, p.im, p.ha), writeTitle(m_input.decoderType), false);
    if (!answer)
        return m_link.cancelled() || m_link.failed() ? Outcome::Stopped : Outcome::TimedOut;
    // A station error text ("No ack", "Error", ...) is no write: the answer shows, nothing is logged.
    if (!P50xAnswer::writeSucceeded(*answer)) {
        m_host.setStatus(Text::written + shown(*answer));
        m_host.beep();
        m_host.setBusyPointer(false);
        return Outcome::Refused;
    }
    m_host.writeProtokoll(QStringLiteral("S"), QString::number(p.adr), QString::number(p.ge), QString::number(p.be),
                          QString::number(p.im), QString::number(p.ha));
    m_host.setStatus(Text::written + shown(*answer));
    m_host.setBusyPointer(false);
    return Outcome::Done;
}
