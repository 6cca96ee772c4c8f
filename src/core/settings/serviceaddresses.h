#pragma once

#include <QString>
#include <QUrl>

// Where the program's web service is: the product's web site (start page and update pages, and
// the address the about window links to), the help site, and the address the connection probe
// asks. They are installation settings, group "Service" of the settings store ("SiteUrl",
// "HelpUrl", "ProbeUrl"); the environment variables VANTELL_SERVICE_URL, VANTELL_HELP_URL and
// VANTELL_PROBE_URL override them. Without either, all three are the program's own web service
// (vantell-webservice) on this machine, so an installation without it starts quietly.
struct ServiceAddresses {
    QUrl site;
    QUrl help;
    QUrl probe;

    static ServiceAddresses load();

    // The start page, with `webquery` ("?v=...&t=...") appended.
    QUrl startpage(const QString &webquery) const;
    QUrl helppage() const;

    static constexpr quint16 defaultPort = 8467;
};

// The query of the start page: the program's version and edition letter.
QString webquery(const QString &version, const QString &edition);
