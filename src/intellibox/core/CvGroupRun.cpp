#include "intellibox/core/CvGroupRun.h"

#include "app/core/AppContext.h"
#include "app/core/CvCommandList.h"
#include "intellibox/core/CvGroupTable.h"
#include "app/core/ErrorReport.h"
#include "app/core/Failure.h"
#include "intellibox/core/P50xAnswer.h"
#include "link/core/StationLink.h"
#include "intellibox/core/StationOperation.h"
#include "intellibox/core/ZentraleHost.h"

namespace {
const QString timeoutResult = QStringLiteral("Fehler");
}  // namespace

CvGroupRun::CvGroupRun(ZentraleHost& host, CvGroupTable& table, QObject* parent)
    : QObject(parent), m_host(host), m_table(table) {}

QString CvGroupRun::writingText(int cv, int value) {
    return QStringLiteral("schreibe in CV %1  =  %2").arg(cv).arg(value);
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
    for (int r = 0; r < rows; ++r) {
        // Rows deleted while a wait let the user work end the run early.
        if (m_abortRequested || r >= m_table.rowCount())
            break;
        const QString mark = m_table.cell(r, CvGroupTable::Mark);
        const int cv = CvCommandList::leadingNumber(m_table.cell(r, CvGroupTable::Cv));
        const int value = CvCommandList::leadingNumber(m_table.cell(r, CvGroupTable::Value));

        if (mark == QLatin1String("S")) {
            link.emptyInput();
            link.sendP50X(QStringLiteral("XPTWD%1, %2").arg(cv).arg(value));
            emit rowReached(r);
            m_host.setStatus(writingText(cv, value));
            link.Warten(ctx.Delay);
            const QString answer = link.AntwortP50X();
            if (answer == timeoutResult)
                return finish(m_abortRequested ? Outcome::Aborted : Outcome::TimedOut);
            const bool written = P50xAnswer::writeSucceeded(answer);
            if (written) {
                m_host.setStatus(P50xAnswer::writeDone);
            } else {
                reportWriteError(m_host, answer);
            }
            link.Warten(ctx.Delay);
            // The protocol records what the decoder now holds: a refused write is not in it.
            if (written)
                m_host.writeProtokoll(QStringLiteral("S"), QString::number(cv), QString::number(value));
        } else if (mark == QLatin1String("L")) {
            link.emptyInput();
            link.sendP50X(QStringLiteral("XPTRD%1").arg(cv));
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
    return finish(m_abortRequested ? Outcome::Aborted : Outcome::Completed);
}
