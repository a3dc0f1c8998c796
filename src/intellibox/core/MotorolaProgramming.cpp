#include "intellibox/core/MotorolaProgramming.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "link/core/Clock.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"
#include "programming/core/ZentraleHost.h"

#include <QRegularExpression>

namespace {

namespace Text {
const QString title = QStringLiteral(" MM-Decoder programmieren...");
const QString badInput = QStringLiteral("Register und Wert müssen Zahlen von 0 bis 255 sein !          ");
const QString init6021 = QStringLiteral(" initialisiere 6021...");
const QString initIB = QStringLiteral(" initialisiere IntelliBox...");
const QString reset = QStringLiteral(" Reset (Kaltstart)...");
const QString waitCts = QStringLiteral(" warte auf CTS der IntelliBox...");
const QString ptOn = QStringLiteral(" schalte Programmiermodus ein...");
const QString sendAddress80 = QStringLiteral(" sende Adresse 80...");
const QString setAddress80 = QStringLiteral(" stelle Adresse 80 ein...");
const QString switchCommand = QStringLiteral(" sende Umschaltbefehl...");
const QString ptOff = QStringLiteral(" schalte Programmiermodus aus...");
const QString powerOff = QStringLiteral(" Power off...");
const QString powerOn = QStringLiteral(" Power on...");
const QString mcPowerOff = QStringLiteral(" MC Power off...");
const QString mcPowerOn = QStringLiteral(" MC Power on...");
const QString mcFirst = QStringLiteral(" initialisiere MC (1. Versuch) ...");
const QString mcSecond = QStringLiteral(" initialisiere MC (2. Versuch) ...");
const QString mcWait = QStringLiteral(" warte auf OK der MC...");
const QString setRegister = QStringLiteral(" stelle Register ein...");
const QString confirmRegister = QStringLiteral(" bestätige Register...");
const QString writeRegister = QStringLiteral(" schreibe in Register...");
const QString confirmEntry = QStringLiteral(" bestätige Registereintrag...");
const QString finished = QStringLiteral(" Programmierung beendet !");
const QString aborted = QStringLiteral(" Programmierung abgebrochen...");
const QString ibSilent = QStringLiteral("Die IntelliBox antwortet nicht !          ");
const QString mcSilent = QStringLiteral("Die MasterControl antwortet nicht !          ");
const QString mcRelease =
    QStringLiteral("Bitte überprüfen Sie, ob die MC mit Rel. 1.4.3g oder höher ausgestattet ist !     ");
const QString mcReleaseTitle = QStringLiteral(" fx- / mfx-Programmierung nicht möglich...");
}  // namespace Text

// P50 command codes and the programming address.
constexpr int PowerOn = 96;
constexpr int PowerOff = 97;
constexpr int Speed0 = 0;
constexpr int DirectionChange = 15;
constexpr int ProgrammingAddress = 80;
// Between the two bytes of a pair sent one by one.
constexpr qint64 BytePauseMs = 50;

// Register and value go out as single bytes: only 1 to 3 digits, 0..255.
std::optional<int> byteValue(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    const QString t = text.trimmed();
    if (!digits.match(t).hasMatch())
        return std::nullopt;
    const int v = t.toInt();
    return v <= 255 ? std::optional<int>(v) : std::nullopt;
}

}  // namespace

MotorolaProgramming::MotorolaProgramming(AppContext& ctx, ZentraleHost& host, StationLink& link)
    : m_ctx(ctx), m_host(host), m_link(link) {}

std::optional<std::pair<int, int>> MotorolaProgramming::checkedInput(const QString& registerText,
                                                                     const QString& valueText) {
    const auto reg = byteValue(registerText);
    const auto val = byteValue(valueText);
    if (reg && val)
        return std::pair{*reg, *val};
    // Checked before anything goes out, so power and programming mode are never left
    // half-switched by a typing error.
    m_ctx.ui().message(Text::badInput, Notifier::Icon::Critical, Notifier::OkOnly, Text::title);
    return std::nullopt;
}

MotorolaProgramming::Result MotorolaProgramming::write(Station station, const QString& registerText,
                                                       const QString& valueText, int mcVariant) {
    return run(station, registerText, valueText, mcVariant);
}

MotorolaProgramming::Result MotorolaProgramming::subZelvo_6021(const QString& registerText, const QString& valueText) {
    return run(Station::Cu6021, registerText, valueText, 0);
}

MotorolaProgramming::Result MotorolaProgramming::subZelvo_IB(const QString& registerText, const QString& valueText) {
    return run(Station::Intellibox, registerText, valueText, 0);
}

