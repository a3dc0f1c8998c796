#pragma once

#include <QString>

// Where the program keeps its files (configuration, manufacturer list, option list):
// the program's own folder when it is writable, as a portable install always did,
// else the per-user application data folder, created when missing.
QString chooseDataFolder();

// The folder of the help pages (the value of HelpFile): "help" beside the program, where
// the build and an install put it, else the source tree's help folder for a run straight
// from a build that did not copy it.
QString findHelpFolder();
