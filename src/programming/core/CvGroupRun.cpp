#include "programming/core/CvGroupRun.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "link/core/Clock.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/CvInput.h"
#include "programming/core/CvProgrammer.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ZentraleHost.h"

#include <QScopedValueRollback>

CvGroupRun::CvGroupRun(AppContext& ctx, ZentraleHost& host, CvGroupTable& table, Clock& clock, QObject* parent)
    : CvGroupRun(ctx, host, table, clock, Options{}, parent) {}

CvGroupRun::CvGroupRun(AppContext& ctx, ZentraleHost& host, CvGroupTable& table, Clock& clock, Options options,
                       QObject* parent)
    : QObject(parent), m_ctx(ctx), m_host(host), m_table(table), m_clock(clock), m_options(std::move(options)) {
    if (!m_options.valueText)
        m_options.valueText = [](int value) { return QString::number(value); };
}

QString CvGroupRun::writingText(int cv, int value) {
    return QStringLiteral("schreibe in CV %1  =  %2").arg(cv).arg(value);
}

QString CvGroupRun::readingText(int cv) {
    return QStringLiteral("lese CV ") + QString::number(cv);
}

QString CvGroupRun::refusedRowText(int r, const QString& reason) {
    return QStringLiteral(" Zeile %1:").arg(r + 1) + reason;
}

QString CvGroupRun::refusedRowsText(const QStringList& rows) {
    return QStringLiteral(" Nicht gesendet wegen ungültiger CV oder ungültigem Wert: Zeile ") +
           rows.join(QStringLiteral(", "));
}

CvGroupRun::Outcome CvGroupRun::run(CvProgrammer& programmer) {
    const QScopedValueRollback running(m_running, true);
    return runRows(programmer);
}

CvGroupRun::Outcome CvGroupRun::ended(CvProgrammer& programmer, int outcome) {
    switch (CvResult::Outcome(outcome)) {
    case CvResult::Outcome::TimedOut:
        // The track goes off before the user is told, as after every unanswered row.
        m_host.setStatus(ProgrammingTexts::abortedStatus);
        programmer.finish();
        m_ctx.ui().message(ProgrammingTexts::timeoutText(m_ctx.CuName), Notifier::Icon::Critical,
                           Notifier::OkOnly, ProgrammingTexts::writeTitle(m_ctx.DecoderType));
        return Outcome::TimedOut;
    case CvResult::Outcome::PortFailed:
        return Outcome::PortFailed;
    default:
        return Outcome::Aborted;
    }
}

CvGroupRun::Outcome CvGroupRun::runRows(CvProgrammer& programmer) {
    const int rows = m_table.rowCount();
    // The pause between the steps as it stood when the run began.
    const qint64 delay = m_ctx.Delay;
    QStringList refused;
    for (int r = 0; r < rows; ++r) {
        // Rows deleted while a wait let the user work end the run early.
        if (r >= m_table.rowCount())
            break;
        const QString mark = m_table.cell(r, CvGroupTable::Mark);
        if (mark != QLatin1String("S") && mark != QLatin1String("L"))
            continue;
        // Only a CV of 1..1024 and, for a write, a value of 0..255 go onto the line: a row
        // from a damaged list must not program a CV it did not name.
        const QString valueText = m_table.cell(r, CvGroupTable::Value).trimmed();
        std::optional<qint16> cvNumber = CvInput::cvNumber(m_table.cell(r, CvGroupTable::Cv).trimmed());
        if (cvNumber && m_options.cvAccepted && !m_options.cvAccepted(*cvNumber))
            cvNumber.reset();
        if (!cvNumber || (mark == QLatin1String("S") && !CvInput::isWriteValue(valueText))) {
            emit rowReached(r);
            m_host.setStatus(refusedRowText(r, cvNumber ? CvInput::badValueStatus : CvInput::badCvStatus));
            m_ctx.ui().beep();
            refused.append(QString::number(r + 1));
            continue;
        }
        const int cv = *cvNumber;
        const int value = valueText.toInt();

        if (mark == QLatin1String("S")) {
            emit rowReached(r);
            m_host.setStatus(writingText(cv, value));
            const CvResult written = programmer.writeCv(cv, value);
            // The window that tells its writes' outcome goes on after one it did not get
            // confirmed, as after a failed read.
            if (written.outcome == CvResult::Outcome::Aborted || written.outcome == CvResult::Outcome::PortFailed ||
                (!written.answered() && !m_options.windowLogs))
                return ended(programmer, int(written.outcome));
            if (!m_options.windowLogs && written.ok()) {
                m_host.setStatus(written.brief);
            } else if (!m_options.windowLogs) {
                m_host.setStatus(ProgrammingTexts::writeError(written.shown));
                m_ctx.ui().beep();
            }
            m_clock.pause(delay);
            // The protocol records what the decoder now holds: a refused write is not in it.
            if (written.ok() && !m_options.windowLogs)
                m_host.writeProtokoll(QStringLiteral("S"), QString::number(cv), QString::number(value));
        } else {
            if (m_options.windowLogs)
                m_host.setStatus(readingText(cv));
            const CvResult read = programmer.readCv(cv);
            if (read.outcome == CvResult::Outcome::Aborted || read.outcome == CvResult::Outcome::PortFailed ||
                (!read.answered() && !m_options.failedReadLeavesMark))
                return ended(programmer, int(read.outcome));
            QString readValue;
            if (read.ok()) {
                readValue = m_options.valueText(read.value);
                if (!m_options.windowLogs)
                    m_host.setStatus(read.answer);
            } else if (m_options.failedReadLeavesMark) {
                readValue = QStringLiteral("?");
            } else {
                m_host.setStatus(ProgrammingTexts::readError(read.shown));
                m_ctx.ui().beep();
            }
            if (!readValue.isEmpty())
                m_table.setCell(r, CvGroupTable::Value, readValue);
            if (m_options.pauseAfterReads)
                m_clock.pause(delay);
            emit rowReached(r);
            if (read.ok() && !m_options.windowLogs)
                m_host.writeProtokoll(QStringLiteral("L"), QString::number(cv), readValue);
        }
    }
    // The refused rows stay named when the run is over.
    if (!refused.isEmpty())
        m_host.setStatus(refusedRowsText(refused));
    return Outcome::Completed;
}
