#include "testsupport/evdevrecording.h"

#include <stdexcept>

#include <libevdev/libevdev.h>

#include <QFile>
#include <QStringList>

QList<InputFrame> readevdevrecording(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read the recording " + path.toStdString());
    QList<InputFrame> frames;
    InputFrame frame;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line == QLatin1String("SYN")) {
            frames << frame;
            frame.clear();
            continue;
        }
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool numeric = false;
        const int value = words.size() == 3 ? words.at(2).toInt(&numeric) : 0;
        const int type =
            words.isEmpty() ? -1 : libevdev_event_type_from_name(words.at(0).toLatin1().constData());
        const int code = type < 0 || words.size() < 2
                             ? -1
                             : libevdev_event_code_from_name(uint(type), words.at(1).toLatin1().constData());
        if (!numeric || type < 0 || code < 0)
            throw std::runtime_error(
                QStringLiteral("%1:%2: no event: %3").arg(path).arg(number).arg(line).toStdString());
        frame << InputRecord{type, code, value};
    }
    return frames;
}

QByteArray evdevrecordingbytes(const QList<InputFrame> &frames)
{
    QByteArray bytes;
    for (const InputFrame &frame : frames)
        bytes += evdevbytes(frame);
    return bytes;
}
