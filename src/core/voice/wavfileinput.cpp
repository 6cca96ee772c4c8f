#include "core/voice/wavfileinput.h"

#include <QFile>
#include <QTimer>
#include <QtEndian>

#include "core/platform/translation.h"
#include "stringtable.h"

WavFileInput::WavFileInput(const QString &path, QObject *parent)
    : AudioInput(parent), m_path(path), m_timer(new QTimer(this))
{
    m_timer->setInterval(20);
    connect(m_timer, &QTimer::timeout, this, &WavFileInput::deliver);
}

bool WavFileInput::read(const QString &path, QByteArray *samples, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = i18n(str::VoiceFileUnreadable).arg(path, file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    const auto u16 = [&data](qsizetype at) { return qFromLittleEndian<quint16>(data.constData() + at); };
    const auto u32 = [&data](qsizetype at) { return qFromLittleEndian<quint32>(data.constData() + at); };
    bool format = false;
    if (data.size() >= 12 && data.startsWith("RIFF") && data.mid(8, 4) == "WAVE") {
        for (qsizetype at = 12; at + 8 <= data.size();) {
            const QByteArray id = data.mid(at, 4);
            const qsizetype size = u32(at + 4);
            const qsizetype body = at + 8;
            if (id == "fmt " && size >= 16 && body + 16 <= data.size())
                format = u16(body) == 1 && u16(body + 2) == 1 && u32(body + 4) == sampleRate &&
                         u16(body + 14) == 16;
            if (id == "data" && format) {
                *samples = data.mid(body, qMin(size, data.size() - body) & ~qsizetype(1));
                return true;
            }
            at = body + size + (size & 1);
        }
    }
    *error = i18n(str::VoiceFileFormat).arg(path);
    return false;
}

void WavFileInput::start()
{
    QString error;
    if (!read(m_path, &m_samples, &error)) {
        emit failed(error);
        return;
    }
    m_delivered = 0;
    m_clock.start();
    m_timer->start();
}

void WavFileInput::stop()
{
    m_timer->stop();
}

void WavFileInput::deliver()
{
    // As much as a microphone would have heard by now.
    const qsizetype due = qMin(m_samples.size(), qsizetype(m_clock.elapsed() * sampleRate / 1000) * 2);
    if (due > m_delivered) {
        emit audio(m_samples.mid(m_delivered, due - m_delivered));
        m_delivered = due;
    }
    if (m_delivered >= m_samples.size()) {
        m_timer->stop();
        emit finished();
    }
}
