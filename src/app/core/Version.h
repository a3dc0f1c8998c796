#pragma once

#include <QString>

// "Rel. " major.minor.revision of the program's version, as the main window shows it.
QString releaseText();
