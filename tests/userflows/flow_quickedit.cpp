#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include "userflow.h"

// The quick editor as the operator uses it on each kind of script: the text comes in visible and
// formatted, an edited word reaches the page, and the saved script opens again as it was shown.
// Edit Live beside the running page: a word typed reaches the page within a second while the page
// runs on unmoved, and a paragraph made longer above the reading line leaves the reader's words
// where they were. And the display font of a plain script, and right-to-left paragraphs, in the
// editor and back on the page.
// A picture of the page and when it was taken, in milliseconds.
struct PageFrame {
    QImage page;
    qint64 atMs;
};

class FlowQuickEdit : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void aRichScriptKeepsItsColoursThroughTheEditor();
    void closingTheEditorUnchangedKeepsThePage();
    void aPlainScriptComesBackEditedAndSavedAsRichScript_data();
    void aPlainScriptComesBackEditedAndSavedAsRichScript();
    // Before the display font is made large: a rich script's first lines then stand below the strip.
    void theDocumentAScriptCameFromIsNeverWrittenOver();
    void editLiveReachesTheRunningPageWithoutMovingIt();
    void editLiveAboveTheReadingLineLeavesTheReadersWords();
    void theFontChangesTheSizeOfAPlainScript();
    void rightToLeftParagraphsReadFromTheRight();

private:
    // Waits until the screen shows `words` (as OCR reads it); false when it does not in time.
    bool waitForScreenText(const QString &words) const;
    // Types `path` into the file dialog titled `title` and confirms it, leaving whatever the
    // dialog asks next; false when no such dialog came.
    bool chooseFileKeepingDialog(const QString &title, const QString &path) const;
    quint64 openEditor() const;
    // Answers the message box of the program's name with its default button.
    void acknowledgeMessage(const QString &words) const;
    void reopen(const QString &path) const;
    // Opens Edit Live with its key and puts it below the page, where it hides none of it.
    quint64 openEditLive() const;
    // Puts the text cursor of Edit Live at the end of paragraph `paragraph` (from 0).
    void goToParagraphEnd(quint64 editor, int paragraph) const;
    // A picture of the page, and when (on `clock`) it was taken: half way through the grab.
    PageFrame framedPage(const QElapsedTimer &clock) const;
    quint64 m_editLive = 0;
};

namespace {
const QString editorCaption = QStringLiteral("Vantell Quick Edit");
const QString messageCaption = QStringLiteral("Vantell2  Home");
const QString warningCaption = QStringLiteral("Warning");
const QString editLiveCaption = QStringLiteral("Vantell Edit Live");
// The orange of the sample's greeting.
const QRgb orange = qRgb(0xFF, 0xB0, 0x00);

qint64 pixelsNear(const QImage &image, QRgb colour)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            count += qAbs(qRed(line[x]) - qRed(colour)) < 24 && qAbs(qGreen(line[x]) - qGreen(colour)) < 24 &&
                     qAbs(qBlue(line[x]) - qBlue(colour)) < 24;
        }
    }
    return count;
}

