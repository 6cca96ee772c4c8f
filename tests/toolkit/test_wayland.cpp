#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include "testsupport/programwindows.h"
#include "ui/editor/tform2.h"
#include "ui/toolkit/application.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"

// The program on a Wayland session (run by under-weston.sh in a headless weston): the prompter
// opens, a script shows and scrolls, the editor and the options window open; what the compositor
// shows is judged from its own screenshots.
class TestWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void runsOnWayland();
    void prompterFillsTheScreensWidth();
    void aScriptShowsAndScrolls();
    void editorOpens();
    void optionsWindowOpens();

private:
    // The whole screen as the compositor shows it.
    QImage screenshot();
    // The rows of the screen where the black page is, and what its middle shows there.
    static QRect pageRows(const QImage &screen);
    static qint64 brightPixels(const QImage &image);

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

void TestWayland::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QVERIFY(m_form);
}

void TestWayland::cleanupTestCase()
{
    delete m_env;
}

QImage TestWayland::screenshot()
{
    QTemporaryDir folder;
    QProcess shooter;
    shooter.setWorkingDirectory(folder.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    // The compositor draws on this thread's requests: keep answering it while the shot is taken.
    runEventsUntil([&shooter] { return shooter.state() == QProcess::NotRunning; }, 10000);
    const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")});
    return shots.isEmpty() ? QImage()
                           : QImage(folder.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

QRect TestWayland::pageRows(const QImage &screen)
{
    // The page's middle: away from the logo at the left and the sliders at the right.
    const int left = screen.width() / 10;
    const int right = screen.width() * 9 / 10;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < screen.height(); ++y) {
        int black = 0;
        for (int x = left; x < right; ++x)
            black += qGray(screen.pixel(x, y)) < 16;
        if (black * 10 >= (right - left) * 6) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    }
    return top < 0 ? QRect() : QRect(left, top, right - left, bottom - top + 1);
}

qint64 TestWayland::brightPixels(const QImage &image)
{
    qint64 bright = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            bright += qGray(image.pixel(x, y)) > 200;
    return bright;
}

void TestWayland::runsOnWayland()
{
    // Nothing named the window system: the program took the session's own.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    QVERIFY(qEnvironmentVariableIsEmpty("DISPLAY"));
    QVERIFY(m_form->windowHandle()->isExposed());
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("vantell"));
}

void TestWayland::prompterFillsTheScreensWidth()
{
    // A Wayland window cannot place itself: the prompter takes the strip's size, the compositor
    // its place.
    const QRect screen = m_form->screen()->geometry();
    WAIT_COMPARE(m_form->width(), screen.width());
    QCOMPARE(m_form->height(), 250);
}

void TestWayland::aScriptShowsAndScrolls()
{
    QStringList script;
    for (int i = 0; i < 400; ++i)
        script << QStringLiteral("Line %1 of a script on Wayland").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->reloadwb();
    QVERIFY(measured.wait(30000));
    runEventsFor(500);

    const QImage shown = screenshot();
    QVERIFY2(!shown.isNull(), "weston-screenshooter took no screenshot");
    const QRect page = pageRows(shown);
    QVERIFY2(page.height() >= 150,
             qPrintable(QStringLiteral("the black page is %1 rows high").arg(page.height())));
    QVERIFY2(brightPixels(shown.copy(page)) > 500, "the page shows no text");

    const int start = m_form->wb1->scrollPosition();
    m_form->engine->setSpeed(250);
    WAIT_VERIFY(m_form->wb1->scrollPosition() > start + 40);
    runEventsFor(300);
    m_form->dopause();
    const QImage moved = screenshot();
    QVERIFY(!moved.isNull());
    QCOMPARE(pageRows(moved), page);
    QVERIFY2(moved.copy(page) != shown.copy(page), "the compositor shows the page where it was");
    QVERIFY(brightPixels(moved.copy(page)) > 500);
}

void TestWayland::editorOpens()
{
    TForm2 *editor = windows().Form2;
    bool shown = false;
    qint64 changed = 0;
    const QImage before = screenshot();
    // The editor runs its own event loop: a timer answers it from inside.
    QTimer::singleShot(0, editor, [&] {
        runEventsUntil([editor] { return editor->windowHandle() && editor->windowHandle()->isExposed(); },
                       10000);
        shown = editor->isVisible() && editor->windowHandle()->isExposed();
        runEventsFor(300);
        const QImage open = screenshot();
        for (int y = 0; y < open.height(); ++y)
            for (int x = 0; x < open.width(); ++x)
                changed += open.pixel(x, y) != before.pixel(x, y);
        editor->close();
    });
    m_env->dialogs.answers.enqueue(false); // no save asked for: nothing changed
    m_form->EditScript2->trigger();
    QVERIFY(shown);
    QVERIFY2(changed > 100 * 100, qPrintable(QString::number(changed)));
    m_env->dialogs.clear();
}

void TestWayland::optionsWindowOpens()
{
    TForm4 *options = windows().Form4;
    bool shown = false;
    QTimer::singleShot(0, options, [&] {
        runEventsUntil([options] { return options->windowHandle() && options->windowHandle()->isExposed(); },
                       10000);
        shown = options->isVisible() && options->windowHandle()->isExposed();
        options->Button2->click();
    });
    m_form->Options2->trigger();
    QVERIFY(shown);
    QVERIFY(!options->isVisible());
}

VANTELL_UI_TEST_MAIN(TestWayland)
#include "test_wayland.moc"
