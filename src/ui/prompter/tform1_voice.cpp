// Voice following on the prompter: its option, key, menu entry and status.
#include <QAction>
#include <QLabel>

#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/prompter/tform1.h"
#include "ui/prompter/voicefollowing.h"
#include "ui/toolkit/statusnotice.h"
#include "ui/toolkit/toolimage.h"

void TForm1::createVoice()
{
    voice = new VoiceFollowing(wb1, engine, this);
    voice->setObjectName(QStringLiteral("voice"));
    VoiceFollowing1->setShortcut(QKeySequence(Qt::Key_V));
    VoiceFollowing1->setShortcutContext(Qt::WidgetShortcut); // the key acts through promptKey
    connect(VoiceFollowing1, &QAction::triggered, this, [this](bool on) { setVoiceFollowing(on); });
    connect(voice, &VoiceFollowing::switched, VoiceFollowing1, &QAction::setChecked);
    connect(voice, &VoiceFollowing::stateText, voicelabel, &QLabel::setText);
    connect(voice, &VoiceFollowing::notice, this,
            [this](const QString &message) { m_notice->show(message); });
    // A new page is followed from its start.
    connect(this, &TForm1::pageMeasured, voice, &VoiceFollowing::pageChanged);
    // The operator's controls win: a press on the toolbar (keys, clicks on the page and the speed
    // slider take over where they act).
    for (ToolImage *image : {Image4, Image12, Image10, Image11, Image9, Image8, Image7, Image6, Image5})
        connect(image, &ToolImage::mouseDown, voice, &VoiceFollowing::takeOver);
}

void TForm1::setVoiceSettings(const VoiceSettings &values)
{
    voicesettings = values;
    voice->setMicrophone(values.microphone);
    setVoiceFollowing(values.enabled);
}

void TForm1::setVoiceFollowing(bool on)
{
    voice->setReadingLine(readingaids.readingLine.height);
    voice->setOn(on);
}