MotorolaProgramming::Result MotorolaProgramming::subZelvo_MC(const QString& registerText, const QString& valueText,
                                                             int mcVariant) {
    return run(Station::MasterControl, registerText, valueText, mcVariant);
}

MotorolaProgramming::Result MotorolaProgramming::run(Station station, const QString& registerText,
                                                     const QString& valueText, int mcVariant) {
    Result result;
    const auto input = checkedInput(registerText, valueText);
    if (!input) {
        result.outcome = Outcome::BadInput;
        return result;
    }
    const auto [reg, val] = *input;
    result.reg = reg;
    result.val = val;

    try {
        switch (station) {
        case Station::Cu6021:
            result.outcome = sequence6021(reg, val);
            break;
        case Station::Intellibox:
            result.outcome = sequenceIB(reg, val);
            break;
        case Station::MasterControl:
            result.outcome = sequenceMC(reg, val, mcVariant);
            break;
        }
    } catch (const Abort&) {
        result.outcome = Outcome::Aborted;
    } catch (const PortFailed&) {
        // The link has reported it; nothing more goes out.
        result.outcome = Outcome::PortError;
    }
    return result;
}

MotorolaProgramming::Outcome MotorolaProgramming::sequence6021(int reg, int val) {
    static const Step prologue[] = {
        {.status = &Text::init6021, .pauseMs = 1000},
        {.status = &Text::powerOff, .send = Send::Byte, .first = PowerOff, .pauseMs = 2500},
        {.status = &Text::setAddress80, .send = Send::Separately, .first = Speed0, .second = ProgrammingAddress, .pauseMs = 1000},
        {.status = &Text::switchCommand, .send = Send::Together, .first = DirectionChange, .second = ProgrammingAddress, .pauseMs = 1000},
        {.status = &Text::powerOn, .send = Send::Byte, .first = PowerOn, .pauseMs = 2500, .yieldAfter = true},
    };
    steps(prologue, reg, val);
    steps(registerSteps, reg, val);
    return finish(reg, val, 2500);
}

MotorolaProgramming::Outcome MotorolaProgramming::sequenceIB(int reg, int val) {
    static const Step reset[] = {
        {.status = &Text::initIB, .pauseMs = 1000},
        {.status = &Text::reset, .send = Send::Text, .command = P50x::XAtAt, .pauseMs = 1000},
    };
    static const Step prepare[] = {
        {.pauseMs = 1000},
        {.status = &Text::ptOn, .send = Send::Text, .command = P50x::XPT1, .pauseMs = 1000},
        {.status = &Text::sendAddress80, .send = Send::Together, .first = Speed0, .second = ProgrammingAddress, .pauseMs = 1000},
        {.status = &Text::switchCommand, .send = Send::Together, .first = DirectionChange, .second = ProgrammingAddress, .pauseMs = 1000},
        {.status = &Text::ptOff, .send = Send::Text, .command = P50x::XPT0, .pauseMs = 1000, .yieldAfter = true},
    };
    steps(reset, reg, val);
    status(Text::waitCts);
    switch (m_link.waitForCts(CtsDeadlineMs)) {
    case StationLink::CtsWait::On: break;
    case StationLink::CtsWait::Off: return noAnswer(Text::ibSilent);
    case StationLink::CtsWait::Aborted: return Outcome::Aborted;
    case StationLink::CtsWait::Failed: return Outcome::PortError;  // reported by the link
    }
    steps(prepare, reg, val);
    steps(registerSteps, reg, val);
    return finish(reg, val, 1500);
}