// The height of the first line of text from the top of the page.
int firstLineHeight(const QImage &page)
{
    const QImage pixels = page.convertToFormat(QImage::Format_RGB32);
    int top = -1;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        const bool bright = std::any_of(line, line + pixels.width(), [](QRgb p) { return qGray(p) > 128; });
        if (bright && top < 0)
            top = y;
        if (!bright && top >= 0)
            return y - top;
    }
    return top < 0 ? 0 : pixels.height() - top;
}
// The editor's text: the black ground beside its vertical scroll bar (its toolbar is black as
// well, but has no scroll bar beside it).
QRect editorText(const QImage &window)
{
    const QImage pixels = window.convertToFormat(QImage::Format_RGB32);
    const auto dark = [&pixels](int x, int y) { return qGray(pixels.pixel(x, y)) < 64; };
    // The first run of mostly dark columns: the text, up to the scroll bar.
    int left = -1, right = -1;
    for (int x = 0; x < pixels.width(); ++x) {
        int count = 0;
        for (int y = 0; y < pixels.height(); ++y)
            count += dark(x, y);
        if (count > pixels.height() / 2) {
            left = left < 0 ? x : left;
            right = x;
        } else if (right >= 0) {
            break;
        }
    }
    const int bar = right + 2;
    if (left < 0 || bar >= pixels.width())
        return {};
    int top = -1, bottom = -1;
    for (int y = 0; y < pixels.height(); ++y) {
        if (!dark(bar, y) && dark(right, y)) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Why `area` of `shown` does not show a greeting in English and then one in Arabic as they read,
// or nothing when it does: the English line in the left half from the left edge, the Arabic in
// the right half, as far from the right edge.
QString greetingWrong(const QImage &shown, const QRect &area)
{
    const int half = area.width() / 2;
    const QList<QRect> left = textLines(shown, QRect(area.left(), area.top(), half, area.height()));
    const QList<QRect> right =
        textLines(shown, QRect(area.left() + half, area.top(), area.width() - half, area.height()));
    if (left.size() != 1 || right.size() != 1)
        return QStringLiteral("%1 lines in the left half and %2 in the right one, not one in each")
            .arg(left.size())
            .arg(right.size());
    const QRect english = left.constFirst(), arabic = right.constFirst();
    const int leftMargin = english.left() - area.left();
    const int rightMargin = area.right() - arabic.right();
    if (english.top() > arabic.top() || english.right() >= area.left() + half - 1 ||
        arabic.left() <= area.left() + half || qAbs(leftMargin - rightMargin) > 4 ||
        leftMargin > area.width() / 20)
        return QStringLiteral("the English line stands at %1..%2 and the Arabic at %3..%4 of %5..%6")
            .arg(english.left())
            .arg(english.right())
            .arg(arabic.left())
            .arg(arabic.right())
            .arg(area.left())
            .arg(area.right());
    return {};
}
// The short lines Edit Live's window shows unwrapped, "Line 1" to "Line 60" with a few words more
// on some, so that no stretch of the page looks like the next.
QByteArray shortLines()
{
    QByteArray text;
    for (int line = 1; line <= 60; ++line)
        text += "Line " + QByteArray::number(line) + QByteArray(" more").repeated(line * 7 % 4) + "\r\n";
    return text;
}

// The number of the first "Line N" OCR reads in `text`, or 0.
int firstLineNumber(const QString &text)
{
    static const QRegularExpression line(QStringLiteral("line (\\d+)"));
    return line.match(text).captured(1).toInt();
}

} // namespace

void FlowQuickEdit::initTestCase()
{
    QVERIFY(startSession());
    QVERIFY(startProgram());
}

quint64 FlowQuickEdit::openEditor() const
{
    prompter->menu(QStringLiteral("q"));
    return desktop->waitForWindow(editorCaption);
}

void FlowQuickEdit::acknowledgeMessage(const QString &words) const
{
    const quint64 box = desktop->waitForWindow(messageCaption);
    QVERIFY2(box, qPrintable(QStringLiteral("no message \"%1\" came").arg(words)));
    const QImage shown = desktop->grab(box);
    VERIFY_SCREEN(readsWords(readText(shown), words), shown, QStringLiteral("message"));
    desktop->activate(box);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(messageCaption));
}

void FlowQuickEdit::reopen(const QString &path) const
{
    prompter->menu(QStringLiteral("o"));
    QVERIFY(chooseFile(QStringLiteral("Open"), path));
}

void FlowQuickEdit::aRichScriptKeepsItsColoursThroughTheEditor()
{
    QFile::copy(sourcePath(QStringLiteral("resources/samples/welcome.vnr")), scripts.filePath("welcome.vnr"));
    const QString path = scripts.filePath(QStringLiteral("welcome.vnr"));
    reopen(path);
    QVERIFY(readsWords(waitForPageText(QStringLiteral("good evening")), QStringLiteral("good evening")));

    const quint64 editor = openEditor();
    QVERIFY2(editor, "the quick editor did not open");
    const QImage shown = desktop->grab(editor);
    VERIFY_SCREEN(readsWords(readText(shown), QStringLiteral("good evening")), shown,
                  QStringLiteral("editor"));
    VERIFY_SCREEN(pixelsNear(shown, orange) > 200, shown, QStringLiteral("editor"));

    // A word typed at the start, saved with Ctrl+S, and the editor closed.
    desktop->key({QStringLiteral("ctrl+Home")});
    desktop->type(QStringLiteral("Tonight "));
    desktop->key(QStringLiteral("ctrl+s"));
    acknowledgeMessage(QStringLiteral("script saved"));
    desktop->activate(editor);
    desktop->key(QStringLiteral("alt+F4"));
    QVERIFY(desktop->waitForWindowGone(editorCaption));

    const QString text = waitForPageText(QStringLiteral("tonight good evening"));
    VERIFY_SCREEN(readsWords(text, QStringLiteral("tonight good evening")), prompter->page(),
                  QStringLiteral("page"));
    VERIFY_SCREEN(pixelsNear(prompter->page(), orange) > 200, prompter->page(), QStringLiteral("page"));

    // The file written shows the same when it is opened again.
    reopen(writeScript(QStringLiteral("other.txt"), "Something else entirely\r\n"));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("something else")), QStringLiteral("something else")));
    reopen(path);
    const QString again = waitForPageText(QStringLiteral("tonight good evening"));
    VERIFY_SCREEN(readsWords(again, QStringLiteral("tonight good evening")), prompter->page(),
                  QStringLiteral("reopened"));
    VERIFY_SCREEN(pixelsNear(prompter->page(), orange) > 200, prompter->page(), QStringLiteral("reopened"));
}

