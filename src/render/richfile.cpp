#include "render/richfile.h"

#include <QTextDocument>
#include <QTextEdit>

#include "platform/rtf.h"
#include "platform/textfile.h"
#include "render/scriptloader.h"

void loadrichfile(QTextEdit *control, const QString &path)
{
    const QByteArray data = readwholefile(path);
    control->setAcceptRichText(true);
    if (!readRtf(data, control->document()))
        control->setPlainText(decodetext(data));
}

void saverichfile(QTextEdit *control, const QString &path)
{
    control->setAcceptRichText(true);
    writewholefile(path, writeRtf(control->document()));
}

void saveplainfile(const QTextEdit *control, const QString &path)
{
    QByteArray data;
    for (const QString &line : plainlines(control))
        data += line.toUtf8() + "\r\n";
    writewholefile(path, data);
}
