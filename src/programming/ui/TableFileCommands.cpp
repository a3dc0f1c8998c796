#include "programming/ui/TableFileCommands.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "programming/core/CvTableFiles.h"

namespace TableFileCommands {

void saveProtocol(AppContext& ctx, Dialog& dialog, const QList<CvRow>& rows) {
    FileCommands::saveProtocol(ctx, dialog, std::nullopt, CvTableFiles::protocolLines(rows));
}

void exportProtocolMove(AppContext& ctx, Dialog& dialog, const QList<CvRow>& rows,
                        const std::function<void(const QString&)>& setCaption) {
    reportFailures(ctx, [&] {
        const QString path = chooseTextFile(dialog, true);
        if (path.isEmpty())
            return;
        if (setCaption)
            setCaption(QStringLiteral(" ") + path);
        CvTableFiles::exportMoveProtocol(path, rows);
        ctx.ui().message(CvTableFiles::tableSavedText(path), Notifier::Icon::Information, Notifier::OkOnly,
                         CvTableFiles::tableSaveTitle);
    });
}

}  // namespace TableFileCommands
