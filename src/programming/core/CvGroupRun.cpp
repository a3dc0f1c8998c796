#include "programming/core/CvGroupRun.h"

#include "app/core/AppContext.h"
#include "app/core/CvCommandList.h"
#include "programming/core/CvGroupTable.h"
#include "app/core/ErrorReport.h"
#include "app/core/Failure.h"
#include "app/core/Notifier.h"
#include "link/core/P50xAnswer.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"
#include "programming/core/StationOperation.h"
#include "programming/core/ZentraleHost.h"
#include "programming/core/ZentraleInput.h"

namespace {
const QString timeoutResult = QStringLiteral("Fehler");
}  // namespace

CvGroupRun::CvGroupRun(ZentraleHost& host, CvGroupTable& table, QObject* parent)
    : QObject(parent), m_host(host), m_table(table) {}

QString CvGroupRun::writingText(int cv, int value) {
    return QStringLiteral("schreibe in CV %1  =  %2").arg(cv).arg(value);
}

QString CvGroupRun::refusedRowText(int r, const QString& reason) {
    return QStringLiteral(" Zeile %1:").arg(r + 1) + reason;
}

QString CvGroupRun::refusedRowsText(const QStringList& rows) {
    return QStringLiteral(" Nicht gesendet wegen ungültiger CV oder ungültigem Wert: Zeile ") +
           rows.join(QStringLiteral(", "));
}

void CvGroupRun::abort() {
    if (!m_running)
        return;
    m_abortRequested = true;
    m_host.link().abortWait();
}

CvGroupRun::Outcome CvGroupRun::finish(Outcome outcome) {
    if (outcome != Outcome::TimedOut)
        m_host.link().sendP50X(QStringLiteral("XPT0"));
    m_host.setBusyPointer(false);
    m_running = false;
    return outcome;
}

CvGroupRun::Outcome CvGroupRun::run() {
    StationLink::Exchange exchange(m_host.link());
    if (!exchange)
        return Outcome::Refused;
    m_running = true;
    m_abortRequested = false;
    m_host.setBusyPointer(true);
    try {
        return runRows();
    } catch (const Failure& failure) {
        m_host.setBusyPointer(false);
        m_running = false;
        ZentraleFehlerbehandlung(m_host.context(), failure);
        return Outcome::PortFailed;
    }
}

CvGroupRun::Outcome CvGroupRun::runRows() {
    StationLink& link = m_host.link();
    AppContext& ctx = m_host.context();

    const int rows = m_table.rowCount();
    QStringList refused;
    for (int r = 0; r < rows; ++r) {
        // Rows deleted while a wait let the user work end the run early.
        if (m_abortRequested || r >= m_table.rowCount())
            break;
        const QString mark = m_table.cell(r, CvGroupTable::Mark);
        if (mark != QLatin1String("S") && mark != QLatin1String("L"))
            continue;
        // Only a CV of 1..1024 and, for a write, a value of 0..255 go onto the line: a row
        // from a damaged list must not program a CV it did not name.
        const QString valueText = m_table.cell(r, CvGroupTable::Value).trimmed();
        const std::optional<qint16> cvNumber = ZentraleInput::cvNumber(m_table.cell(r, CvGroupTable::Cv).trimmed());
        if (!cvNumber || (mark == QLatin1String("S") && !ZentraleInput::isWriteValue(valueText))) {
            emit rowReached(r);
            m_host.setStatus(refusedRowText(r, cvNumber ? ZentraleInput::badValueStatus : ZentraleInput::badCvStatus));
            ctx.ui().beep();
            refused.append(QString::number(r + 1));
            continue;
        }
        const qint16 cv = *cvNumber;
        const int value = valueText.toInt();

        if (mark == QLatin1String("S")) {
            link.emptyInput();
            link.sendP50X(P50x::XPTWD(cv, QString::number(value)));
            emit rowReached(r);
            m_host.setStatus(writingText(cv, value));
            link.Warten(ctx.Delay);
            const QString answer = link.AntwortP50X();
            if (answer == timeoutResult)
                return finish(m_abortRequested ? Outcome::Aborted : Outcome::TimedOut);
            const bool written = P50xAnswer::writeSucceeded(answer);
            if (written) {
                m_host.setStatus(P50xAnswer::firstTwo(answer));
            } else {
                reportWriteError(m_host, answer);
            }
            link.Warten(ctx.Delay);
            // The protocol records what the decoder now holds: a refused write is not in it.
            if (written)
                m_host.writeProtokoll(QStringLiteral("S"), QString::number(cv), QString::number(value));
        } else {
            link.emptyInput();
            link.sendP50X(P50x::XPTRD(cv));
            const QString answer = link.AntwortP50X();
            if (answer == timeoutResult)
                return finish(m_abortRequested ? Outcome::Aborted : Outcome::TimedOut);
            if (!P50xAnswer::readValue(answer)) {
                reportReadError(m_host, answer);
                emit rowReached(r);
                continue;
            }
            // The value stands in the answer's first three characters ("6 = $06 ...").
            const QString read = QString::number(CvCommandList::leadingNumber(answer.left(3)));
            m_table.setCell(r, CvGroupTable::Value, read);
            m_host.setStatus(answer);
            emit rowReached(r);
            m_host.writeProtokoll(QStringLiteral("L"), QString::number(cv), read);
        }
    }
    // The refused rows stay named when the run is over.
    if (!refused.isEmpty())
        m_host.setStatus(refusedRowsText(refused));
    return finish(m_abortRequested ? Outcome::Aborted : Outcome::Completed);
}
