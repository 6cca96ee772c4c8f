#include "core/prompter/placement.h"
#include "testsupport/testmain.h"

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void strip_data();
    void strip();
};

Q_DECLARE_METATYPE(TaskbarPosition)

void TestPlacement::strip_data()
{
    QTest::addColumn<TaskbarPosition>("taskbar");
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<bool>("optionsExist");
    QTest::addColumn<int>("currentHeight");
    QTest::addColumn<QRect>("expected");
    const TaskbarPosition none;
    const TaskbarPosition atBottom{TaskbarPosition::Bottom, QRect(0, 1040, 1920, 40)};
    const TaskbarPosition atTop{TaskbarPosition::Top, QRect(0, 0, 1920, 30)};
    const TaskbarPosition atLeft{TaskbarPosition::Left, QRect(0, 0, 48, 1080)};
    const TaskbarPosition atRight{TaskbarPosition::Right, QRect(1872, 0, 48, 1080)};

    // The window's lower edge stands 1 px above a taskbar at the bottom.
    QTest::newRow("taskbar bottom, docked bottom")
        << atBottom << true << true << 250 << QRect(0, 789, 1920, 250);
    QTest::newRow("taskbar bottom, docked top") << atBottom << false << true << 356 << QRect(0, 0, 1920, 250);
    QTest::newRow("taskbar top, docked top") << atTop << false << true << 356 << QRect(0, 31, 1920, 250);
    QTest::newRow("taskbar top, docked bottom") << atTop << true << true << 250 << QRect(0, 830, 1920, 250);
    QTest::newRow("taskbar left") << atLeft << false << true << 250 << QRect(49, 0, 1871, 250);
    QTest::newRow("taskbar left, docked bottom")
        << atLeft << true << true << 250 << QRect(49, 830, 1871, 250);
    QTest::newRow("taskbar right") << atRight << false << true << 250 << QRect(0, 0, 1872, 250);
    QTest::newRow("taskbar right, docked bottom")
        << atRight << true << true << 250 << QRect(0, 830, 1872, 250);
    // Docked at the bottom the height is kept: with the status panel hidden (198 px) the lower
    // edge stands 52 px above the screen's bottom.
    QTest::newRow("status panel hidden, docked bottom")
        << atLeft << true << true << 198 << QRect(49, 830, 1871, 198);
    QTest::newRow("status panel hidden, taskbar bottom")
        << atBottom << true << true << 198 << QRect(0, 789, 1920, 198);
    // Before the options window exists the strip goes to the top, whatever the docking.
    QTest::newRow("options window not created") << atBottom << true << false << 356 << QRect(0, 0, 1920, 250);
    // A screen without a taskbar places the window as if none were there.
    QTest::newRow("no taskbar, top") << none << false << true << 356 << QRect(0, 0, 1920, 250);
    QTest::newRow("no taskbar, bottom") << none << true << true << 250 << QRect(0, 830, 1920, 250);
}

void TestPlacement::strip()
{
    QFETCH(TaskbarPosition, taskbar);
    QFETCH(bool, bottom);
    QFETCH(bool, optionsExist);
    QFETCH(int, currentHeight);
    QFETCH(QRect, expected);
    QCOMPARE(
        stripgeometry(QSize(1920, 1080), taskbar, bottom, optionsExist, QRect(100, 100, 981, currentHeight)),
        expected);
}

VANTELL_CORE_TEST_MAIN(TestPlacement)
#include "test_placement.moc"
