#pragma once

#include <QString>

// "Rel. " major.minor.revision of the program's version, as the main window shows it.
QString releaseText();

// The credit line of the speed-curve and Selectrix printouts: "(Quillex)   created by " and
// the program's authors.
QString createdByCreditText();
