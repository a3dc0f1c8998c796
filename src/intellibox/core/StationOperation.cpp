#include "StationOperation.h"

#include "AppContext.h"
#include "ErrorReport.h"
#include "Failure.h"
#include "Notifier.h"
#include "StationLink.h"
#include "ZentraleHost.h"

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