void FlowQuickEdit::closingTheEditorUnchangedKeepsThePage()
{
    reopen(sourcePath(QStringLiteral("resources/samples/welcome.vnr")));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("good evening")), QStringLiteral("good evening")));
    const quint64 editor = openEditor();
    QVERIFY2(editor, "the quick editor did not open");
    desktop->key(QStringLiteral("alt+F4"));
    QVERIFY(desktop->waitForWindowGone(editorCaption));
    const QImage page = settledPage();
    VERIFY_SCREEN(readsWords(readText(page), QStringLiteral("good evening welcome")), page,
                  QStringLiteral("page"));
    VERIFY_SCREEN(pixelsNear(page, orange) > 200, page, QStringLiteral("page"));
}

void FlowQuickEdit::aPlainScriptComesBackEditedAndSavedAsRichScript_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("txt") << "river.txt" << QByteArray("River crossing at dawn\r\nSecond line\r\n");
    QTest::newRow("rtf") << "river.rtf"
                         << QByteArray(
                                "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 River crossing at "
                                "dawn\\par Second line\\par}");
}

void FlowQuickEdit::aPlainScriptComesBackEditedAndSavedAsRichScript()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    reopen(writeScript(name, content));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("river crossing")), QStringLiteral("river crossing")));

    prompter->menu(QStringLiteral("q"));
    acknowledgeMessage(QStringLiteral("converted this script to .vnr format"));
    const quint64 editor = desktop->waitForWindow(editorCaption);
    QVERIFY2(editor, "the quick editor did not open");
    const QImage shown = desktop->grab(editor);
    VERIFY_SCREEN(readsWords(readText(shown), QStringLiteral("river crossing")), shown,
                  QStringLiteral("editor"));

    desktop->key(QStringLiteral("ctrl+Home"));
    desktop->type(QStringLiteral("Misty "));
    desktop->key(QStringLiteral("alt+F4"));
    // Unsaved: the editor asks, and Yes asks for a name for the rich script.
    const quint64 question = desktop->waitForWindow(warningCaption);
    QVERIFY2(question, "closing the edited script asked nothing");
    desktop->activate(question);
    desktop->key(QStringLiteral("alt+y"));
    const QString saved = scripts.filePath(name + QStringLiteral("-edited.vnr"));
    QVERIFY(chooseFile(QStringLiteral("Vantell2 File Save/Export"), saved));
    QVERIFY(desktop->waitForWindowGone(editorCaption));

    const QString text = waitForPageText(QStringLiteral("misty river crossing"));
    VERIFY_SCREEN(readsWords(text, QStringLiteral("misty river crossing")), prompter->page(),
                  QStringLiteral("page"));
    // White on the black page, in the editor's white.
    VERIFY_SCREEN(pixelsNear(prompter->page(), qRgb(0xFF, 0xFF, 0xFF)) > 200, prompter->page(),
                  QStringLiteral("page"));

    reopen(saved);
    const QString again = waitForPageText(QStringLiteral("misty river crossing"));
    VERIFY_SCREEN(readsWords(again, QStringLiteral("misty river crossing")), prompter->page(),
                  QStringLiteral("reopened"));
}

