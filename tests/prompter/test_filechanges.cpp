#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/prompter/tform1.h"
#include "core/render/scriptfilewatch.h"
#include "testsupport/eventwait.h"
#include "testsupport/scriptplaces.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"
#include "testsupport/features.h"

// The script's file changes or goes while the page shows it: nothing breaks, the operator is told,
// and with "Reload when the file changes" the new text is shown at the reader's line.
class TestFileChanges : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void changeIsOnlyToldWhenTheOptionIsOff();
    void changedLineIsReloadedInPlace();
    void linesInsertedAboveKeepTheReaderAtHisLine();
    void runningPageRunsOnAfterTheReload();
    void vanishedFileLeavesThePageAsItWas();

private:
    void writeScript(const QStringList &lines);
    void setReload(bool on);
    void moveTo(int position);
    // Waits for the watch to report and the page to stand again.
    bool waitForReload();
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    QTemporaryDir m_dir;
    QString m_path;
};

namespace {

QStringList script(int lines, const QString &prefix = QString())
{
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("%1Line %2 of the bulletin").arg(prefix).arg(i + 1);
    return text;
}

// The text at the top of the page's view, asked of the page.
QString lineAtTop(Browser *page)
{
    QString text;
    bool answered = false;
    page->page()->runJavaScript(QStringLiteral("(function(){ const r = document.caretRangeFromPoint(20, 4); "
                                               "return r ? r.startContainer.textContent : ''; })()"),
                                QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
                                    text = value.toString();
                                    answered = true;
                                });
    runEventsUntil([&] { return answered; }, 5000);
    return text.trimmed();
}

} // namespace

void TestFileChanges::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    m_path = m_dir.filePath(QStringLiteral("bulletin.txt"));
}

void TestFileChanges::cleanupTestCase()
{
    delete m_env;
}

void TestFileChanges::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
    setReload(false);
    writeScript(script(600));
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->openscript(m_path);
    QVERIFY(runEventsUntil([&] { return !measured.isEmpty(); }, 30000));
}

void TestFileChanges::writeScript(const QStringList &lines)
{
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join(QLatin1Char('\n')).toUtf8());
}

void TestFileChanges::setReload(bool on)
{
    changeModes(m_form, [on](DisplayModes &modes) { modes.reloadChangedScript = on; });
}

void TestFileChanges::moveTo(int position)
{
    QVERIFY(settle([this, position](auto done) { m_form->wb1->scrollTo(0, position, done); }));
}

bool TestFileChanges::waitForReload()
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    return runEventsUntil([&] { return !measured.isEmpty(); }, 10000) && askPosition(m_form->wb1);
}

void TestFileChanges::changeIsOnlyToldWhenTheOptionIsOff()
{
    QSignalSpy changed(named<ScriptFileWatch>(m_form, "scriptwatch"), &ScriptFileWatch::changed);
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    writeScript(script(600, QStringLiteral("New ")));
    QVERIFY(runEventsUntil([&] { return !changed.isEmpty(); }, 5000));
    QVERIFY(m_form->Label4->text().contains(QLatin1String("changed on disk")));
    runEventsFor(500);
    QVERIFY(measured.isEmpty());
    QVERIFY(!m_form->promptstate.scriptlines.first().startsWith(QLatin1String("New ")));
}

void TestFileChanges::changedLineIsReloadedInPlace()
{
    setReload(true);
    moveTo(5000);
    const QString before = lineAtTop(m_form->wb1);
    QVERIFY2(before.startsWith(QLatin1String("Line ")), qPrintable(before));
    QStringList changed = script(600);
    changed[300] = QStringLiteral("Line 301 of the bulletin, corrected");
    writeScript(changed);
    QVERIFY(waitForReload());
    QCOMPARE(m_form->wb1->scrollPosition(), 5000);
    QCOMPARE(lineAtTop(m_form->wb1), before);
    QVERIFY(m_form->Label4->text().contains(QLatin1String("reloaded")));
    QCOMPARE(m_form->promptstate.scriptlines.at(300), changed.at(300));
}

void TestFileChanges::linesInsertedAboveKeepTheReaderAtHisLine()
{
    setReload(true);
    moveTo(8000);
    const QString before = lineAtTop(m_form->wb1);
    writeScript(script(150, QStringLiteral("Added ")) + script(600));
    QVERIFY(waitForReload());
    QVERIFY(m_form->wb1->scrollPosition() > 8000);
    // The nearest line, at most a few lines off: the page places it by its share of the page.
    const int was = before.section(QLatin1Char(' '), 1, 1).toInt();
    const QString now = lineAtTop(m_form->wb1);
    const int is = now.section(QLatin1Char(' '), 1, 1).toInt();
    QVERIFY2(now.startsWith(QLatin1String("Line ")) && std::abs(is - was) <= 3,
             qPrintable(QStringLiteral("%1 -> %2").arg(before, now)));
}

void TestFileChanges::runningPageRunsOnAfterTheReload()
{
    setReload(true);
    m_form->speedmod->setValue(3);
    m_form->engine->setSpeed(300);
    m_form->adjustspeed();
    QVERIFY(runEventsUntil([&] { return m_form->wb1->scrollPosition() > 100; }));
    writeScript(script(600, QStringLiteral("Live ")));
    QVERIFY(waitForReload());
    QVERIFY(m_form->engine->isRunning());
    QCOMPARE(m_form->engine->scrollspeed(), 300);
    const int placed = m_form->wb1->scrollPosition();
    QVERIFY(placed > 0);
    QVERIFY(runEventsUntil([&] { return m_form->wb1->scrollPosition() > placed + 20; }));
}

void TestFileChanges::vanishedFileLeavesThePageAsItWas()
{
    setReload(true);
    moveTo(3000);
    QSignalSpy vanished(named<ScriptFileWatch>(m_form, "scriptwatch"), &ScriptFileWatch::vanished);
    QVERIFY(QFile::remove(m_path));
    QVERIFY(runEventsUntil([&] { return !vanished.isEmpty(); }, 5000));
    QVERIFY(m_form->Label4->text().contains(QLatin1String("no longer on disk")));
    QVERIFY(askPosition(m_form->wb1));
    QCOMPARE(m_form->wb1->scrollPosition(), 3000);
    QCOMPARE(m_form->promptstate.scriptlines.size(), 600);
    QVERIFY(m_env->dialogs.shown.isEmpty());
}

VANTELL_UI_TEST_MAIN(TestFileChanges)
#include "test_filechanges.moc"
