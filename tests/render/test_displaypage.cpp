#include <QImage>
#include <QSignalSpy>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "core/render/page.h"
#include "testsupport/imagecompare.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"

class TestDisplayPage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void reloadBuildsTheExactPageAndMeasuresIt();
    void rotatedLocallyShowsTheBottom();
    void remoteTargetsLeaveThePagePlain();
    void capitalsOption();
    void mirroredPageIsTheMirrorImage();
    void rotatedPageIsTurnedHalfway();

private:
    void reload();
    std::unique_ptr<UiTestEnvironment> m_env;
    TForm1 *m_form = nullptr;
};

namespace {

QStringList sampleScript(int lines)
{
    QStringList script;
    for (int i = 0; i < lines; ++i)
        script << QStringLiteral("Line %1 of the script, \u00e9t\u00e9 \u2014 good evening").arg(i + 1);
    return script;
}

} // namespace

void TestDisplayPage::init()
{
    m_env = std::make_unique<UiTestEnvironment>();
    m_form = m_env->start();
    m_form->resize(900, 300);
}

void TestDisplayPage::cleanup()
{
    m_env.reset();
}

void TestDisplayPage::reload()
{
    QVERIFY(reloadAndWait(m_form));
}

void TestDisplayPage::reloadBuildsTheExactPageAndMeasuresIt()
{
    m_form->promptstate.scriptlines = sampleScript(80);
    reload();
    QStringList expectedScript = sampleScript(80);
    const QStringList expected = buildpage(expectedScript, m_form->promptstate.specialtable,
                                           PageFont{QStringLiteral("Arial"), 24}, false, false, false);
    QCOMPARE(m_form->promptstate.pagelines, expected);
    QCOMPARE(m_form->promptstate.scriptlines, expectedScript);
    QVERIFY(m_form->promptstate.scriptlines.constFirst().contains(QStringLiteral("&eacute;")));
    QVERIFY(m_form->promptstate.pagebottom > 80 * 20);
    QCOMPARE(m_form->wb1->scrollPosition(), 0);
}

void TestDisplayPage::rotatedLocallyShowsTheBottom()
{
    m_form->promptstate.scriptlines = sampleScript(80);
    m_form->promptstate.rotateon = true;
    reload();
    QVERIFY(m_form->promptstate.pagelines.contains(
        QStringLiteral("<body style=\"filter: progid:DXImageTransform.Microsoft.BasicImage(rotation=2)\">")));
    QVERIFY(m_form->promptstate.pagebottom > 0);
    QCOMPARE(m_form->wb1->scrollPosition(), m_form->promptstate.pagebottom);
    changeModes(m_form, [](DisplayModes &modes) {
        modes.rotateTarget = DisplayTarget::Both;
    }); // Both acts here like Local
    reload();
    QCOMPARE(m_form->wb1->scrollPosition(), m_form->promptstate.pagebottom);
}

void TestDisplayPage::remoteTargetsLeaveThePagePlain()
{
    m_form->promptstate.scriptlines = sampleScript(80);
    m_form->promptstate.rotateon = true;
    m_form->promptstate.mirroron = true;
    changeModes(m_form, [](DisplayModes &modes) { modes.rotateTarget = DisplayTarget::Remote; });
    changeModes(m_form, [](DisplayModes &modes) { modes.mirrorTarget = DisplayTarget::Remote; });
    reload();
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("<body>")));
    QCOMPARE(m_form->wb1->scrollPosition(), 0);
}

void TestDisplayPage::capitalsOption()
{
    m_form->promptstate.scriptlines = {QStringLiteral("quiet please")};
    changeModes(m_form, [](DisplayModes &modes) { modes.capitals = true; });
    reload();
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("QUIET PLEASE<br>")));
}

void TestDisplayPage::mirroredPageIsTheMirrorImage()
{
    m_form->promptstate.scriptlines = sampleScript(30);
    reload();
    const QImage plain = settledGrab(m_form->wb1);
    QVERIFY(brightPixels(plain) > 500);
    m_form->promptstate.mirroron = true;
    reload();
    const QImage mirrored = settledGrab(m_form->wb1);
    QVERIFY2(differingShare(mirrored, plain.mirrored(true, false)) < 0.01,
             qPrintable(QString::number(differingShare(mirrored, plain.mirrored(true, false)))));
    QVERIFY(differingShare(mirrored, plain) > 0.02);
}

void TestDisplayPage::rotatedPageIsTurnedHalfway()
{
    m_form->promptstate.scriptlines = sampleScript(30);
    reload();
    const QImage plain = settledGrab(m_form->wb1);
    m_form->promptstate.rotateon = true;
    reload();
    const QImage turned = settledGrab(m_form->wb1);
    const QImage expected = plain.mirrored(true, true);
    QVERIFY2(differingShare(turned, expected) < 0.01,
             qPrintable(QString::number(differingShare(turned, expected))));
    QVERIFY(differingShare(turned, plain) > 0.02);
    // Mirror and rotate together: the page flipped upside down only.
    m_form->promptstate.mirroron = true;
    reload();
    const QImage both = settledGrab(m_form->wb1);
    QVERIFY(differingShare(both, plain.mirrored(false, true)) < 0.01);
}

VANTELL_UI_TEST_MAIN(TestDisplayPage)
#include "test_displaypage.moc"
