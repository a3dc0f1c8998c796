// The Lenz window's service-mode read and write, and what runs through them: the panels,
// the CV-group table's runs and the protocol.
#include "lenz/ui/frmLenz.h"

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "app/core/Notifier.h"
#include "base/core/TextNumbers.h"
#include "app/ui/StationWindow.h"
#include "lenz/core/LenzServiceMode.h"
#include "lenz/ui/LenzTexts.h"
#include "link/core/StationLink.h"
#include "programming/core/CvGroupRun.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/CvInput.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/ui/CvGroupGrid.h"

#include <QLineEdit>
#include <QPointer>

// The window's read and write as a read/write-CV interface: each call fills the CV (and
// value) field and runs the window's own transaction, which shows its texts and logs its
// row, as the panels and the table run expect of this window.
class frmLenz::WindowProgrammer : public CvProgrammer {
public:
    explicit WindowProgrammer(frmLenz& window) : m_window(window) {}

    CvResult readCv(int cv) override {
        m_window.txtCV->setText(QString::number(cv));
        return m_window.readTransaction();
    }
    CvResult writeCv(int cv, int value) override {
        m_window.txtCV->setText(QString::number(cv));
        m_window.txtWert->setText(QString::number(value));
        return m_window.writeTransaction();
    }
    // XpressNet has no end of programming mode to send.
    void finish() override {}

private:
    frmLenz& m_window;
};

CvProgrammerSource frmLenz::windowProgrammers() {
    return [this]() -> std::unique_ptr<CvProgrammer> { return std::make_unique<WindowProgrammer>(*this); };
}

std::optional<int> frmLenz::checkedNumber(const QString& text, XpressNet::ProgrammingMode mode, const QString& title) {
    const std::optional<qint16> number = CvInput::cvNumber(text.trimmed());
    if (number && XpressNet::numberValid(mode, *number))
        return int(*number);
    m_ctx.ui().message(mode == XpressNet::ProgrammingMode::Register ? LenzTexts::badRegister : LenzTexts::badCv,
                       Notifier::Icon::Critical, Notifier::OkOnly, title);
    return std::nullopt;
}

void frmLenz::btnLesen_Clicked() {
    readInExchange({});
}

void frmLenz::readInExchange(const std::function<void()>& then) {
    const QPointer<frmLenz> self(this);
    m_guard->run([&] {
        ProgrammingSession session(*this);
        readTransaction();
        if (!self)
            return session.hostGone();
        if (then)
            then();
    });
}

void frmLenz::btnSchreiben_Clicked() {
    m_guard->run([&] {
        ProgrammingSession session(*this);
        writeTransaction();
    });
}

