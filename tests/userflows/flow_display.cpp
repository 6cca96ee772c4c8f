#include <QThread>

#include "userflow.h"

// How the page is shown: mirrored and turned for the glass (checked pixel for pixel against the
// plain page flipped), the options window's capitals, docking and mirror and rotate targets, and
// the talent display on a second window.
class FlowDisplay : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void mirrorFlipsThePageSideways();
    void rotateTurnsThePageUpsideDown();
    void capitalsShowTheScriptInCapitals();
    void dockingPutsTheStripAtTheTopOrBottom();
    void theTalentDisplayShowsTheSameScript();
    void targetsChooseWhichDisplayChanges_data();
    void targetsChooseWhichDisplayChanges();

private:
    // Sets an option by clicking its item (the `occurrence`-th place showing `item`) and Ok.
    void setOption(const QString &item, int occurrence);
    QImage plainPage;
};

namespace {
const QString talentCaption = QStringLiteral("Talent Display");
const QString words = QStringLiteral("harbour lights tonight");

// Pixels of two pictures of one size that differ at all (a tolerance for the last bit of
// rounding only).
double differing(const QImage &a, const QImage &b)
{
    return differingShare(a, b, 8);
}

// The two pictures agree once the second is moved up or down by the best shift.
double differingAfterShift(const QImage &expected, const QImage &shown)
{
    const int shift = PrompterWindow::verticalShift(expected, shown, 150);
    const int rows = expected.height() - qAbs(shift);
    const QImage a = expected.copy(0, qMax(0, shift), expected.width(), rows);
    const QImage b = shown.copy(0, qMax(0, -shift), shown.width(), rows);
    return differing(a, b);
}
} // namespace

void FlowDisplay::initTestCase()
{
    QVERIFY(startSession());
    QVERIFY(startProgram(QStringList{
        writeScript(QStringLiteral("harbour.txt"), "Harbour lights tonight\r\nA ship comes in\r\n")}));
    QVERIFY(readsWords(waitForPageText(words), words));
    plainPage = settledPage();
}

void FlowDisplay::setOption(const QString &item, int occurrence)
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    QVERIFY2(
        clickWord(options, item, occurrence),
        qPrintable(
            QStringLiteral("no item \"%1\": %2").arg(item, described(desktop->grab(options), "options"))));
    // Ok is the window's default button.
    desktop->activate(options);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell Options")));
    QThread::msleep(500);
}

void FlowDisplay::mirrorFlipsThePageSideways()
{
    prompter->click(PrompterWindow::Tool::Mirror);
    const QImage mirrored = settledPage();
    VERIFY_SCREEN(differing(mirrored, plainPage.mirrored(true, false)) < 0.0005, mirrored,
                  QStringLiteral("mirrored"));
    prompter->click(PrompterWindow::Tool::Mirror);
    const QImage back = settledPage();
    VERIFY_SCREEN(differing(back, plainPage) < 0.0005, back, QStringLiteral("back"));
}

void FlowDisplay::rotateTurnsThePageUpsideDown()
{
    prompter->click(PrompterWindow::Tool::Rotate);
    const QImage turned = settledPage();
    // Turned about the page's centre: the script's start now stands at the bottom of the view.
    VERIFY_SCREEN(differingAfterShift(plainPage.mirrored(true, true), turned) < 0.0005, turned,
                  QStringLiteral("turned"));
    prompter->click(PrompterWindow::Tool::Rotate);
    const QImage back = settledPage();
    VERIFY_SCREEN(differing(back, plainPage) < 0.0005, back, QStringLiteral("back"));
}

void FlowDisplay::capitalsShowTheScriptInCapitals()
{
    // The first "Yes" is Capitalize Script's.
    setOption(QStringLiteral("Yes"), 0);
    if (QTest::currentTestFailed())
        return;
    const QImage capitals = settledPage();
    VERIFY_SCREEN(readText(capitals, Qt::CaseSensitive).contains(QStringLiteral("HARBOUR LIGHTS TONIGHT")),
                  capitals, QStringLiteral("capitals"));
    setOption(QStringLiteral("No"), 0);
    if (QTest::currentTestFailed())
        return;
    const QImage plain = settledPage();
    VERIFY_SCREEN(readText(plain, Qt::CaseSensitive).contains(QStringLiteral("Harbour lights tonight")),
                  plain, QStringLiteral("plain"));
}

