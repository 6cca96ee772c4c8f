#include "core/render/richfile.h"

#include <QPalette>
#include <QTextDocument>
#include <QTextEdit>

#include "core/import/documentimport.h"
#include "core/rtf/rtf.h"
#include "core/platform/textfile.h"
#include "core/render/scriptloader.h"

void loadrichfile(QTextEdit *control, const QString &path)
{
    if (isimportable(path)) {
        importdocument(path, control->document());
        control->setAcceptRichText(true);
        return;
    }
    const QByteArray data = readwholefile(path);
    control->setAcceptRichText(true);
    if (!readRtf(data, control->document()))
        control->setPlainText(decodetext(data));
}

void saverichfile(QTextEdit *control, const QString &path)
{
    control->setAcceptRichText(true);
    // Written as shown: text the control shows in its own foreground keeps that colour in any
    // other reader, which would otherwise give it its own (black on a white page, say).
    writewholefile(path, writeRtf(control->document(), control->palette().color(QPalette::Text)));
}

void saveplainfile(const QTextEdit *control, const QString &path)
{
    QByteArray data;
    for (const QString &line : plainlines(control))
        data += line.toUtf8() + "\r\n";
    writewholefile(path, data);
}
