#include "core/voice/microphoneinput.h"

#include <QAudioSource>
#include <QMediaDevices>

#include "core/platform/translation.h"
#include "stringtable.h"

MicrophoneInput::MicrophoneInput(const QByteArray &deviceId, QObject *parent)
    : AudioInput(parent), m_deviceId(deviceId)
{
}

MicrophoneInput::~MicrophoneInput()
{
    stop();
}

QList<QPair<QByteArray, QString>> MicrophoneInput::devices()
{
    QList<QPair<QByteArray, QString>> list;
    for (const QAudioDevice &device : QMediaDevices::audioInputs())
        list.append({device.id(), device.description()});
    return list;
}

void MicrophoneInput::start()
{
    stop();
    QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (!m_deviceId.isEmpty()) {
        device = {};
        for (const QAudioDevice &input : QMediaDevices::audioInputs())
            if (input.id() == m_deviceId)
                device = input;
    }
    if (device.isNull()) {
        emit failed(i18n(str::VoiceNoMicrophone));
        return;
    }
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        emit failed(i18n(str::VoiceMicrophoneFormat).arg(device.description()));
        return;
    }
    m_description = device.description();
    m_source = new QAudioSource(device, format, this);
    m_io = m_source->start();
    if (!m_io || m_source->error() != QAudio::NoError) {
        emit failed(i18n(str::VoiceMicrophoneFailed).arg(device.description()));
        stop();
        return;
    }
    connect(m_io, &QIODevice::readyRead, this, &MicrophoneInput::readAvailable);
    connect(m_source, &QAudioSource::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && m_source && m_source->error() != QAudio::NoError)
            emit failed(i18n(str::VoiceMicrophoneFailed).arg(m_description));
    });
}

void MicrophoneInput::stop()
{
    if (!m_source)
        return;
    m_source->disconnect(this);
    m_source->stop();
    delete m_source;
    m_source = nullptr;
}

void MicrophoneInput::readAvailable()
{
    if (m_io) {
        const QByteArray samples = m_io->readAll();
        if (!samples.isEmpty())
            emit audio(samples);
    }
}