void FlowQuickEdit::theFontChangesTheSizeOfAPlainScript()
{
    reopen(writeScript(QStringLiteral("font.txt"), "Bigger letters please\r\n"));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("bigger letters")), QStringLiteral("bigger letters")));
    const int before = firstLineHeight(settledPage());

    // "Font" is the second item of the menu.
    prompter->menu({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return")});
    const quint64 dialog = desktop->waitForWindow(QStringLiteral("Font"));
    QVERIFY2(dialog, "no font dialog came");
    desktop->activate(dialog);
    desktop->key(QStringLiteral("alt+s"));
    desktop->key(QStringLiteral("ctrl+a"));
    desktop->type(QString::number(72));
    // Enter in the size's field confirms the dialog, as its OK button does.
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Font")));

    // The page is built anew in the new size: wait for it rather than for a fixed time.
    QImage page;
    int after = 0;
    QDeadlineTimer rebuilt(10000);
    do {
        page = settledPage();
        after = firstLineHeight(page);
    } while (after <= before * 3 / 2 && !rebuilt.hasExpired());
    VERIFY_SCREEN(after > before * 3 / 2, page, QStringLiteral("page"));
}

bool FlowQuickEdit::waitForScreenText(const QString &words) const
{
    QDeadlineTimer deadline(10000);
    do {
        if (readsWords(readText(desktop->grab()), words))
            return true;
        QThread::msleep(200);
    } while (!deadline.hasExpired());
    return false;
}

bool FlowQuickEdit::chooseFileKeepingDialog(const QString &title, const QString &path) const
{
    const quint64 dialog = desktop->waitForWindow(title);
    if (!dialog)
        return false;
    desktop->activate(dialog);
    desktop->key(QStringLiteral("ctrl+a"));
    desktop->type(path);
    desktop->key(QStringLiteral("Return"));
    return true;
}

void FlowQuickEdit::theDocumentAScriptCameFromIsNeverWrittenOver()
{
    const QByteArray markdown = "# Harbour news\n\nGood evening from the harbour.\n";
    const QString document = writeScript(QStringLiteral("show.md"), markdown);
    const auto documentKept = [&document, &markdown] {
        QFile file(document);
        return file.open(QIODevice::ReadOnly) && file.readAll() == markdown;
    };
    reopen(document);
    const QString evening = QStringLiteral("good evening from the harbour");
    VERIFY_SCREEN(readsWords(waitForPageText(evening), evening), prompter->page(), QStringLiteral("page"));
    const quint64 editor = openEditor();
    QVERIFY2(editor, "the quick editor did not open");
    desktop->key(QStringLiteral("ctrl+End"));
    desktop->type(QStringLiteral(" Tonight"));

    // Ctrl+S and Enter take the name the save dialog proposes: a rich script of the document's
    // name beside it, never the document.
    desktop->key(QStringLiteral("ctrl+s"));
    const QString saveCaption = QStringLiteral("Vantell2 File Save/Export");
    const quint64 dialog = desktop->waitForWindow(saveCaption);
    QVERIFY2(dialog, "Ctrl+S showed no save dialog");
    desktop->activate(dialog);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(saveCaption));
    QFile script(scripts.filePath(QStringLiteral("show.vnr")));
    QVERIFY2(script.open(QIODevice::ReadOnly), "the proposed name was not show.vnr");
    QVERIFY(script.readAll().startsWith("{\\rtf"));
    QVERIFY(documentKept());

    // Save As, and the operator picks the document all the same: the dialog asks as it asks for
    // any file, and then the editor says what would be lost. Enter answers No: the document stays.
    desktop->activate(editor);
    desktop->key({QStringLiteral("alt+f"), QStringLiteral("a")});
    QVERIFY2(chooseFileKeepingDialog(saveCaption, document), "Save As showed no save dialog");
    QVERIFY2(waitForScreenText(QStringLiteral("already exists")),
             "the dialog did not ask to replace the file");
    desktop->key(QStringLiteral("alt+y"));
    const quint64 warning = desktop->waitForWindow(warningCaption);
    QVERIFY2(warning, "choosing the document gave no warning");
    const QImage told = desktop->grab(warning);
    VERIFY_SCREEN(readsWords(readText(told), QStringLiteral("show.md is not a vantell script replaces lost")),
                  told, QStringLiteral("warning"));
    desktop->activate(warning);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(warningCaption));
    QVERIFY(documentKept());

    desktop->activate(editor);
    desktop->key(QStringLiteral("alt+F4"));
    QVERIFY(desktop->waitForWindowGone(editorCaption));
    const QString text = waitForPageText(QStringLiteral("harbour tonight"));
    VERIFY_SCREEN(readsWords(text, QStringLiteral("harbour tonight")), prompter->page(),
                  QStringLiteral("page"));
    QVERIFY(documentKept());
}

