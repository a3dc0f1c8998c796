#include "MotorolaProgramming.h"

#include "AppContext.h"
#include "Clock.h"
#include "ErrorReport.h"
#include "Failure.h"
#include "Notifier.h"
#include "SerialPort.h"
#include "StationLink.h"
#include "ZentraleHost.h"

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
// How long the CTS wait sleeps between two looks at the line.
constexpr qint64 CtsPollMs = 10;

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

MotorolaProgramming::MotorolaProgramming(ZentraleHost& host) : m_host(host) {}

MotorolaProgramming::Result MotorolaProgramming::write(const QString& registerText, const QString& valueText,
                                                       int mcVariant) {
    const QString& cu = m_host.context().CuName;
    if (cu == QLatin1String("6021"))
        return subZelvo_6021(registerText, valueText);
    if (cu == QLatin1String("MC"))
        return subZelvo_MC(registerText, valueText, mcVariant);
    if (cu == QLatin1String("IB"))
        return subZelvo_IB(registerText, valueText);
    return {};
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
    AppContext& ctx = m_host.context();
    const auto reg = byteValue(registerText);
    const auto val = byteValue(valueText);
    if (!reg || !val) {
        // Checked before anything goes out, so power and programming mode are never left
        // half-switched by a typing error.
        m_host.setBusyPointer(false);
        ctx.ui().message(Text::badInput, Notifier::Icon::Critical, Notifier::OkOnly, Text::title);
        result.outcome = Outcome::BadInput;
        return result;
    }
    result.reg = *reg;
    result.val = *val;

    StationLink::Exchange exchange(m_host.link());
    if (!exchange) {
        result.outcome = Outcome::Busy;
        return result;
    }
    m_host.setBusyPointer(true);
    try {
        switch (station) {
        case Station::Cu6021:
            result.outcome = sequence6021(*reg, *val);
            break;
        case Station::Intellibox:
            result.outcome = sequenceIB(*reg, *val);
            break;
        case Station::MasterControl:
            result.outcome = sequenceMC(*reg, *val, mcVariant);
            break;
        }
    } catch (const Failure& failure) {
        m_host.setBusyPointer(false);
        ZentraleFehlerbehandlung(ctx, failure);
        result.outcome = Outcome::PortError;
        return result;
    }
    m_host.setBusyPointer(false);
    return result;
}

MotorolaProgramming::Outcome MotorolaProgramming::sequence6021(int reg, int val) {
    status(Text::init6021);
    pause(1000);
    status(Text::powerOff);
    byte(PowerOff);
    pause(2500);
    status(Text::setAddress80);
    separately(Speed0, ProgrammingAddress);
    pause(1000);
    status(Text::switchCommand);
    together(DirectionChange, ProgrammingAddress);
    pause(1000);
    status(Text::powerOn);
    byte(PowerOn);
    pause(2500);
    yieldOnce();
    registerSteps(reg, val);
    return finish(reg, val, 2500);
}

MotorolaProgramming::Outcome MotorolaProgramming::sequenceIB(int reg, int val) {
    StationLink& link = m_host.link();
    status(Text::initIB);
    pause(1000);
    status(Text::reset);
    link.sendP50X(QStringLiteral("X@@"));
    pause(1000);
    status(Text::waitCts);
    if (!waitForCts())
        return noAnswer(Text::ibSilent);
    pause(1000);
    status(Text::ptOn);
    link.sendP50X(QStringLiteral("XPT1"));
    pause(1000);
    status(Text::sendAddress80);
    together(Speed0, ProgrammingAddress);
    pause(1000);
    status(Text::switchCommand);
    together(DirectionChange, ProgrammingAddress);
    pause(1000);
    status(Text::ptOff);
    link.sendP50X(QStringLiteral("XPT0"));
    pause(1000);
    yieldOnce();
    registerSteps(reg, val);
    return finish(reg, val, 1500);
}

