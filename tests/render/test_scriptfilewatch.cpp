#include <cstdio>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/prompter/nearestline.h"
#include "core/render/scriptfilewatch.h"
#include "testsupport/testmain.h"

// A script's file changing or going while it is shown: the watch reports each burst of changes
// once, however the editor saved; and the reader's line is found again in the changed text.
class TestScriptFileWatch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void writingInPlaceIsOneChange();
    void savingByRenameIsAChangeAndIsWatchedOn();
    void deletingIsAVanishAndComingBackAChange();
    void watchingNothing();
    void nearestLineFollowsTheText();

private:
    void write(const QString &path, const QByteArray &bytes);
    QTemporaryDir m_dir;
    QString m_script;
};

namespace {
// Long enough for a burst to settle and be reported.
constexpr int reportMs = ScriptFileWatch::settleMs + 2000;
} // namespace

void TestScriptFileWatch::write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void TestScriptFileWatch::init()
{
    m_script = m_dir.filePath(QStringLiteral("evening.txt"));
    write(m_script, "Good evening\n");
}

void TestScriptFileWatch::writingInPlaceIsOneChange()
{
    ScriptFileWatch watch;
    watch.watch(m_script);
    QSignalSpy changed(&watch, &ScriptFileWatch::changed);
    // Written in three goes, as an editor that writes in pieces does.
    write(m_script, "Good evening\nand welcome\n");
    QFile file(m_script);
    QVERIFY(file.open(QIODevice::Append));
    file.write("to the news\n");
    file.close();
    QVERIFY(changed.wait(reportMs));
    QTest::qWait(ScriptFileWatch::settleMs * 2);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().toString(), QFileInfo(m_script).absoluteFilePath());
}

void TestScriptFileWatch::savingByRenameIsAChangeAndIsWatchedOn()
{
    ScriptFileWatch watch;
    watch.watch(m_script);
    QSignalSpy changed(&watch, &ScriptFileWatch::changed);
    QSignalSpy vanished(&watch, &ScriptFileWatch::vanished);
    const QString fresh = m_dir.filePath(QStringLiteral(".evening.txt.new"));
    write(fresh, "Saved by rename\n");
    QVERIFY(::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(m_script).constData()) == 0);
    QVERIFY(changed.wait(reportMs));
    QCOMPARE(vanished.size(), 0);
    // The new file is watched as the old one was.
    write(m_script, "Saved by rename, then in place, and longer\n");
    QVERIFY(changed.wait(reportMs));
    QCOMPARE(changed.size(), 2);
}

void TestScriptFileWatch::deletingIsAVanishAndComingBackAChange()
{
    ScriptFileWatch watch;
    watch.watch(m_script);
    QSignalSpy changed(&watch, &ScriptFileWatch::changed);
    QSignalSpy vanished(&watch, &ScriptFileWatch::vanished);
    QVERIFY(QFile::remove(m_script));
    QVERIFY(vanished.wait(reportMs));
    QCOMPARE(changed.size(), 0);
    write(m_script, "Back again\n");
    QVERIFY(changed.wait(reportMs));
    QCOMPARE(vanished.size(), 1);
}

void TestScriptFileWatch::watchingNothing()
{
    ScriptFileWatch watch;
    watch.watch(m_script);
    // A newsroom story's slug, or no script at all, is no file.
    watch.watch(QStringLiteral("STORY 12 slug"));
    QCOMPARE(watch.path(), QString());
    QSignalSpy changed(&watch, &ScriptFileWatch::changed);
    write(m_script, "Changed while nobody watches\n");
    QVERIFY(!changed.wait(ScriptFileWatch::settleMs * 3));
}

void TestScriptFileWatch::nearestLineFollowsTheText()
{
    const QStringList old{"Intro", "", "Weather", "Sport", "", "Close"};
    // Lines inserted above: the same text, further down.
    QCOMPARE(nearestline(old, 3, {"New", "Lines", "Intro", "", "Weather", "Sport", "", "Close"}), 5);
    // Of two places with that text, the one nearer the old place.
    QCOMPARE(nearestline(old, 3, {"Sport", "Intro", "Weather", "Sport", "Close"}), 3);
    // Its text gone: the same line number, within the new script.
    QCOMPARE(nearestline(old, 3, {"Intro", "Weather", "Football", "Close"}), 3);
    QCOMPARE(nearestline(old, 5, {"Intro", "Close!"}), 1);
    // A blank line is found by number, not at the first blank line.
    QCOMPARE(nearestline(old, 4, {"", "Intro", "", "Weather", "Sport", "Close"}), 4);
    QCOMPARE(nearestline(old, 2, {}), -1);
    QCOMPARE(nearestline(old, 40, {"a", "b"}), 1);
    QCOMPARE(nearestline({}, 0, {"a"}), 0);
}

VANTELL_CORE_TEST_MAIN(TestScriptFileWatch)
#include "test_scriptfilewatch.moc"
