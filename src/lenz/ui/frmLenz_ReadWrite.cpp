// The Lenz window's service-mode read and write, and the programmer the panels and the
// CV-group table's runs read and write through, which shows and logs each CV as they do.
#include "lenz/ui/frmLenz.h"

#include "app/core/AppContext.h"
#include "app/ui/StationWindow.h"
#include "link/core/StationLink.h"
#include "programming/core/CvGroupRun.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/CvInput.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/ui/CvGroupGrid.h"

#include <QLineEdit>
#include <QPointer>

LenzCvProgrammer::WindowView frmLenz::windowView(bool fields) {
    LenzCvProgrammer::WindowView view;
    view.status = [this](const QString& text) { setStatus(text); };
    view.protocol = [this](const QString& mode, const QString& cv, const QString& value) {
        writeProtokoll_Lenz(mode, cv, value);
    };
    if (fields)
        view.fields = [this](const QString& cv, const QString& value) {
            txtCV->setText(cv);
            txtWert->setText(value);
        };
    view.ui = &m_ctx.ui();
    return view;
}

std::unique_ptr<LenzCvProgrammer> frmLenz::programmer(LenzCvProgrammer::WindowView view) {
    // The reads and writes of one operation are in the mode chosen when it began.
    return std::make_unique<LenzCvProgrammer>(m_link, usbInterface(), programmingMode(), std::move(view));
}

CvProgrammerSource frmLenz::panelProgrammers() {
    return [this]() -> std::unique_ptr<CvProgrammer> { return programmer(windowView(true)); };
}

namespace {
// A typed number the station cannot take (no number at all counts as 0) is refused by the
// programmer with the window's message.
int typedNumber(const QString& text) {
    return CvInput::cvNumber(text.trimmed()).value_or(0);
}
}  // namespace

void frmLenz::btnLesen_Clicked() {
    readInExchange({});
}

void frmLenz::readInExchange(const std::function<void()>& then) {
    const QPointer<frmLenz> self(this);
    m_guard->run([&] {
        ProgrammingSession session(*this);
        programmer(windowView(true))->readCv(typedNumber(txtCV->text()));
        if (!self)
            return session.hostGone();
        if (then)
            then();
    });
}

void frmLenz::btnSchreiben_Clicked() {
    m_guard->run([&] {
        ProgrammingSession session(*this);
        const QString cvText = txtCV->text();
        const QString valueText = txtWert->text();
        LenzCvProgrammer::WindowView view = windowView(false);
        // The row names the CV and the value as they were typed.
        view.protocol = [this, cvText, valueText](const QString& mode, const QString&, const QString&) {
            writeProtokoll_Lenz(mode, cvText, valueText);
        };
        const int value = CvInput::isWriteValue(valueText.trimmed()) ? valueText.trimmed().toInt() : -1;
        programmer(std::move(view))->writeCv(typedNumber(cvText), value);
    });
}

void frmLenz::runTable() {
    grdGR->grdGrUpdate();
    m_guard->run([this] {
        const std::unique_ptr<LenzCvProgrammer> rows = programmer(windowView(true));
        ProgrammingSession session(*this, *rows);
        m_groupRun->run(*rows);
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
