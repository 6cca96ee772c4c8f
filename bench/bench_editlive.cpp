// Edit Live on a script of 300 pages: from the keystroke to the page that shows the change (Enter,
// which sends a change at once, and a word typed, which goes after the typing pause), median and
// 95th percentile, while the page runs; and, the page standing, how far the reader's line moved on
// the screen through edits above and below it (0 when it is held exactly).
#include <algorithm>
#include <cmath>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/editlive/readinganchor.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "support/framesampling.h"
#include "testsupport/eventwait.h"
#include "testsupport/features.h"
#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "ui/browser/pagescripts.h"
#include "ui/editlive/editlive.h"
#include "ui/editlive/editlivewindow.h"
#include "ui/editlive/lockedtextedit.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/tform1.h"
#include "ui/toolkit/application.h"

namespace {

constexpr int pages = 300;
constexpr int linesPerPage = 45;
constexpr int rounds = 40;

QStringList longScript()
{
    QStringList lines;
    for (int i = 0; i < pages * linesPerPage; ++i)
        lines << QStringLiteral("Line %1 of the evening's script, read as it scrolls by.").arg(i);
    return lines;
}

// Puts the text cursor into paragraph `paragraph`, `column` characters in.
void placeCursor(LockedTextEdit *text, int paragraph, int column)
{
    QTextCursor cursor(text->document()->findBlockByNumber(paragraph));
    cursor.setPosition(cursor.block().position() + column);
    text->setTextCursor(cursor);
}

// Runs `keys`, the last of them `last`, and returns the milliseconds from the start of that keystroke
// until the page has the change, or -1.
double toPage(EditLive &live, const std::function<void()> &keys, const std::function<void()> &last)
{
    QSignalSpy spliced(&live, &EditLive::spliced);
    keys();
    QElapsedTimer clock;
    clock.start();
    last();
    if (!runEventsUntil([&] { return !spliced.isEmpty(); }, 10000))
        return -1;
    return clock.nsecsElapsed() / 1e6;
}

// The top of line `line` of the page on the screen.
double lineTop(Browser *page, int line)
{
    return bench::evaluate(
               page,
               QStringLiteral("document.querySelectorAll('span[data-l]')[%1].getBoundingClientRect().top")
                   .arg(line))
        .toDouble();
}

// The line at the reading line, and its top on the screen.
std::pair<int, double> readersLine(Browser *page)
{
    const double y = readingliney(page->height(), 1.0 / 3, false);
    const int line = bench::evaluate(page, pagescript(QStringLiteral("readingline")) +
                                               QStringLiteral("window.__vantellLineAt(%1)[0]").arg(y))
                         .toInt();
    return {line, lineTop(page, line)};
}

void reportTimes(const QString &name, const QList<double> &times, const QJsonObject &inputs)
{
    bench::report(name + QStringLiteral("_median_ms"), bench::percentile(times, 0.5), QStringLiteral("ms"),
                  inputs);
    bench::report(name + QStringLiteral("_p95_ms"), bench::percentile(times, 0.95), QStringLiteral("ms"),
                  inputs);
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    TForm1 *form = bench::startPrompter();
    if (!form || !bench::showScript(form, longScript()))
        return 1;
    form->commands().perform(RemoteAction::EditLive, CommandSource::Menu);
    EditLive &live = feature<EditLive>(form);
    LockedTextEdit *text = live.window()->text;
    const QJsonObject inputs{{QStringLiteral("pages"), pages},
                             {QStringLiteral("paragraphs"), text->document()->blockCount()},
                             {QStringLiteral("rounds"), rounds}};

    // Into the script, running slowly: edits a screen above, a screen below and far above the reader.
    bool placed = false;
    form->wb1->scrollTo(0, 200000, [&placed] { placed = true; });
    if (!runEventsUntil([&placed] { return placed; }, 20000))
        return 1;
    form->engine->setSpeed(100);
    form->adjustspeed();
    runEventsFor(1000);
    const int offsets[] = {-8, 8, -400};
    QList<double> enter, typed;
    for (int round = 0; round < rounds; ++round) {
        const int paragraph = readersLine(form->wb1).first + offsets[round % 3];
        placeCursor(text, paragraph, 10);
        enter << toPage(
            live, [] {}, [text] { QTest::keyClick(text, Qt::Key_Return); });
        placeCursor(text, paragraph, 4);
        typed << toPage(
                     live, [text] { QTest::keyClicks(text, QStringLiteral(" lat")); },
                     [text] { QTest::keyClick(text, 'e'); }) -
                     EditLive::typingPauseMs;
    }
    reportTimes(QStringLiteral("editlive_enter_to_page"), enter, inputs);
    reportTimes(QStringLiteral("editlive_typing_pause_to_page"), typed, inputs);
    bench::report(QStringLiteral("editlive_typing_pause"), EditLive::typingPauseMs, QStringLiteral("ms"));

    // Standing: each edit three lines of the page long, above and below the reader.
    form->engine->setSpeed(0);
    form->dopause();
    runEventsFor(500);
    const QString longer =
        QStringLiteral(" and a sentence long enough to run over the width of the page, added on air.")
            .repeated(4);
    double largest = 0;
    int elsewhere = 0; // edits held by another line than the one measured at the reading line
    for (int round = 0; round < rounds; ++round) {
        const auto [line, top] = readersLine(form->wb1);
        placeCursor(text, line + offsets[round % 3], 8);
        if (toPage(
                live, [text, &longer] { QTest::keyClicks(text, longer); }, [] {}) < 0)
            return 1;
        if (live.lastSplice().anchor != line)
            ++elsewhere;
        largest = std::max(largest, std::abs(lineTop(form->wb1, live.lastSplice().held) - top));
    }
    bench::report(QStringLiteral("editlive_edits_held_by_another_line"), elsewhere, QStringLiteral("edits"),
                  inputs);
    bench::report(QStringLiteral("editlive_largest_reader_line_disturbance"), largest, QStringLiteral("px"),
                  inputs);
    destroyWindows();
    return 0;
}
