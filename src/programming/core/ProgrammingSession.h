#pragma once

class CvProgrammer;
class ZentraleHost;

// One programming operation of a window, inside the exchange the window holds: the busy
// pointer shows from its start, and at its end, on every path out, the programmer leaves
// programming mode where the station needs it (finish()) and the pointer goes back. A window
// destroyed meanwhile is told with hostGone(); the session then leaves the window alone.
class ProgrammingSession {
public:
    explicit ProgrammingSession(ZentraleHost& host, CvProgrammer* programmer = nullptr);
    ProgrammingSession(ZentraleHost& host, CvProgrammer& programmer) : ProgrammingSession(host, &programmer) {}
    ~ProgrammingSession();
    ProgrammingSession(const ProgrammingSession&) = delete;
    ProgrammingSession& operator=(const ProgrammingSession&) = delete;

    void hostGone() { m_host = nullptr; }

private:
    ZentraleHost* m_host;
    CvProgrammer* m_programmer;
};

struct AppContext;
struct CvResult;
class QString;

// A read or write that got no answer before its deadline: the status " Programmierung
// abgebrochen..." and the message that the station does not answer, under `title`. A
// cancelled one or a failed port (reported already) tells nothing.
void tellUnanswered(AppContext& ctx, ZentraleHost& host, const CvResult& result, const QString& title);
