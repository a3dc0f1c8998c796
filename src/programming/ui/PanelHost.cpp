#include "programming/ui/PanelHost.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/ui/StationWindow.h"
#include "programming/core/ProgrammingSession.h"

void PanelHost::run(const CvProgrammerSource& source, const std::function<void(CvProgrammer&)>& body) const {
    guard.run([&] {
        const std::unique_ptr<CvProgrammer> programmer = source();
        if (!programmer)
            return ctx.ui().beep();
        ProgrammingSession session(window, *programmer);
        body(*programmer);
    });
}
