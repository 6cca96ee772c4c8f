#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its installation data (specialchars.dat, samples, help pages):
// next to the executable first (the build tree), then the installed data directory.
class DataPaths {
public:
    static QStringList searchDirs();
    // The first existing file of that name in the search directories, or an empty string.
    static QString find(const QString &name);
    // Replaces the search directories (tests); an empty list restores the defaults.
    static void overrideSearchDirs(const QStringList &dirs);
};
