#include "programming/core/StationOperation.h"

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "app/core/Failure.h"
#include "app/core/Notifier.h"
#include "link/core/P50xAnswer.h"
#include "link/core/StationLink.h"
#include "programming/core/ZentraleHost.h"

void runP50xOperation(ZentraleHost& host, const std::function<void()>& body) {
    AppContext& ctx = host.context();
    if (ctx.CuName != QLatin1String("IB") && ctx.CuName != QLatin1String("MC")) {
        ctx.ui().beep();
        return;
    }
    StationLink::Exchange exchange(host.link());
    if (!exchange)
        return;
    try {
        body();
    } catch (const Failure& failure) {
        host.setBusyPointer(false);
        ZentraleFehlerbehandlung(ctx, failure);
    }
}

bool askP50x(ZentraleHost& host, const QString& command, const QString& status) {
    host.link().sendP50X(command);
    host.setStatus(status);
    if (host.CU_Ready())
        return true;
    host.setBusyPointer(false);
    return false;
}

CvRead readCvP50x(ZentraleHost& host, const QString& command, const QString& status) {
    CvRead read;
    if (!askP50x(host, command, status))
        return read;
    read.answered = true;
    const QString answer = host.CuAnswer();
    read.value = P50xAnswer::cvValue(answer);
    if (!read.value)
        reportReadError(host, answer);
    return read;
}

void reportReadError(ZentraleHost& host, const QString& answer) {
    host.setStatus(P50xAnswer::readErrorText(answer));
    host.context().ui().beep();
}

void reportWriteError(ZentraleHost& host, const QString& answer) {
    host.setStatus(P50xAnswer::writeErrorText(answer));
    host.context().ui().beep();
}
