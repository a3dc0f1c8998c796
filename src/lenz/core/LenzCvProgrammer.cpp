#include "lenz/core/LenzCvProgrammer.h"

using Kind = ServiceModeOutcome::Kind;

LenzCvProgrammer::LenzCvProgrammer(LenzServiceMode& serviceMode, XpressNet::ProgrammingMode mode, ServiceModePauses pauses)
    : m_serviceMode(serviceMode), m_mode(mode), m_pauses(pauses) {}

CvResult LenzCvProgrammer::readCv(int cv) {
    return result(m_serviceMode.read(m_mode, cv, m_pauses));
}

CvResult LenzCvProgrammer::writeCv(int cv, int value) {
    return result(m_serviceMode.write(m_mode, cv, value));
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
    case Kind::Sent:
        r.outcome = CvResult::Outcome::Ok;
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
    return r;
}
