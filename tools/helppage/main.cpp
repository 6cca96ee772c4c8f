// Writes the help page of the keys from its template: the tables of the prompter's keys and of a
// clicker's buttons come from the command map, so that the page says what the keys do.
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include "core/commands/commandmap.h"

int main(int argc, char *argv[])
{
    QTextStream errors(stderr);
    if (argc != 3) {
        errors << "usage: vantell-helppage TEMPLATE OUTPUT\n";
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        errors << source.fileName() << ": " << source.errorString() << '\n';
        return 1;
    }
    QString page = QString::fromUtf8(source.readAll());
    page.replace(QStringLiteral("<!-- key table -->\n"), keytablerows());
    page.replace(QStringLiteral("<!-- clicker table -->\n"), clickertablerows());
    QSaveFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly) || output.write(page.toUtf8()) < 0 || !output.commit()) {
        errors << output.fileName() << ": " << output.errorString() << '\n';
        return 1;
    }
    return 0;
}
