#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its installation data (specialchars.dat, samples, help pages) and its
// message catalogues: next to the executable first (the build tree), then in the data directories
// of the installation the executable belongs to, found relative to it (share/vantell and
// share/locale beside bin/), so that any installation prefix works.
class DataPaths {
public:
    static QStringList searchDirs();
    // The first existing file of that name in the search directories, or an empty string.
    static QString find(const QString &name);
    // Replaces the search directories (tests); an empty list restores the defaults.
    static void overrideSearchDirs(const QStringList &dirs);

    // The folder of the message catalogues: the build tree's locale/ beside the executable when
    // it is there, otherwise the installation's locale directory.
    static QString localeDir();
};