CvResult frmLenz::readTransaction() {
    CvResult result;
    result.outcome = CvResult::Outcome::Refused;
    result.shown = QStringLiteral("?");
    result.told = true;
    // The read is of the CV and in the mode chosen when it began.
    const XpressNet::ProgrammingMode mode = programmingMode();
    const std::optional<int> number = checkedNumber(txtCV->text(), mode, LenzTexts::readTitle);
    if (!number)
        return result;

    LenzServiceMode serviceMode(m_link, usbInterface());
    serviceMode.setStatusView([this](const QString& text) { setStatus(text); });
    txtCV->setText(QStringLiteral("?"));
    txtWert->setText(QStringLiteral("?"));
    const ServiceModeOutcome outcome = serviceMode.read(mode, *number);

    using Kind = ServiceModeOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Value: {
        txtCV->setText(shownNumber(outcome.number));
        txtWert->setText(shownNumber(outcome.value));
        if (outcome.warning != ServiceModeOutcome::ModeWarning::None) {
            m_ctx.ui().beep();
            m_ctx.ui().message(outcome.warning == ServiceModeOutcome::ModeWarning::NotDirect ? LenzTexts::notDirectWarning
                                                                                             : LenzTexts::directWarning,
                               Notifier::Icon::Warning, Notifier::OkOnly, LenzTexts::readTitle);
        }
        writeProtokoll_Lenz(QStringLiteral("L"), txtCV->text(), txtWert->text());
        setStatus(LenzTexts::readDone);
        result.outcome = CvResult::Outcome::Ok;
        result.value = outcome.value;
        result.shown = txtWert->text();
        result.answer = XpressNet::LenzAntwortText(outcome.frame);
        return result;
    }
    case Kind::Status:
        // The station's word; the fields keep "?" and nothing is logged.
        setStatus(outcome.statusText);
        return result;
    case Kind::OtherAnswer:
    case Kind::Refused:
        return result;
    case Kind::NoAnswer:
        if (outcome.stillArriving) {
            m_ctx.ui().message(LenzServiceMode::noAnswer, Notifier::Icon::Critical, Notifier::OkOnly,
                               LenzServiceMode::noAnswerTitle);
            return result;
        }
        // No answer is no error of the station: the read is logged with its "?".
        writeProtokoll_Lenz(QStringLiteral("L"), txtCV->text(), txtWert->text());
        setStatus(LenzTexts::readDone);
        return result;
    case Kind::Cancelled:
        result.outcome = CvResult::Outcome::Aborted;
        return result;
    case Kind::PortFailed:
        result.outcome = CvResult::Outcome::PortFailed;
        return result;
    case Kind::Sent:
        break;
    }
    return result;
}

CvResult frmLenz::writeTransaction() {
    CvResult result;
    result.outcome = CvResult::Outcome::Refused;
    result.told = true;
    const XpressNet::ProgrammingMode mode = programmingMode();
    const QString cvText = txtCV->text();
    const QString valueText = txtWert->text();
    const std::optional<int> number = checkedNumber(cvText, mode, LenzTexts::writeTitle);
    if (!number)
        return result;
    if (!CvInput::isWriteValue(valueText.trimmed())) {
        m_ctx.ui().message(LenzTexts::badValue, Notifier::Icon::Critical, Notifier::OkOnly, LenzTexts::writeTitle);
        return result;
    }

    LenzServiceMode serviceMode(m_link, usbInterface());
    const ServiceModeOutcome outcome = serviceMode.write(mode, *number, valueText.trimmed().toInt());
    switch (outcome.kind) {
    case ServiceModeOutcome::Kind::Sent:
        // No answer is awaited: what the station answers waits for the next read.
        writeProtokoll_Lenz(QStringLiteral("S"), cvText, valueText);
        setStatus(LenzTexts::writeDone);
        result.outcome = CvResult::Outcome::Ok;
        result.brief = LenzTexts::writeDone;
        return result;
    case ServiceModeOutcome::Kind::Cancelled:
        result.outcome = CvResult::Outcome::Aborted;
        return result;
    case ServiceModeOutcome::Kind::PortFailed:
        result.outcome = CvResult::Outcome::PortFailed;
        return result;
    default:
        return result;
    }
}

void frmLenz::runTable() {
    grdGR->grdGrUpdate();
    m_guard->run([this] {
        WindowProgrammer programmer(*this);
        ProgrammingSession session(*this, programmer);
        m_groupRun->run(programmer);
    });
}

void frmLenz::runCurrentRow(int r) {
    const QString action = m_groupTable->cell(r, CvGroupTable::Mark);
    txtCV->setText(m_groupTable->cell(r, CvGroupTable::Cv));
    txtWert->setText(m_groupTable->cell(r, CvGroupTable::Value));
    if (action == QLatin1String("S")) {
        btnSchreiben_Clicked();
    } else if (action == QLatin1String("L")) {
        readInExchange([&] {
            // The row takes the value as the read left it, a number or "?".
            if (r < m_groupTable->rowCount())
                m_groupTable->setCell(r, CvGroupTable::Value, txtWert->text());
            m_link.Warten(m_ctx.Delay);
        });
    }
}
