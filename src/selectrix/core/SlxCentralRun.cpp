#include "selectrix/core/SlxCentralRun.h"

#include "base/core/Failure.h"
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
    } catch (const Failure&) {
        // The port failed: the caller reports it; the window is left usable.
        endQuietly();
        throw;
    }
}

void SlxCentralRun::step(const QString& status) {
    m_host.setStatus(status);
}

void SlxCentralRun::pause() {
    m_access.pause(m_delayMs);
}

void SlxCentralRun::write(int channel, int value) {
    m_access.write(channel, value);
}

void SlxCentralRun::writeStep(int channel, int value, const QString& statusText) {
    write(channel, value);
    step(statusText);
    pause();
}

std::optional<quint8> SlxCentralRun::usedAnswer(bool awaitOnly, int channel) {
    const SelectrixChannelAccess::Answer answer =
        awaitOnly ? m_access.awaitAnswer(answerDeadlineMs) : m_access.read(channel, answerDeadlineMs);
    if (answer.ok())
        return answer.value;
    if (answer.outcome == SelectrixChannelAccess::Answer::Outcome::Stopped) {
        m_stopped = true;
        endQuietly();
    } else {
        endWith(Text::noAnswer, SlxRunText::title, true);
    }
    return std::nullopt;
}

std::optional<quint8> SlxCentralRun::readAfterPause(int channel, const QString& statusText) {
    m_access.emptyInput();
    m_access.sendRead(channel);
    if (!statusText.isNull())
        step(statusText);
    pause();
    return awaitSent();
}

bool SlxCentralRun::switchProgrammingOn(bool askUser) {
    writeStep(control, controlProgrammingOn, SlxRunText::programmingOn);
    m_access.emptyInput();
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
