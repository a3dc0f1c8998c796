#include "selectrix/core/SlxCentralRun.h"

#include "link/core/SelectrixChannelAccess.h"
#include "selectrix/core/SelectrixChannels.h"
#include "selectrix/core/SelectrixHost.h"
#include "selectrix/core/SlxRunTexts.h"

namespace {
namespace Text {
const QString noAnswer = QStringLiteral("Die Zentrale antwortet nicht !          ");
const QString cc2000 = QStringLiteral("CC2000 im Programmiermodus ?           ");
const QString notReady = QStringLiteral("Die Programmierfunktion ist nicht bereit   !       ");
const QString ready = QStringLiteral(" Programmierfunktion bereit ...");
}  // namespace Text
}  // namespace

using namespace SlxChannel;

SlxCentralRun::SlxCentralRun(SelectrixChannelAccess& access, SelectrixHost& host, qint64 delayMs)
    : m_access(access), m_host(host), m_delayMs(delayMs) {}

SlxCentralRun::Outcome SlxCentralRun::guarded(const std::function<Outcome()>& steps) {
    try {
        return steps();
    } catch (const PortFailed&) {
        // The link has reported it; the window is left usable.
        m_stopped = true;
        return endQuietly();
    }
}

void SlxCentralRun::step(const QString& status) {
    m_host.setStatus(status);
}

void SlxCentralRun::pause() {
    m_access.pause(m_delayMs);
}

void SlxCentralRun::write(int channel, int value) {
    if (!m_access.write(channel, value) && m_access.failed())
        throw PortFailed{};
}

void SlxCentralRun::writeStep(int channel, int value, const QString& statusText) {
    write(channel, value);
    step(statusText);
    pause();
}

std::optional<quint8> SlxCentralRun::usedAnswer(const SelectrixChannelAccess::Answer& answer) {
    using Read = SelectrixChannelAccess::Answer::Outcome;
    switch (answer.outcome) {
    case Read::Value:
        return answer.value;
    case Read::Failed:
        throw PortFailed{};
    case Read::Stopped:
        m_stopped = true;
        endQuietly();
        break;
    case Read::TimedOut:
        m_silent = true;
        endWith(Text::noAnswer, SlxRunText::title, true);
        break;
    }
    return std::nullopt;
}

std::optional<quint8> SlxCentralRun::readChannel(int channel) {
    return usedAnswer(m_access.read(channel));
}

std::optional<quint8> SlxCentralRun::readAfterPause(int channel, const QString& statusText) {
    return usedAnswer(m_access.read(channel, m_delayMs, [&] {
        if (!statusText.isNull())
            step(statusText);
    }));
}

bool SlxCentralRun::switchProgrammingOn(bool askUser) {
    writeStep(control, controlProgrammingOn, SlxRunText::programmingOn);
    const std::optional<quint8> readiness = readChannel(status);
    if (!readiness)
        return false;
    if (askUser) {
        // That central does not report its readiness: the user says.
        if (m_host.message(Text::cc2000, Notifier::Icon::Question, Notifier::YesNo, SlxRunText::titleSpaced) !=
            Notifier::Yes) {
            endQuietly();
            return false;
        }
    } else if ((*readiness & statusReady) != statusReady) {
        endWith(Text::notReady, SlxRunText::titleSpaced, true);
        return false;
    } else {
        step(Text::ready);
    }
    pause();
    return true;
}

SlxCentralRun::Outcome SlxCentralRun::endWith(const QString& text, const QString& title, bool clearStatus) {
    m_host.message(text, Notifier::Icon::Critical, Notifier::OkOnly, title);
    if (clearStatus)
        step(QString());
    return endQuietly();
}

SlxCentralRun::Outcome SlxCentralRun::endQuietly() {
    m_host.setBusyPointer(false);
    restoreFields();
    return ended();
}

SlxCentralRun::Outcome SlxCentralRun::ended() const {
    return m_stopped ? Outcome::Stopped : Outcome::Ended;
}

SlxCentralRun::Outcome SlxCentralRun::refuse(const QString& name, int min, int max, const QString& title) {
    m_host.message(SlxRunText::badValue(name, min, max), Notifier::Icon::Critical, Notifier::OkOnly,
                   title);
    return Outcome::Refused;
}
