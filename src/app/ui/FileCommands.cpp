#include "app/ui/FileCommands.h"

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/core/Notifier.h"
#include "app/core/TextFile.h"
#include "app/ui/FileDialog.h"

namespace FileCommands {

const QString textFilter = QStringLiteral("Text-Dateien (*.TXT)|*.txt");

QString chooseTextFile(Dialog& dialog, bool save, std::optional<int> flags) {
    dialog.setFilter(textFilter);
    dialog.setFilterIndex(2);
    if (flags)
        dialog.setFlags(*flags);
    return save ? dialog.showSave() : dialog.showOpen();
}

void reportFailures(AppContext& ctx, const std::function<void()>& operation) {
    try {
        operation();
    } catch (const Failure& failure) {
        ZentraleFehlerbehandlung(ctx, failure);
    }
}

void saveLines(AppContext& ctx, Dialog& dialog, std::optional<int> flags, const QStringList& lines,
               const std::function<QString(const QString& path)>& confirmation, const QString& title,
               const std::function<void(const QString& path)>& written) {
    reportFailures(ctx, [&] {
        const QString path = chooseTextFile(dialog, true, flags);
        if (path.isEmpty())
            return;
        writeTextLines(path, lines);
        if (written)
            written(path);
        ctx.ui().message(confirmation(path), Notifier::Icon::Information, Notifier::OkOnly, title);
    });
}

void saveLines(AppContext& ctx, Dialog& dialog, std::optional<int> flags, const QStringList& lines,
               const QString& what, const QString& title) {
    saveLines(ctx, dialog, flags, lines, [&what](const QString& path) { return savedText(what, path); }, title);
}

void saveProtocol(AppContext& ctx, Dialog& dialog, std::optional<int> flags, const QStringList& lines) {
    saveLines(ctx, dialog, flags, lines, QStringLiteral("Das Protokoll"), QStringLiteral(" Protokoll speichern..."));
}

}  // namespace FileCommands
