#include "ui/voice/voicefollowing.h"

#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "core/voice/microphoneinput.h"
#include "core/voice/voicevocabulary.h"
#include "core/voice/wavfileinput.h"

VoiceFollowing::VoiceFollowing(Browser *page, PromptEngine *engine, QObject *parent)
    : QObject(parent), m_page(page), m_engine(engine), m_listener(SpeechModel::english())
{
    m_steer.setInterval(steerMs);
    connect(&m_steer, &QTimer::timeout, this, &VoiceFollowing::steer);
    connect(&m_listener, &VoiceListener::listening, this, [this] {
        m_listening = true;
        showState();
    });
    connect(&m_listener, &VoiceListener::heard, this, [this](const QStringList &words) {
        m_follower.heard(words);
        showState();
    });
    connect(&m_listener, &VoiceListener::utteranceEnded, this, [this] {
        m_follower.utteranceEnded();
        showState();
    });
    connect(&m_listener, &VoiceListener::failed, this, &VoiceFollowing::fail);
}

void VoiceFollowing::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    if (on) {
        measure();
    } else {
        m_listener.stop();
        stopSteering();
    }
    showState();
    emit switched(on);
}

void VoiceFollowing::pageChanged()
{
    if (m_on)
        measure();
}

void VoiceFollowing::takeOver()
{
    if (!m_on)
        return;
    // The engine is the operator's from here: the speed following gave it is theirs to change.
    m_speed = 0;
    setOn(false);
    emit notice(i18n(str::VoiceTakenOver));
}

void VoiceFollowing::measure()
{
    m_listening = false;
    m_listener.stop();
    stopSteering();
    QPointer<VoiceFollowing> self(this);
    m_page->measureWords([self](const PageText &text) {
        if (self)
            self->measured(text);
    });
}

void VoiceFollowing::measured(const PageText &text)
{
    if (!m_on)
        return;
    // A page turned here has its script's start at the bottom: the reading line's arithmetic
    // below is for a page read downward.
    if (m_engine->isUpsideDown()) {
        fail(i18n(str::VoiceUpsideDown));
        return;
    }
    const QList<ScriptWord> words = scriptwords(text.words);
    if (words.isEmpty()) {
        fail(i18n(str::VoiceNoWords));
        return;
    }
    QStringList spoken;
    for (const ScriptWord &word : words)
        spoken.append(word.word);
    if (!VoiceVocabulary::holdsEnglish(spoken)) {
        fail(i18n(str::VoiceNotEnglish));
        return;
    }
    m_lineHeight = text.lineHeight;
    m_viewHeight = text.viewHeight;
    m_follower.setScript(words);
    // The speaker starts at the line at the reading line.
    const double readingY = m_page->estimatedPosition() + m_readingLine * m_viewHeight;
    int place = 0;
    while (place + 1 < words.size() && words.at(place).top + m_lineHeight / 2 < readingY)
        ++place;
    m_follower.setPlace(place);
    const QString file = qEnvironmentVariable("VANTELL_VOICE_FILE");
    const QByteArray microphone = m_microphone;
    m_listener.start(
        [file, microphone]() -> AudioInput * {
            if (!file.isEmpty())
                return new WavFileInput(file);
            return new MicrophoneInput(microphone);
        },
        spoken);
    m_speed = 0;
    m_steer.start();
    showState();
}

void VoiceFollowing::steer()
{
    const int target = m_follower.targetTop();
    int speed = 0;
    if (target >= 0 && !m_engine->isGliding()) {
        const double readingY = m_page->estimatedPosition() + m_readingLine * m_viewHeight;
        speed = VoiceFollower::enginespeed(VoiceFollower::rate(readingY, target, m_lineHeight),
                                           m_engine->coarse());
    }
    if (speed == m_speed)
        return;
    m_speed = speed;
    m_engine->setSpeed(speed);
}

void VoiceFollowing::stopSteering()
{
    m_steer.stop();
    if (m_speed != 0)
        m_engine->setSpeed(0);
    m_speed = 0;
}

void VoiceFollowing::fail(const QString &message)
{
    if (!m_on)
        return;
    setOn(false);
    emit notice(message);
}

void VoiceFollowing::showState()
{
    QString text;
    if (m_on && !m_listening)
        text = i18n(str::VoiceStarting);
    else if (m_on)
        switch (m_follower.state()) {
        case VoiceState::Listening:
            text = i18n(str::VoiceListening);
            break;
        case VoiceState::Following:
            text = i18n(str::VoiceFollowingState);
            break;
        case VoiceState::Lost:
            text = i18n(str::VoiceLost);
            break;
        }
    if (text != m_shown) {
        m_shown = text;
        emit stateText(text);
    }
}
