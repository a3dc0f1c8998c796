#include "app/core/ConfigFile.h"

#include "app/core/AppContext.h"
#include "base/core/Failure.h"
#include "app/core/TextFile.h"
#include "base/core/TextNumbers.h"

#include <QFileInfo>
#include <limits>

QString configFilePath(const AppContext& ctx) {
    return ctx.dataFolder + QStringLiteral("/Quillex.cfg");
}

namespace {

// A stored number: 0 when the text's leading number is 0 (also for text without one),
// else the whole number the text stands for; text that is no whole number of the
// setting's range leaves the setting as it was.
template <typename Int>
void takeNumber(const QString& text, Int& setting) {
    if (leadingNumber(text) == 0) {
        setting = 0;
        return;
    }
    if (auto value = toWholeNumber(text, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max()))
        setting = Int(*value);
}

}  // namespace

void ReadConfig(AppContext& ctx) {
    const QString path = configFilePath(ctx);
    if (QFileInfo::exists(path)) {
        QStringList lines;
        try {
            lines = readTextLines(path);
        } catch (const Failure&) {
            // Read as an empty file: every line read fails and the buffer rule applies.
        }

        // Each line read replaces the buffer; reading past the end keeps the last text,
        // and from line 18 on the text "1000" stands in. A file cut short therefore
        // still loads, with those texts in place of its missing lines.
        QString buffer;
        auto readLine = [&](int number) -> const QString& {
            if (number <= lines.size())
                buffer = lines.at(number - 1);
            if (number == 17)
                buffer = QStringLiteral("1000");
            return buffer;
        };
        for (int number = 1; number <= 28; ++number) {
            const QString& text = readLine(number);
            switch (number) {
            case 2: ctx.ComPort = text; break;
            case 5: ctx.ComSettings = text; break;
            case 8: ctx.Fahrstufen = text; break;
            case 11: takeNumber(text, ctx.PosZentraleLeft); break;
            case 12: takeNumber(text, ctx.PosZentraleTop); break;
            case 15: takeNumber(text, ctx.PosKennlinieLeft); break;
            case 16: takeNumber(text, ctx.PosKennlinieTop); break;
            case 19: {
                const qint64 delay = roundHalfEven(leadingNumber(text));
                if (delay >= std::numeric_limits<qint32>::min() && delay <= std::numeric_limits<qint32>::max())
                    ctx.Delay = qint32(delay);
                break;
            }
            case 22: takeNumber(text, ctx.ZentraleIndex); break;
            case 25: takeNumber(text, ctx.DecoderTypIndex); break;
            case 28: takeNumber(text, ctx.LenzInterfaceType); break;
            default: break;
            }
        }
    }

    if (ctx.ComPort.isEmpty())
        ctx.ComPort = QStringLiteral("1");
    if (ctx.ComSettings.isEmpty())
        ctx.ComSettings = QStringLiteral("2400");
    if (!ctx.ComSettings.contains(u','))
        ctx.ComSettings = QStringLiteral("2400,N,8,1");
    if (ctx.Fahrstufen.isEmpty())
        ctx.Fahrstufen = QStringLiteral("1");
    if (ctx.LenzInterfaceType > 1)
        ctx.LenzInterfaceType = 1;
}

void WriteConfig(const AppContext& ctx) {
    const QStringList lines = {
        QStringLiteral("[COM]"),
        ctx.ComPort,
        QString(),
        QStringLiteral("[Settings]"),
        ctx.ComSettings,
        QString(),
        QStringLiteral("[Fahrstufen]"),
        ctx.Fahrstufen,
        QString(),
        QStringLiteral("[Fensterposition Zentrale]"),
        printedNumber(ctx.PosZentraleLeft),
        printedNumber(ctx.PosZentraleTop),
        QString(),
        QStringLiteral("[Fensterposition Kennlinie]"),
        printedNumber(ctx.PosKennlinieLeft),
        printedNumber(ctx.PosKennlinieTop),
        QString(),
        QStringLiteral("[Delay Kennline schreiben]"),
        printedNumber(ctx.Delay),
        QString(),
        QStringLiteral("[Zentrale / CU]"),
        printedNumber(ctx.ZentraleIndex),
        QString(),
        QStringLiteral("[Decoder-Typ]"),
        printedNumber(ctx.DecoderTypIndex),
        QString(),
        QStringLiteral("[Interface-Typ (Lenz)]"),
        printedNumber(ctx.LenzInterfaceType),
    };
    writeTextLines(configFilePath(ctx), lines);
}
