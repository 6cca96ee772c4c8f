#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "prompterrun.h"
#include "screenreading.h"

// The program as a user starts it on a Wayland desktop without XWayland (run by under-weston.sh
// in a headless weston): it comes up on its own, shows its script across the screen, and the
// compositor shows what it draws. Judged only by the compositor's screenshots; a headless
// compositor has no keyboard or mouse to drive it with.
class FlowWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void theScriptShowsAcrossTheScreen();

private:
    // The whole screen as the compositor shows it.
    static QImage screenshot();
    QImage waitForScreenText(const QString &words, int timeoutMs = 30000) const;

    QTemporaryDir m_home;
    QProcess m_program;
};

void FlowWayland::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"),
             "no Wayland session: run under under-weston.sh");
    QVERIFY(qEnvironmentVariableIsEmpty("DISPLAY"));
    QFile script(m_home.filePath(QStringLiteral("numbered.txt")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    for (int line = 1; line <= 100; ++line)
        script.write("Line " + QByteArray::number(line) + " on Wayland\n");
    script.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("VANTELL_PROBE_URL"), QStringLiteral("http://127.0.0.1:9/"));
    environment.insert(QStringLiteral("VANTELL_SERVICE_URL"), QStringLiteral("http://127.0.0.1:9/"));
    environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("LANGUAGE"), QString());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    m_program.setProcessEnvironment(environment);
    m_program.setStandardOutputFile(QProcess::nullDevice());
    m_program.setStandardErrorFile(m_home.filePath(QStringLiteral("errors.log")));
    m_program.start(programPath(), {script.fileName()});
    QVERIFY(m_program.waitForStarted(10000));
}

void FlowWayland::cleanupTestCase()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished(5000);
    }
}

QImage FlowWayland::screenshot()
{
    QTemporaryDir folder;
    QProcess shooter;
    shooter.setWorkingDirectory(folder.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    shooter.waitForFinished(10000);
    const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")});
    return shots.isEmpty() ? QImage() : QImage(folder.filePath(shots.first()));
}

QImage FlowWayland::waitForScreenText(const QString &words, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QImage screen;
    do {
        QThread::msleep(500);
        screen = screenshot();
        if (!screen.isNull() && readsWords(readText(screen), words))
            return screen;
    } while (!deadline.hasExpired() && m_program.state() == QProcess::Running);
    return screen;
}

void FlowWayland::theScriptShowsAcrossTheScreen()
{
    const QImage screen = waitForScreenText(QStringLiteral("line 1 on wayland line 2 on wayland"));
    QVERIFY2(m_program.state() == QProcess::Running, "the program ended");
    QVERIFY2(readsWords(readText(screen), QStringLiteral("line 1 on wayland")),
             qPrintable(described(screen, QStringLiteral("wayland"))));
    // Its status line is there, and its black page spans the screen.
    const QString text = readText(screen);
    QVERIFY2(readsWords(text, QStringLiteral("paused coarse: 1 vantell home version")),
             qPrintable(described(screen, QStringLiteral("wayland-status"))));
    int blackRows = 0;
    for (int y = 0; y < screen.height(); ++y) {
        int black = 0;
        for (int x = 0; x < screen.width(); ++x)
            black += qGray(screen.pixel(x, y)) < 16;
        blackRows += black > screen.width() * 3 / 5;
    }
    QVERIFY2(blackRows >= 150, qPrintable(described(screen, QStringLiteral("wayland-page"))));
}

QTEST_GUILESS_MAIN(FlowWayland)
#include "flow_wayland.moc"
