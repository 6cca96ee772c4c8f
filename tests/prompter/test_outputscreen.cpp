#include "core/prompter/outputscreen.h"
#include "testsupport/testmain.h"

// Which screen the output window opens on.
class TestOutputScreen : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
};

void TestOutputScreen::choice_data()
{
    QTest::addColumn<QStringList>("screens");
    QTest::addColumn<QString>("prompter");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("expected");
    const QStringList two{"HDMI-1", "DP-2"};
    const QStringList three{"HDMI-1", "DP-2", "DP-3"};
    QTest::newRow("second screen, nothing remembered") << two << "HDMI-1"
                                                       << ""
                                                       << "DP-2";
    QTest::newRow("prompter on the second screen") << two << "DP-2"
                                                   << ""
                                                   << "HDMI-1";
    QTest::newRow("remembered screen") << three << "HDMI-1"
                                       << "DP-3"
                                       << "DP-3";
    QTest::newRow("remembered screen unplugged") << three << "HDMI-1"
                                                 << "VGA-1"
                                                 << "DP-2";
    QTest::newRow("remembered screen now holds the prompter") << three << "DP-3"
                                                              << "DP-3"
                                                              << "HDMI-1";
    QTest::newRow("one screen") << QStringList{"HDMI-1"} << "HDMI-1"
                                << ""
                                << "";
    QTest::newRow("one screen, another remembered") << QStringList{"HDMI-1"} << "HDMI-1"
                                                    << "DP-2"
                                                    << "";
    QTest::newRow("one screen, itself remembered") << QStringList{"HDMI-1"} << "HDMI-1"
                                                   << "HDMI-1"
                                                   << "";
}

void TestOutputScreen::choice()
{
    QFETCH(QStringList, screens);
    QFETCH(QString, prompter);
    QFETCH(QString, remembered);
    QFETCH(QString, expected);
    QCOMPARE(chooseoutputscreen(screens, prompter, remembered), expected);
}

VANTELL_CORE_TEST_MAIN(TestOutputScreen)
#include "test_outputscreen.moc"
