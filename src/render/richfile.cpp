#include "render/richfile.h"

#include <stdexcept>

#include <QSaveFile>
#include <QTextDocument>
#include <QTextEdit>

#include "platform/rtf.h"
#include "platform/textfile.h"
#include "platform/translation.h"
#include "stringtable.h"

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
    const QByteArray data = writeRtf(control->document());
    QSaveFile file(path);
    const auto fail = [&path](const QString &reason) {
        throw std::runtime_error(i18n(str::CannotWriteFile).arg(path, reason).toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(reason);
    }
    if (!file.commit())
        fail(file.errorString());
}
