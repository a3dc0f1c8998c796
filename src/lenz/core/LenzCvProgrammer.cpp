#include "lenz/core/LenzCvProgrammer.h"

#include "app/core/Notifier.h"
#include "base/core/TextNumbers.h"
#include "lenz/core/LenzTexts.h"
#include "programming/core/ProgrammingTexts.h"

using Kind = ServiceModeOutcome::Kind;

LenzCvProgrammer::LenzCvProgrammer(LenzServiceMode& serviceMode, XpressNet::ProgrammingMode mode, ServiceModePauses pauses)
    : m_serviceMode(serviceMode), m_mode(mode), m_pauses(pauses) {}

LenzCvProgrammer::LenzCvProgrammer(StationLink& link, bool usbHeader, XpressNet::ProgrammingMode mode, WindowView view,
                                   ServiceModePauses pauses)
    : m_ownServiceMode(std::in_place, link, usbHeader), m_serviceMode(*m_ownServiceMode), m_mode(mode),
      m_pauses(pauses), m_view(std::move(view)) {
    if (!m_view->status)
        m_view->status = [](const QString&) {};
    if (!m_view->protocol)
        m_view->protocol = [](const QString&, const QString&, const QString&) {};
    m_serviceMode.setStatusView(m_view->status);
}

QString LenzCvProgrammer::shownNumber(int value) {
    return zeroPadded(value, 2);
}

CvResult LenzCvProgrammer::readCv(int cv) {
    if (m_view) {
        if (refused(cv, std::nullopt, LenzTexts::readTitle))
            return result(m_last);
        if (m_view->fields)
            m_view->fields(QStringLiteral("?"), QStringLiteral("?"));
    }
    const ServiceModeOutcome outcome = m_serviceMode.read(m_mode, cv, m_pauses);
    if (m_view)
        showRead(outcome);
    return result(outcome);
}

CvResult LenzCvProgrammer::writeCv(int cv, int value) {
    if (m_view && refused(cv, value, LenzTexts::writeTitle))
        return result(m_last);
    if (m_view && m_view->fields)
        m_view->fields(QString::number(cv), QString::number(value));
    const ServiceModeOutcome outcome = m_serviceMode.write(m_mode, cv, value, m_pauses);
    if (m_view)
        showWrite(outcome, cv, value);
    return result(outcome);
}

bool LenzCvProgrammer::refused(int number, std::optional<int> value, const QString& title) {
    QString text;
    if (!XpressNet::numberValid(m_mode, number))
        text = m_mode == XpressNet::ProgrammingMode::Register ? LenzTexts::badRegister : LenzTexts::badCv;
    else if (value && !XpressNet::valueValid(*value))
        text = LenzTexts::badValue;
    else
        return false;
    m_last = ServiceModeOutcome{};
    m_last.kind = Kind::Refused;
    if (m_view->ui)
        m_view->ui->message(text, Notifier::Icon::Critical, Notifier::OkOnly, title);
    return true;
}

void LenzCvProgrammer::showRead(const ServiceModeOutcome& outcome) {
    const WindowView& v = *m_view;
    switch (outcome.kind) {
    case Kind::Value: {
        const QString cv = shownNumber(outcome.number);
        const QString value = shownNumber(outcome.value);
        // The fields show the value before a warning about its form.
        if (v.fields)
            v.fields(cv, value);
        if (outcome.warning != ServiceModeOutcome::ModeWarning::None && v.ui) {
            v.ui->beep();
            v.ui->message(outcome.warning == ServiceModeOutcome::ModeWarning::NotDirect ? LenzTexts::notDirectWarning
                                                                                       : LenzTexts::directWarning,
                          Notifier::Icon::Warning, Notifier::OkOnly, LenzTexts::readTitle);
        }
        v.protocol(QStringLiteral("L"), cv, value);
        v.status(LenzTexts::readDone);
        return;
    }
    case Kind::Status:
        // The station's word; the fields keep "?" and nothing is logged.
        v.status(outcome.statusText);
        return;
    case Kind::NoAnswer:
        if (outcome.stillArriving)
            return tellNoAnswer();
        // No answer is no error of the station: the read is logged with its "?".
        v.protocol(QStringLiteral("L"), QStringLiteral("?"), QStringLiteral("?"));
        v.status(LenzTexts::readDone);
        return;
    default:
        return;  // another answer shows nothing; a cancel or a failed port ends quietly
    }
}

void LenzCvProgrammer::showWrite(const ServiceModeOutcome& outcome, int number, int value) {
    const WindowView& v = *m_view;
    switch (outcome.kind) {
    case Kind::Value:
        v.protocol(QStringLiteral("S"), QString::number(number), QString::number(value));
        v.status(LenzTexts::writeDone);
        return;
    case Kind::Status:
        v.status(outcome.statusText);
        return;
    case Kind::OtherAnswer:
        v.status(ProgrammingTexts::writeError(XpressNet::LenzAntwortText(outcome.frame)));
        return;
    case Kind::NoAnswer:
        // Not confirmed, not logged: the decoder may not hold the value.
        return tellNoAnswer();
    default:
        return;
    }
}

void LenzCvProgrammer::tellNoAnswer() const {
    if (m_view->ui)
        m_view->ui->message(LenzServiceMode::noAnswer, Notifier::Icon::Critical, Notifier::OkOnly,
                            LenzServiceMode::noAnswerTitle);
}

CvResult LenzCvProgrammer::result(const ServiceModeOutcome& outcome) {
    m_last = outcome;
    CvResult r;
    switch (outcome.kind) {
    case Kind::Value:
        r.outcome = CvResult::Outcome::Ok;
        r.value = outcome.value;
        r.answer = XpressNet::LenzAntwortText(outcome.frame);
        break;
    case Kind::Status:
        r.outcome = CvResult::Outcome::Refused;
        r.answer = outcome.statusText;
        break;
    case Kind::OtherAnswer:
        r.outcome = CvResult::Outcome::Refused;
        r.answer = XpressNet::LenzAntwortText(outcome.frame);
        break;
    case Kind::Refused:
        r.outcome = CvResult::Outcome::Refused;
        break;
    case Kind::NoAnswer:
        r.outcome = CvResult::Outcome::TimedOut;
        r.answer = XpressNet::LenzAntwortText(outcome.received);
        break;
    case Kind::Cancelled:
        r.outcome = CvResult::Outcome::Aborted;
        break;
    case Kind::PortFailed:
        r.outcome = CvResult::Outcome::PortFailed;  // the link has reported it
        break;
    }
    if (m_view)
        r.shown = r.ok() ? shownNumber(r.value) : QStringLiteral("?");
    return r;
}
