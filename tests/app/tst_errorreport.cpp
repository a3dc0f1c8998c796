#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "RecordingNotifier.h"

#include <QTest>

class TestErrorReport : public QObject {
    Q_OBJECT

    RecordingNotifier m_ui;
    AppContext m_ctx;

private slots:
    void init() {
        m_ui = RecordingNotifier();
        m_ui.expectMessages = true;
        m_ctx = AppContext();
        m_ctx.notifier = &m_ui;
        m_ctx.HelpFile = QStringLiteral("/help");
    }

    void messageByNumber_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("75") << 75 << "/x: Permission denied"
                            << QStringLiteral("Der Zugriff auf die Datei wird verweigert !              \r\r"
                                              "- die Datei ist schreibgeschützt oder\r"
                                              "- die Pfadangabe ist nicht korrekt oder vollständig.       ")
                            << " Datei speichern ...";
        QTest::newRow("380") << 380 << ""
                             << QStringLiteral("bitte überprüfen Sie die Baudrate und wählen Sie einen Eintrag aus der Liste !       \r\r"
                                               "klicken Sie anschliessend auf 'Parameter setzen' .")
                             << " ungültige Parametereingabe...";
        QTest::newRow("8005") << 8005 << ""
                              << QStringLiteral("Fehler 8005:  Der serielle Anschluß wird bereits von einer anderen Anwendung benutzt !   ")
                              << " zentrale Fehlerbehandlung...";
        QTest::newRow("13 from the list") << 13 << ""
                                          << QStringLiteral("Fehler 13:  <Typen unverträglich> aufgetreten      ")
                                          << " zentrale Fehlerbehandlung...";
        QTest::newRow("own description") << 8015 << "Der Anschluß ist verschwunden"
                                         << QStringLiteral("Fehler 8015:  <Der Anschluß ist verschwunden> aufgetreten      ")
                                         << " zentrale Fehlerbehandlung...";
    }
    void messageByNumber() {
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(QString, text);
        QFETCH(QString, title);
        ZentraleFehlerbehandlung(m_ctx, Failure(number, description));
        QCOMPARE(m_ui.messages.size(), 1);
        QCOMPARE(m_ui.messages[0].text, text);
        QCOMPARE(m_ui.messages[0].title, title);
        QCOMPARE(m_ui.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(m_ui.messages[0].buttons, Notifier::OkOnly);
        QVERIFY(m_ui.helpPages.isEmpty());
    }

    void silentNumbers_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("cancelled dialog") << 32755;
        QTest::newRow("cannot create") << 429;
    }
    void silentNumbers() {
        QFETCH(int, number);
        m_ui.expectMessages = false;
        ZentraleFehlerbehandlung(m_ctx, Failure(number));
        QVERIFY(m_ui.messages.isEmpty());
    }

    void missingPort_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QStringList>("help");
        QTest::newRow("Yes shows the port help") << int(Notifier::Yes) << false
                                                 << QStringList{"/help|Zelvo_Schnittstelle.htm"};
        QTest::newRow("No does nothing") << int(Notifier::No) << false << QStringList{};
        QTest::newRow("Cancel ends the program") << int(Notifier::Cancel) << true << QStringList{};
    }
    void missingPort() {
        QFETCH(int, answer);
        QFETCH(bool, ends);
        QFETCH(QStringList, help);
        m_ui.answer = answer;
        bool ended = false;
        try {
            ZentraleFehlerbehandlung(m_ctx, Failure(8002, QStringLiteral("COM99")));
        } catch (const RecordingNotifier::ProgramEnded&) {
            ended = true;
        }
        QCOMPARE(ended, ends);
        QCOMPARE(m_ctx.Antwort, answer);
        QCOMPARE(m_ui.helpPages, help);
        QCOMPARE(m_ui.messages.size(), 1);
        QCOMPARE(m_ui.messages[0].text,
                 QStringLiteral("Fehler 8002:  Der angegebene Anschluß (COM-Port ?) existiert nicht !        \r\r"
                                "Diesbezügliche Hilfe anzeigen ?"));
        QCOMPARE(m_ui.messages[0].buttons, Notifier::YesNoCancel);
        QCOMPARE(m_ui.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(m_ui.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
    }
};

QTEST_GUILESS_MAIN(TestErrorReport)
#include "tst_errorreport.moc"
