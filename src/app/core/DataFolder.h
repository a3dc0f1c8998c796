#pragma once

#include <QString>

// Where the program keeps its files (configuration, manufacturer list, option list):
// the program's own folder when it is writable (a portable install), else the
// per-user application data folder, created when missing. A build tree (a folder holding
// CMakeCache.txt) is no install: "make clean" or a fresh build would delete the user's
// files with it, so a program run from there keeps them in the per-user folder too.
QString chooseDataFolder();
// The same choice for the given folders; the user folder is not created here.
QString chooseDataFolder(const QString& programFolder, const QString& userFolder);

// The folder of the help pages (the value of HelpFile): "help" beside the program, where
// the build and an install put it, else the source tree's help folder for a run straight
// from a build that did not copy it.
QString findHelpFolder();
