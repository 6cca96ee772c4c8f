#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "core/voice/scriptwords.h"
#include "core/voice/voicefollower.h"
#include "core/voice/voicelistener.h"

class Browser;
class PromptEngine;

// Voice following on the prompter: listens (VoiceListener), places the speaker in the page's words
// (VoiceFollower) and steers the engine's speed so that the word said reaches the reading line.
// Whatever the operator does with the page takes over at once (takeOver).
//
// The environment variable VANTELL_VOICE_FILE names a WAV file (16 kHz mono) heard in place of the
// microphone: for tests and demonstrations without one.
class VoiceFollowing : public QObject {
    Q_OBJECT
public:
    static constexpr int steerMs = 40;

    VoiceFollowing(Browser *page, PromptEngine *engine, QObject *parent = nullptr);

    bool isOn() const { return m_on; }
    // Turns following on (the page's words are measured, the recogniser starts) or off (the page
    // stands where it is).
    void setOn(bool on);
    void setMicrophone(const QByteArray &id) { m_microphone = id; }
    // Where the reading line is: a fraction of the view from its top.
    void setReadingLine(double fraction) { m_readingLine = fraction; }
    // The page was rebuilt (a new script): its words are measured and listened for again.
    void pageChanged();
    // The operator moved the page or changed its speed: following goes off at once.
    void takeOver();

signals:
    // What following does, for the status line; empty while it is off.
    void stateText(const QString &text);
    // A message for the status line: why following went off.
    void notice(const QString &message);
    void switched(bool on);

private:
    void measure();
    void measured(const PageText &text);
    void steer();
    void stopSteering();
    void fail(const QString &message);
    void showState();

    Browser *m_page;
    PromptEngine *m_engine;
    VoiceListener m_listener;
    VoiceFollower m_follower;
    QTimer m_steer;
    QByteArray m_microphone;
    double m_readingLine = 1.0 / 3;
    double m_lineHeight = 0;
    int m_viewHeight = 0;
    int m_speed = 0; // the speed following last gave the engine
    bool m_on = false;
    bool m_listening = false;
    QString m_shown;
};
