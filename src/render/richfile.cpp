#include "render/richfile.h"

#include <QTextDocument>
#include <QTextEdit>

#include "platform/rtf.h"
#include "platform/textfile.h"

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