quint64 FlowQuickEdit::openEditLive() const
{
    desktop->activate(prompter->id());
    prompter->keys({QStringLiteral("F10")});
    const quint64 editor = desktop->waitForWindow(editLiveCaption);
    if (editor) {
        const QRect page = prompter->geometry();
        desktop->move(editor, {0, page.bottom() + 1});
    }
    return editor;
}

void FlowQuickEdit::goToParagraphEnd(quint64 editor, int paragraph) const
{
    desktop->activate(editor);
    desktop->key(QStringLiteral("ctrl+Home"));
    if (paragraph > 0)
        desktop->key(QStringList(paragraph, QStringLiteral("Down")));
    desktop->key(QStringLiteral("End"));
}

PageFrame FlowQuickEdit::framedPage(const QElapsedTimer &clock) const
{
    const qint64 start = clock.elapsed();
    const QImage page = prompter->page();
    return {page, (start + clock.elapsed()) / 2};
}

void FlowQuickEdit::editLiveReachesTheRunningPageWithoutMovingIt()
{
    reopen(writeScript(QStringLiteral("live.txt"), shortLines()));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
    // Slowly, a pixel every 151 ms; Edit Live's key works on the running page.
    desktop->activate(prompter->id());
    prompter->keys(QStringList(15, QStringLiteral("w")));
    m_editLive = openEditLive();
    QVERIFY2(m_editLive, "Edit Live did not open");
    // The page's rate, from two pictures some seconds apart.
    QElapsedTimer clock;
    clock.start();
    const PageFrame first = framedPage(clock);
    QThread::msleep(2500);
    const PageFrame second = framedPage(clock);
    const double rate =
        PrompterWindow::verticalShift(first.page, second.page, 80) * 1000.0 / (second.atMs - first.atMs);
    QVERIFY2(rate > 2, qPrintable(QStringLiteral("the page runs at %1 px/s with Edit Live open").arg(rate)));

    // A paragraph well below the reading line (a third down the page).
    const QImage shown = prompter->page();
    const int below =
        firstLineNumber(readText(shown.copy(0, shown.height() * 3 / 5, shown.width(), shown.height())));
    VERIFY_SCREEN(below > 1, shown, QStringLiteral("page"));
    goToParagraphEnd(m_editLive, below - 1);

    const PageFrame before = framedPage(clock);
    desktop->type(QStringLiteral(" zebra"));
    const qint64 typed = clock.elapsed();
    QList<PageFrame> frames;
    while (clock.elapsed() < typed + 1500)
        frames.append(framedPage(clock));

    const auto reached = std::find_if(frames.cbegin(), frames.cend(), [&](const PageFrame &frame) {
        return readsWords(readText(frame.page), QStringLiteral("line %1 zebra").arg(below));
    });
    VERIFY_SCREEN(reached != frames.cend(), frames.constLast().page, QStringLiteral("edited"));
    VERIFY_SCREEN(reached->atMs - typed <= 1000, reached->page,
                  QStringLiteral("reached the page %1 ms after the typing").arg(reached->atMs - typed));

    // The text above the reading line moved only as the page runs.
    const PageFrame &last = frames.constLast();
    const QRect above(0, 0, before.page.width(), before.page.height() / 3);
    const int moved = PrompterWindow::verticalShift(before.page.copy(above), last.page.copy(above), 80);
    const double expected = rate * (last.atMs - before.atMs) / 1000.0;
    qInfo("the word reached the page %lld ms after it was typed; the page moved %d px where it runs %.1f px",
          reached->atMs - typed, moved, expected);
    VERIFY_SCREEN(qAbs(moved - expected) <= 4, last.page,
                  QStringLiteral("moved %1 px where the motion moves %2").arg(moved).arg(expected));
}

