// vantell-webservice: serves the start page, the update pages and the help pages on this machine.
#include <cstdio>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include "localwebservice.h"
#include "core/platform/datapaths.h"
#include "core/settings/serviceaddresses.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantell-webservice"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTELL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The start, update and help pages of Vantell, on 127.0.0.1."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to listen on."),
                                  QStringLiteral("port"), QString::number(ServiceAddresses::defaultPort));
    const QCommandLineOption helpDir(QStringLiteral("help-dir"), QStringLiteral("Folder of the help pages."),
                                     QStringLiteral("folder"), DataPaths::find(QStringLiteral("help")));
    const QCommandLineOption current(
        QStringLiteral("current-version"),
        QStringLiteral("Older versions asking for the start page get the update page."),
        QStringLiteral("version"), QStringLiteral(VANTELL_VERSION));
    parser.addOptions({port, helpDir, current});
    parser.process(app);

    bool portOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    if (!portOk || portNumber > 65535) {
        std::fprintf(stderr, "vantell-webservice: not a port number: %s\n", qPrintable(parser.value(port)));
        return 2;
    }
    LocalWebService service;
    service.setHelpDirectory(parser.value(helpDir));
    service.setCurrentVersion(parser.value(current));
    if (!service.listen(static_cast<quint16>(portNumber))) {
        std::fprintf(stderr, "vantell-webservice: cannot listen on 127.0.0.1:%u\n", portNumber);
        return 1;
    }
    std::printf("Serving on %s (help pages from %s)\n", qPrintable(service.url().toString()),
                qPrintable(QDir::toNativeSeparators(parser.value(helpDir))));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