void FlowDisplay::dockingPutsTheStripAtTheTopOrBottom()
{
    setOption(QStringLiteral("Bottom"), 0);
    if (QTest::currentTestFailed())
        return;
    QRect strip = prompter->geometry();
    QVERIFY2(strip.bottom() == session->screenSize().height() - 1 &&
                 strip.width() == session->screenSize().width(),
             qPrintable(QStringLiteral("docked at the bottom, the window stands at %1,%2 %3x%4")
                            .arg(strip.x())
                            .arg(strip.y())
                            .arg(strip.width())
                            .arg(strip.height())));
    setOption(QStringLiteral("Top"), 0);
    if (QTest::currentTestFailed())
        return;
    strip = prompter->geometry();
    QVERIFY2(strip.top() == 0,
             qPrintable(QStringLiteral("docked at the top, the window starts at y %1").arg(strip.y())));
    VERIFY_SCREEN(readsWords(readText(prompter->page()), words), prompter->page(), QStringLiteral("page"));
}

void FlowDisplay::theTalentDisplayShowsTheSameScript()
{
    prompter->click(PrompterWindow::Tool::DualDisplay);
    const quint64 talent = desktop->waitForWindow(talentCaption);
    QVERIFY2(talent, "no talent display came");
    QThread::msleep(800);
    const QImage shown = desktop->grab(talent);
    VERIFY_SCREEN(readsWords(readText(shown), words), shown, QStringLiteral("talent"));
    prompter->click(PrompterWindow::Tool::DualDisplay);
    QVERIFY2(desktop->waitForWindowGone(talentCaption), "the talent display stays after the second click");
}

void FlowDisplay::targetsChooseWhichDisplayChanges_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("group");
    QTest::addColumn<bool>("turned");
    // The options window shows the mirror's targets first, then the rotation's.
    QTest::newRow("mirror") << int(PrompterWindow::Tool::Mirror) << 0 << false;
    QTest::newRow("rotate") << int(PrompterWindow::Tool::Rotate) << 1 << true;
}

void FlowDisplay::targetsChooseWhichDisplayChanges()
{
    QFETCH(int, tool);
    QFETCH(int, group);
    QFETCH(bool, turned);
    const auto toggle = [this, tool] { prompter->click(PrompterWindow::Tool(tool)); };
    const auto changed = [turned](const QImage &image) { return image.mirrored(true, turned); };

    // Remote: only the talent display changes.
    setOption(QStringLiteral("Remote"), group);
    if (QTest::currentTestFailed())
        return;
    toggle();
    prompter->click(PrompterWindow::Tool::DualDisplay);
    const quint64 talent = desktop->waitForWindow(talentCaption);
    QVERIFY2(talent, "no talent display came");
    QThread::msleep(800);
    const QImage local = settledPage();
    VERIFY_SCREEN(differing(local, plainPage) < 0.0005, local, QStringLiteral("local"));
    const QImage remote = desktop->grab(talent);
    VERIFY_SCREEN(!readsWords(readText(remote), words) && readsWords(readText(changed(remote)), words),
                  remote, QStringLiteral("remote"));
    prompter->click(PrompterWindow::Tool::DualDisplay);
    QVERIFY(desktop->waitForWindowGone(talentCaption));

    // Both: the prompter's page changes too.
    setOption(QStringLiteral("Both"), group);
    if (QTest::currentTestFailed())
        return;
    const QImage both = settledPage();
    VERIFY_SCREEN(differingAfterShift(changed(plainPage), both) < 0.0005, both, QStringLiteral("both"));
    toggle();
    setOption(QStringLiteral("Local"), group);
}

QTEST_GUILESS_MAIN(FlowDisplay)
#include "flow_display.moc"