MotorolaProgramming::Outcome MotorolaProgramming::sequenceMC(int reg, int val, int mcVariant) {
    static const Step prologue[] = {
        {.status = &Text::mcPowerOff, .send = Send::Byte, .first = PowerOff, .pauseMs = 3000},
        {.status = &Text::mcPowerOn, .send = Send::Byte, .first = PowerOn, .pauseMs = 3000},
        {.status = &Text::mcFirst, .send = Send::Text, .command = P50x::XTPM80, .pauseMs = 5000},
    };
    // The second try is asked: its answer tells whether the MasterControl knows the command.
    constexpr qint64 secondTry = 5000;
    // Programmiervariante 1 confirms the programming address once more before the register.
    static const Step address80[] = {
        {.pauseMs = 5000},
        {.status = &Text::setRegister, .send = Send::Separately, .first = Speed0, .second = ProgrammingAddress, .pauseMs = 2000},
    };
    static const Step confirmAddress80[] = {
        {.send = Send::Separately, .first = DirectionChange, .second = ProgrammingAddress, .pauseMs = 1500},
    };
    static const Step registerAndValue[] = {
        {.pauseMs = 0, .yieldAfter = true},
        {.status = &Text::confirmRegister, .send = Send::Separately, .first = DirectionChange, .second = Register, .pauseMs = 2500, .yieldAfter = true},
        {.status = &Text::writeRegister, .send = Send::Separately, .first = Speed0, .second = Register, .pauseMs = 2000},
        {.status = &Text::confirmEntry, .send = Send::Separately, .first = DirectionChange, .second = Value, .pauseMs = 5000, .yieldAfter = true},
    };
    steps(prologue, reg, val);
    status(Text::mcSecond);
    const StationLink::Reply answer =
        m_link.askP50X(P50x::XTPM80(), secondTry, McAnswerDeadlineMs, [this] { status(Text::mcWait); });
    if (answer.outcome == StationLink::Outcome::Failed)
        return Outcome::PortError;  // reported by the link; the station is not to blame
    if (answer.outcome == StationLink::Outcome::Stopped)
        return Outcome::Aborted;
    if (!answer.answered())
        return noAnswer(Text::mcSilent);
    if (answer.text().toLower().contains(QLatin1String("unknown command"))) {
        m_ctx.ui().message(Text::mcRelease, Notifier::Icon::Critical, Notifier::OkOnly,
                                      Text::mcReleaseTitle);
        return Outcome::Unsupported;
    }
    steps(address80, reg, val);
    if (mcVariant == 0)
        steps(confirmAddress80, reg, val);
    steps(registerAndValue, reg, val);
    return finish(reg, val, 2500);
}

// Steps shared by the 6021 and the Intellibox. The "write" step sends the register number
// again; only the last step carries the value.
const MotorolaProgramming::Step MotorolaProgramming::registerSteps[] = {
    {.status = &Text::setRegister, .send = Send::Separately, .first = Speed0, .second = Register, .pauseMs = 2000},
    {.status = &Text::setRegister, .send = Send::Separately, .first = Speed0, .second = ProgrammingAddress, .pauseMs = 1200, .yieldAfter = true},
    {.status = &Text::confirmRegister, .send = Send::Separately, .first = DirectionChange, .second = Register, .pauseMs = 1500, .yieldAfter = true},
    {.status = &Text::writeRegister, .send = Send::Separately, .first = Speed0, .second = Register, .pauseMs = 1000},
    {.status = &Text::confirmEntry, .send = Send::Separately, .first = DirectionChange, .second = Value, .pauseMs = 4500, .yieldAfter = true},
};

void MotorolaProgramming::steps(std::span<const Step> table, int reg, int val) {
    for (const Step& step : table) {
        if (step.status)
            status(*step.status);
        const int second = step.second == Register ? reg : step.second == Value ? val : step.second;
        switch (step.send) {
        case Send::Nothing:
            break;
        case Send::Byte:
            byte(step.first);
            break;
        case Send::Separately:
            byte(step.first);
            pause(BytePauseMs);
            byte(second);
            break;
        case Send::Together: {
            QByteArray pair;
            pair += static_cast<char>(step.first);
            pair += static_cast<char>(second);
            sent(m_link.write(pair));
            break;
        }
        case Send::Text:
            sent(m_link.tellP50X(step.command()));
            break;
        }
        pause(step.pauseMs);
        if (step.yieldAfter) {
            // The window may close while its events run: then nothing more goes out.
            m_link.clock().yield();
            if (m_link.cancelled())
                throw Abort{};
        }
    }
}

MotorolaProgramming::Outcome MotorolaProgramming::finish(int reg, int val, qint64 powerOffPauseMs) {
    m_host.writeProtokoll(QStringLiteral("S"), QString::number(reg), QString::number(val));
    const Step end[] = {
        {.status = &Text::powerOff, .send = Send::Byte, .first = PowerOff, .pauseMs = powerOffPauseMs},
        {.status = &Text::powerOn, .send = Send::Byte, .first = PowerOn, .pauseMs = 1000},
    };
    steps(end, reg, val);
    status(Text::finished);
    m_ctx.ui().beep();
    return Outcome::Done;
}

MotorolaProgramming::Outcome MotorolaProgramming::noAnswer(const QString& text) {
    status(Text::aborted);
    m_ctx.ui().message(text, Notifier::Icon::Critical, Notifier::OkOnly, Text::title);
    return Outcome::NoAnswer;
}

void MotorolaProgramming::status(const QString& text) {
    m_host.setStatus(text);
}

void MotorolaProgramming::byte(int b) {
    sent(m_link.write(QByteArray(1, static_cast<char>(b))));
}

void MotorolaProgramming::sent(StationLink::Outcome outcome) {
    if (outcome == StationLink::Outcome::Failed)
        throw PortFailed{};
}

void MotorolaProgramming::pause(qint64 ms) {
    m_link.Warten(ms);
}