MotorolaProgramming::Outcome MotorolaProgramming::sequenceMC(int reg, int val, int mcVariant) {
    StationLink& link = m_host.link();
    status(Text::mcPowerOff);
    byte(PowerOff);
    pause(3000);
    status(Text::mcPowerOn);
    byte(PowerOn);
    pause(3000);
    status(Text::mcFirst);
    link.sendP50X(QStringLiteral("XTPM 80"));
    pause(5000);
    status(Text::mcSecond);
    link.emptyInput();
    link.sendP50X(QStringLiteral("XTPM 80"));
    pause(5000);
    status(Text::mcWait);
    const StationLink::Answer answer = link.waitForAnswer(McAnswerDeadlineMs);
    if (answer.aborted)
        return Outcome::Aborted;
    if (!answer.complete)
        return noAnswer(Text::mcSilent);
    if (answer.text.toLower().contains(QLatin1String("unknown command"))) {
        m_host.setBusyPointer(false);
        m_host.context().ui().message(Text::mcRelease, Notifier::Icon::Critical, Notifier::OkOnly,
                                      Text::mcReleaseTitle);
        return Outcome::Unsupported;
    }
    pause(5000);
    status(Text::setRegister);
    separately(Speed0, ProgrammingAddress);
    pause(2000);
    if (mcVariant == 0) {
        separately(DirectionChange, ProgrammingAddress);
        pause(1500);
    }
    yieldOnce();
    status(Text::confirmRegister);
    separately(DirectionChange, reg);
    pause(2500);
    yieldOnce();
    status(Text::writeRegister);
    separately(Speed0, reg);
    pause(2000);
    status(Text::confirmEntry);
    separately(DirectionChange, val);
    pause(5000);
    yieldOnce();
    return finish(reg, val, 2500);
}

// Steps shared by the 6021 and the Intellibox. The "write" step sends the register number
// again; only the last step carries the value.
void MotorolaProgramming::registerSteps(int reg, int val) {
    status(Text::setRegister);
    separately(Speed0, reg);
    pause(2000);
    status(Text::setRegister);
    separately(Speed0, ProgrammingAddress);
    pause(1200);
    yieldOnce();
    status(Text::confirmRegister);
    separately(DirectionChange, reg);
    pause(1500);
    yieldOnce();
    status(Text::writeRegister);
    separately(Speed0, reg);
    pause(1000);
    status(Text::confirmEntry);
    separately(DirectionChange, val);
    pause(4500);
    yieldOnce();
}

MotorolaProgramming::Outcome MotorolaProgramming::finish(int reg, int val, qint64 powerOffPauseMs) {
    m_host.writeProtokoll(QStringLiteral("S"), QString::number(reg), QString::number(val));
    status(Text::powerOff);
    byte(PowerOff);
    pause(powerOffPauseMs);
    status(Text::powerOn);
    byte(PowerOn);
    pause(1000);
    status(Text::finished);
    m_host.context().ui().beep();
    return Outcome::Done;
}

MotorolaProgramming::Outcome MotorolaProgramming::noAnswer(const QString& text) {
    status(Text::aborted);
    m_host.setBusyPointer(false);
    m_host.context().ui().message(text, Notifier::Icon::Critical, Notifier::OkOnly, Text::title);
    return Outcome::NoAnswer;
}

// After the reset the Intellibox raises CTS when it is ready again. Where the port cannot
// tell the line's state (a pseudo-terminal, some USB adapters) the station gets the whole
// deadline to come up and the sequence goes on: refusing would make Motorola programming
// impossible on such ports, and the full deadline is the longest the station ever needs.
bool MotorolaProgramming::waitForCts() {
    StationLink& link = m_host.link();
    Clock& clock = link.clock();
    SerialPort& port = link.port();
    const qint64 start = clock.ticks();
    bool stateKnown = false;
    for (;;) {
        const std::optional<bool> cts = port.cts();
        if (cts.has_value()) {
            stateKnown = true;
            if (*cts)
                return true;
        }
        clock.yield();
        if (clock.ticks() > start + CtsDeadlineMs)
            return !stateKnown;
        clock.pause(CtsPollMs);
    }
}

void MotorolaProgramming::status(const QString& text) {
    m_host.setStatus(text);
}

void MotorolaProgramming::byte(int b) {
    m_host.link().port().write(QByteArray(1, static_cast<char>(b)));
}

void MotorolaProgramming::separately(int first, int second) {
    byte(first);
    pause(BytePauseMs);
    byte(second);
}

void MotorolaProgramming::together(int first, int second) {
    QByteArray pair;
    pair += static_cast<char>(first);
    pair += static_cast<char>(second);
    m_host.link().port().write(pair);
}

void MotorolaProgramming::pause(qint64 ms) {
    m_host.link().Warten(ms);
}

void MotorolaProgramming::yieldOnce() {
    m_host.link().clock().yield();
}
