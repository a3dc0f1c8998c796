#pragma once

#include <QString>

struct AppContext;

// The settings file "Quillex.cfg" in the data folder: 28 lines of section headers and
// values, each header but the last followed by its values and a blank line.

QString configFilePath(const AppContext& ctx);

// Fills the stored settings of ctx from the file and applies the defaults (port "1",
// settings "2400,N,8,1", speed steps "1", Lenz interface at most 1). A missing or
// unreadable file is no error: the defaults apply.
void ReadConfig(AppContext& ctx);

// Writes the stored settings of ctx. Throws Failure(75) when the file cannot be written
// (61 on a full disk); the old file then stays as it was.
void WriteConfig(const AppContext& ctx);
