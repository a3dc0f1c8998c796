#pragma once

#include <functional>
#include <optional>

class QString;

class ZentraleHost;

// The frame of every CV 29 and address operation of the Intellibox window: only an
// Intellibox or a MasterControl understands the P50X text they send (a 6021 gets a beep
// and nothing), one exchange at a time (a second one gets a beep), and a failing port goes
// to the central error report with the normal pointer back.
void runP50xOperation(ZentraleHost& host, const std::function<void()>& body);

// Sends a P50X command, shows `status` and waits for the answer with CU_Ready. False after
// a time-out: the user has been told and the normal pointer is back. The answer is in
// CuAnswer().
bool askP50x(ZentraleHost& host, const QString& command, const QString& status);

// Sends a P50X read of one CV and tests its answer. `answered` false: a time-out, the user
// has been told. `value`: the CV's content. Answered without a value: the answer's error
// text is on the status bar and the computer has beeped.
struct CvRead {
    bool answered = false;
    std::optional<int> value;
};
CvRead readCvP50x(ZentraleHost& host, const QString& command, const QString& status);

// An answer that did not pass its test: its error text on the status bar and a beep.
void reportReadError(ZentraleHost& host, const QString& answer);
void reportWriteError(ZentraleHost& host, const QString& answer);
