#pragma once

#include <functional>

class ZentraleHost;

// The frame of every CV 29 and address operation of the Intellibox window: only an
// Intellibox or a MasterControl understands the P50X text they send (a 6021 gets a beep
// and nothing), one exchange at a time (a second one gets a beep), and a failing port goes
// to the central error report with the normal pointer back.
void runP50xOperation(ZentraleHost& host, const std::function<void()>& body);
