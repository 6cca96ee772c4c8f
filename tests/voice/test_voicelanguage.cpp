#include <QSignalSpy>

#include "ui/prompter/tform1.h"
#include "ui/voice/voicecontrol.h"
#include "ui/voice/voicefollowing.h"
#include "testsupport/features.h"
#include "testsupport/programwindows.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"

// Voice following knows English only: on a page without an English word it says so plainly and
// turns off, where it would otherwise listen for a script it cannot hear.
class TestVoiceLanguage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aPageWithoutEnglishIsNotFollowed();

private:
    std::unique_ptr<UiTestEnvironment> m_env;
    TForm1 *m_form = nullptr;
};

void TestVoiceLanguage::init()
{
    m_env = std::make_unique<UiTestEnvironment>();
    m_form = m_env->start();
}

void TestVoiceLanguage::cleanup()
{
    m_env.reset();
}

void TestVoiceLanguage::aPageWithoutEnglishIsNotFollowed()
{
    m_form->promptstate.scriptlines = QStringList{
        QStringLiteral("\u0645\u0631\u062d\u0628\u0627 \u0628\u0643\u0645 \u0641\u064a "
                       "\u0627\u0644\u0623\u062e\u0628\u0627\u0631"),
        QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u05dc\u05db\u05d5\u05dc\u05dd 2024"),
    };
    QVERIFY(reloadAndWait(m_form));
    VoiceControl &voice = feature<VoiceControl>(m_form);
    QSignalSpy notice(voice.following(), &VoiceFollowing::notice);
    voice.setOn(true);
    QVERIFY(notice.wait(10000));
    QCOMPARE(notice.first().first().toString(),
             QStringLiteral(
                 "Voice following is off: it follows English only, and the page holds no English words."));
    QVERIFY(!voice.isOn());
}

VANTELL_UI_TEST_MAIN(TestVoiceLanguage)
#include "test_voicelanguage.moc"
