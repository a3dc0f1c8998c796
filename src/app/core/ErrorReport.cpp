#include "app/core/ErrorReport.h"

#include "app/core/AppContext.h"
#include "base/core/Failure.h"
#include "app/core/Notifier.h"

#include <QString>

namespace {

const QString kTitleFile = QStringLiteral(" Datei speichern ...");
const QString kTitleParameter = QStringLiteral(" ungültige Parametereingabe...");
const QString kTitleCentral = QStringLiteral(" zentrale Fehlerbehandlung...");

const QString kTextFile = QStringLiteral(
    "Der Zugriff auf die Datei wird verweigert !              \r\r"
    "- die Datei ist schreibgeschützt oder\r"
    "- die Pfadangabe ist nicht korrekt oder vollständig.       ");
const QString kTextParameter = QStringLiteral(
    "bitte überprüfen Sie die Baudrate und wählen Sie einen Eintrag aus der Liste !       \r\r"
    "klicken Sie anschliessend auf 'Parameter setzen' .");
const QString kTextPortMissing = QStringLiteral(
    "Der angegebene Anschluß (COM-Port ?) existiert nicht !        \r\r"
    "Diesbezügliche Hilfe anzeigen ?");
const QString kTextPortInUse = QStringLiteral(
    "Der serielle Anschluß wird bereits von einer anderen Anwendung benutzt !   ");

const QString kPortHelpPage = QStringLiteral("Zelvo_Schnittstelle.htm");

QString numbered(int number, const QString& text) {
    return QStringLiteral("Fehler %1:  ").arg(number) + text;
}

}  // namespace

QString errorDescription(int number) {
    switch (number) {
    case 5: return QStringLiteral("Unzulässiger Prozeduraufruf oder ungültiges Argument");
    case 6: return QStringLiteral("Überlauf");
    case 7: return QStringLiteral("Nicht genügend Speicher");
    case 9: return QStringLiteral("Index außerhalb des gültigen Bereichs");
    case 11: return QStringLiteral("Division durch Null");
    case 13: return QStringLiteral("Typen unverträglich");
    case 52: return QStringLiteral("Dateiname oder -nummer falsch");
    case 53: return QStringLiteral("Datei nicht gefunden");
    case 55: return QStringLiteral("Datei bereits geöffnet");
    case 57: return QStringLiteral("Fehler beim Lesen von / Schreiben auf Gerät");
    case 61: return QStringLiteral("Datenträger voll");
    case 62: return QStringLiteral("Einlesen hinter Dateiende");
    case 70: return QStringLiteral("Zugriff verweigert");
    case 71: return QStringLiteral("Datenträger nicht bereit");
    case 76: return QStringLiteral("Pfad nicht gefunden");
    default: return QStringLiteral("Anwendungs- oder objektdefinierter Fehler");
    }
}

void ZentraleFehlerbehandlung(AppContext& ctx, const Failure& failure) {
    Notifier& ui = ctx.ui();
    const int number = failure.number();
    switch (number) {
    case ErrorNumber::FileAccess:
        ui.message(kTextFile, Notifier::Icon::Critical, Notifier::OkOnly, kTitleFile);
        return;
    case ErrorNumber::InvalidProperty:
        ui.message(kTextParameter, Notifier::Icon::Critical, Notifier::OkOnly, kTitleParameter);
        return;
    case ErrorNumber::CannotCreate:
    case ErrorNumber::DialogCancelled:
        return;
    case ErrorNumber::PortMissing:
        ctx.Antwort = ui.message(numbered(number, kTextPortMissing), Notifier::Icon::Critical,
                                 Notifier::YesNoCancel, kTitleCentral);
        if (ctx.Antwort == Notifier::Cancel)
            ui.endProgram();
        if (ctx.Antwort == Notifier::Yes)
            ui.showHelp(ctx.HelpFile, kPortHelpPage);
        return;
    case ErrorNumber::PortInUse:
        ui.message(numbered(number, kTextPortInUse), Notifier::Icon::Critical, Notifier::OkOnly, kTitleCentral);
        return;
    default: {
        const QString description =
            failure.description().isEmpty() ? errorDescription(number) : failure.description();
        ui.message(numbered(number, u'<' + description + QStringLiteral("> aufgetreten      ")),
                   Notifier::Icon::Critical, Notifier::OkOnly, kTitleCentral);
        return;
    }
    }
}
