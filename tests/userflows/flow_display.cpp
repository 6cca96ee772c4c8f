#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include "userflow.h"

// How the page is shown: mirrored and turned for the glass (checked pixel for pixel against the
// plain page flipped), the options window's capitals, docking and mirror and rotate targets, the
// talent display on a second window, and scripts in other writing systems: right-to-left lines at
// the right, Hindi in its letters.
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
    void rightToLeftLinesReadFromTheRight();

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
// The script of greetings, a line each: English, Arabic, Hindi, Hebrew. The lines of each side of
// the page stand apart, so each side's lines are told apart by the rows between them.
const QString greetings =
    QStringLiteral("Good evening and welcome\r\n"
                   "\u0645\u0631\u062d\u0628\u0627 \u0628\u0643\u0645 \u0641\u064a "
                   "\u0627\u0644\u0623\u062e\u0628\u0627\u0631\r\n"
                   "\u0938\u092e\u093e\u091a\u093e\u0930 \u0938\u092e\u093e\u092a\u094d\u0924\r\n"
                   "\u05e9\u05dc\u05d5\u05dd \u05d5\u05d1\u05e8\u05d5\u05db\u05d9\u05dd "
                   "\u05d4\u05d1\u05d0\u05d9\u05dd\r\n");
const int hindiLine = 2;

// The longest run of bright pixels along a row within `area`: Devanagari letters hang from a
// headline that runs on through a word, where missing letters show as a row of separate boxes.
int longestRun(const QImage &page, const QRect &area)
{
    const QImage pixels = page.convertToFormat(QImage::Format_RGB32);
    int longest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        int run = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            run = qGray(row[x]) > 128 ? run + 1 : 0;
            longest = qMax(longest, run);
        }
    }
    return longest;
}

// Why `shown` does not show the greetings as they read, or nothing when it does: English and Hindi
// in the left half, starting at the left margin; Arabic and Hebrew in the right half, ending as
// far from the right edge; and the Hindi line in its letters.
QString greetingsWrong(const QImage &shown)
{
    const int width = shown.width();
    const QList<QRect> left = textLines(shown, QRect(0, 0, width / 2, shown.height()));
    const QList<QRect> right = textLines(shown, QRect(width / 2, 0, width - width / 2, shown.height()));
    if (left.size() != 2 || right.size() != 2)
        return QStringLiteral("%1 lines in the left half and %2 in the right one, not 2 and 2")
            .arg(left.size())
            .arg(right.size());
    const QRect english = left.at(0), hindi = left.at(1), arabic = right.at(0), hebrew = right.at(1);
    if (!(english.top() < arabic.top() && arabic.top() < hindi.top() && hindi.top() < hebrew.top()))
        return QStringLiteral("the lines are not in the script's order");
    const int margin = english.left();
    const int tolerance = qMax(4, width / 200);
    for (const QRect &line : {english, hindi}) {
        if (qAbs(line.left() - margin) > tolerance || line.right() >= width / 2 - 1)
            return QStringLiteral("a left-to-right line stands at %1..%2, not at the left margin %3")
                .arg(line.left())
                .arg(line.right())
                .arg(margin);
    }
    for (const QRect &line : {arabic, hebrew}) {
        if (qAbs(width - 1 - line.right() - margin) > tolerance || line.left() <= width / 2)
            return QStringLiteral("a right-to-left line stands at %1..%2 of %3, not at the right margin %4")
                .arg(line.left())
                .arg(line.right())
                .arg(width)
                .arg(margin);
    }
    if (longestRun(shown, hindi) < 2 * english.height())
        return QStringLiteral("the Hindi line has no headline: empty boxes in place of its letters?");
    return {};
}

// The families of the fonts that hold every letter of `text` (fontconfig's list).
QString fontsWith(const QString &text)
{
    QStringList codes;
    for (const char32_t c : text.toUcs4())
        if (c != U' ')
            codes << QString::number(c, 16);
    QProcess list;
    list.start(QStringLiteral("fc-list"),
               {QStringLiteral(":charset=") + codes.join(QLatin1Char(' ')), QStringLiteral("family")});
    list.waitForFinished(10000);
    return QString::fromUtf8(list.readAllStandardOutput()).trimmed();
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

void FlowDisplay::rightToLeftLinesReadFromTheRight()
{
    const QString hindi = greetings.split(QStringLiteral("\r\n")).at(hindiLine);
    QVERIFY2(!fontsWith(hindi).isEmpty(), "no installed font has the Hindi letters (fonts-noto-core)");
    prompter->menu(QStringLiteral("o"));
    QVERIFY2(
        chooseFile(QStringLiteral("Open"), writeScript(QStringLiteral("greetings.txt"), greetings.toUtf8())),
        "no file dialog \"Open\" came, or it did not close");
    QVERIFY(readsWords(waitForPageText(QStringLiteral("good evening welcome")),
                       QStringLiteral("good evening welcome")));
    const QImage page = settledPage();
    const QString wrong = greetingsWrong(page);
    if (!wrong.isEmpty())
        QFAIL(qPrintable(wrong + QStringLiteral(": ") + described(page, QStringLiteral("page"))));

    // The talent display lays the lines out as the prompter does, at its own width.
    prompter->click(PrompterWindow::Tool::DualDisplay);
    const quint64 talent = desktop->waitForWindow(talentCaption);
    QVERIFY2(talent, "no talent display came");
    QImage shown;
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(200)) {
        shown = desktop->grab(talent);
        if (greetingsWrong(shown).isEmpty())
            break;
    }
    const QString talentWrong = greetingsWrong(shown);
    if (!talentWrong.isEmpty())
        QFAIL(qPrintable(talentWrong + QStringLiteral(": ") + described(shown, QStringLiteral("talent"))));
    prompter->click(PrompterWindow::Tool::DualDisplay);
    QVERIFY(desktop->waitForWindowGone(talentCaption));

    // Mirror and rotate turn the whole page, right-to-left lines with it.
    prompter->click(PrompterWindow::Tool::Mirror);
    const QImage mirrored = settledPage();
    VERIFY_SCREEN(differing(mirrored, page.mirrored(true, false)) < 0.0005, mirrored,
                  QStringLiteral("mirrored"));
    prompter->click(PrompterWindow::Tool::Mirror);
    prompter->click(PrompterWindow::Tool::Rotate);
    const QImage turned = settledPage();
    VERIFY_SCREEN(differingAfterShift(page.mirrored(true, true), turned) < 0.0005, turned,
                  QStringLiteral("turned"));
    prompter->click(PrompterWindow::Tool::Rotate);
    const QImage back = settledPage();
    VERIFY_SCREEN(differing(back, page) < 0.0005, back, QStringLiteral("back"));
}

QTEST_GUILESS_MAIN(FlowDisplay)
#include "flow_display.moc"
