#include <QProcessEnvironment>

#include "core/platform/windowsystem.h"
#include "testsupport/testmain.h"

// Which window system the program asks Qt for, from the session it starts in.
class TestWindowSystem : public QObject {
    Q_OBJECT
private slots:
    void chosenFromTheSession_data();
    void chosenFromTheSession();
};

void TestWindowSystem::chosenFromTheSession_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QByteArray>("chosen");
    QTest::newRow("X session") << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=x11"} << QByteArray();
    // Where XWayland is at hand, the prompter can place itself as a strip there.
    QTest::newRow("Wayland with XWayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "XDG_SESSION_TYPE=wayland"}
        << QByteArray("xcb");
    QTest::newRow("Wayland socket and X, no session type")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"} << QByteArray("xcb");
    QTest::newRow("Wayland only") << QStringList{"WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"}
                                  << QByteArray();
    QTest::newRow("Wayland session type, X only")
        << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:0"} << QByteArray("xcb");
    // What the user names is kept, whatever the session.
    QTest::newRow("named by the user")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"} << QByteArray();
    QTest::newRow("nothing") << QStringList{} << QByteArray();
}

void TestWindowSystem::chosenFromTheSession()
{
    QFETCH(QStringList, variables);
    QFETCH(QByteArray, chosen);
    QProcessEnvironment environment;
    for (const QString &variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    QCOMPARE(chosenWindowSystem(environment), chosen);
}

VANTELL_CORE_TEST_MAIN(TestWindowSystem)
#include "test_windowsystem.moc"
