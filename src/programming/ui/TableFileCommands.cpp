#include "programming/ui/TableFileCommands.h"

#include "app/core/AppContext.h"
#include "programming/core/CvTableFiles.h"
#include "app/core/ErrorReport.h"
#include "app/core/Failure.h"
#include "app/ui/FileDialog.h"
#include "app/core/Notifier.h"
#include "app/ui/InputBox.h"

namespace TableFileCommands {

const QString textFilter = QStringLiteral("Text-Dateien (*.TXT)|*.txt");

AskText inputBox(QWidget* parent) {
    return ::inputBox(parent);
}

QString chooseTextFile(Dialog& dialog, bool save) {
    dialog.setFilter(textFilter);
    dialog.setFilterIndex(2);
    return save ? dialog.showSave() : dialog.showOpen();
}

void reportFailures(AppContext& ctx, const std::function<void()>& operation) {
    try {
        operation();
    } catch (const Failure& failure) {
        ZentraleFehlerbehandlung(ctx, failure);
    }
}

void saveProtocol(AppContext& ctx, Dialog& dialog, const QList<CvRow>& rows) {
    reportFailures(ctx, [&] {
        const QString path = chooseTextFile(dialog, true);
        if (path.isEmpty())
            return;
        CvTableFiles::saveProtocol(path, rows);
        ctx.ui().message(CvTableFiles::protocolSavedText(path), Notifier::Icon::Information, Notifier::OkOnly,
                         CvTableFiles::protocolSaveTitle);
    });
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
