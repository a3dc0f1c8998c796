#pragma once

#include <QString>

// Where the program keeps its files (configuration, manufacturer list, option list):
// the program's own folder when it is writable, as a portable install always did,
// else the per-user application data folder, created when missing.
QString chooseDataFolder();