void FlowQuickEdit::editLiveAboveTheReadingLineLeavesTheReadersWords()
{
    if (!desktop->hasWindow(editLiveCaption)) {
        reopen(writeScript(QStringLiteral("live.txt"), shortLines()));
        QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
        m_editLive = openEditLive();
        QVERIFY2(m_editLive, "Edit Live did not open");
    }
    // Back at the start, paused: the first lines stand above the reading line.
    desktop->activate(prompter->id());
    prompter->keys({QStringLiteral("f")});
    const QImage before = settledPage();
    VERIFY_SCREEN(readText(before).startsWith(QStringLiteral("line 1 ")), before, QStringLiteral("start"));

    // The first paragraph three lines of the page longer.
    goToParagraphEnd(m_editLive, 0);
    desktop->type(QStringLiteral(
        " was moved to the evening because the river rose overnight and the"
        " bridge on the northern road stayed closed until the engineers came"
        " back from the valley with news of the damage that the storm had left"
        " behind in every village along the water, and the ferry waited at the harbour for the late"
        " train from the city until the captain gave up and sailed for the island"
        " before the tide turned against her"));
    const QRect readerWords(0, before.height() / 2, before.width(), before.height() - before.height() / 2);
    const QString added = QStringLiteral("before the tide turned against her");
    QImage after;
    QDeadlineTimer deadline(8000);
    do {
        after = settledPage();
    } while (!readsWords(readText(after), added) && !deadline.hasExpired());
    VERIFY_SCREEN(readsWords(readText(after), added), after, QStringLiteral("lengthened"));
    VERIFY_SCREEN(after.copy(readerWords) == before.copy(readerWords), after,
                  QStringLiteral("the reader's words moved by %1 px")
                      .arg(PrompterWindow::verticalShift(before.copy(readerWords), after.copy(readerWords))));

    // Closing asks about the unsaved changes; No leaves the page as it is.
    desktop->activate(m_editLive);
    desktop->key(QStringLiteral("alt+F4"));
    const quint64 question = desktop->waitForWindow(warningCaption);
    QVERIFY2(question, "closing the edited script asked nothing");
    desktop->activate(question);
    desktop->key(QStringLiteral("alt+n"));
    QVERIFY(desktop->waitForWindowGone(editLiveCaption));
    const QImage closed = settledPage();
    VERIFY_SCREEN(closed.copy(readerWords) == before.copy(readerWords), closed, QStringLiteral("closed"));
}

void FlowQuickEdit::rightToLeftParagraphsReadFromTheRight()
{
    const QString script = QStringLiteral("Good evening\r\n"
                                          "\u0645\u0631\u062d\u0628\u0627 \u0628\u0643\u0645 \u0641\u064a "
                                          "\u0627\u0644\u0623\u062e\u0628\u0627\u0631\r\n");
    // A window of its own: a long notice of a flow before widens the window past the screen's
    // edge, where the page's right-to-left lines start.
    QVERIFY(startProgram(QStringList{writeScript(QStringLiteral("greetings.txt"), script.toUtf8())}));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("good evening")), QStringLiteral("good evening")));
    prompter->menu(QStringLiteral("q"));
    acknowledgeMessage(QStringLiteral("converted this script to .vnr format"));
    const quint64 editor = desktop->waitForWindow(editorCaption);
    QVERIFY2(editor, "the quick editor did not open");
    const QImage shown = desktop->grab(editor);
    const QString editorWrong = greetingWrong(shown, editorText(shown));
    if (!editorWrong.isEmpty())
        QFAIL(qPrintable(editorWrong + QStringLiteral(": ") + described(shown, QStringLiteral("editor"))));

    // Edited and saved, the script comes back as a rich script: its paragraphs set no alignment.
    desktop->key(QStringLiteral("ctrl+Home"));
    desktop->type(QStringLiteral("Tonight "));
    desktop->key(QStringLiteral("alt+F4"));
    const quint64 question = desktop->waitForWindow(warningCaption);
    QVERIFY2(question, "closing the edited script asked nothing");
    desktop->activate(question);
    desktop->key(QStringLiteral("alt+y"));
    QVERIFY(chooseFile(QStringLiteral("Vantell2 File Save/Export"),
                       scripts.filePath(QStringLiteral("greetings.vnr"))));
    QVERIFY(desktop->waitForWindowGone(editorCaption));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("tonight good evening")),
                       QStringLiteral("tonight good evening")));
    const QImage page = settledPage();
    const QString pageWrong = greetingWrong(page, page.rect());
    if (!pageWrong.isEmpty())
        QFAIL(qPrintable(pageWrong + QStringLiteral(": ") + described(page, QStringLiteral("page"))));
}

QTEST_GUILESS_MAIN(FlowQuickEdit)
#include "flow_quickedit.moc"
