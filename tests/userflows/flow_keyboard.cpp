#include <QRegularExpression>
#include <QThread>

#include "userflow.h"

// Keyboard only: from the start the keys work without a click, the menu opens with the menu key
// and Shift+F10, every toolbar command has its key, and the focus never stays where the letter
// keys stop working.
class FlowKeyboard : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lettersWorkWithoutAClick();
    void theMenuOpensFromTheKeyboard();
    void aWindowFromTheMenuGivesTheKeysBack();
    void toolbarCommandsHaveKeys();
    void theFocusNeverGetsStuck();

private:
    // Whether the screen shows the popup menu (its first and last commands).
    bool menuShown() const;
    void verifyStatus(const QString &words) const;
    int speed() const;
};

void FlowKeyboard::initTestCase()
{
    QVERIFY(startSession());
}

void FlowKeyboard::init()
{
    // Every flow starts as a user starts the program: no click anywhere.
    QVERIFY(startProgram(QStringList{numberedScript(400)}));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
}

void FlowKeyboard::cleanup()
{
    stopProgram();
}

namespace {
// The number of the first line of the numbered script that the page shows, or 0.
int firstLineNumber(const QString &text)
{
    const QRegularExpressionMatch line = QRegularExpression(QStringLiteral("line (\\d+)")).match(text);
    return line.hasMatch() ? line.captured(1).toInt() : 0;
}
} // namespace

bool FlowKeyboard::menuShown() const
{
    const QString screen = readText(desktop->grab());
    return readsWords(screen, QStringLiteral("open single script")) &&
           readsWords(screen, QStringLiteral("exit"));
}

void FlowKeyboard::verifyStatus(const QString &words) const
{
    QString text;
    for (int attempt = 0; attempt < 10 && !readsWords(text, words); ++attempt) {
        QThread::msleep(200);
        text = prompter->statusText();
    }
    VERIFY_SCREEN(readsWords(text, words), prompter->statusLine(), QStringLiteral("status"));
}

int FlowKeyboard::speed() const
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("speed (-?\\d+)")).match(prompter->statusText());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

void FlowKeyboard::lettersWorkWithoutAClick()
{
    prompter->keys(QStringList(5, QStringLiteral("w")));
    verifyStatus(QStringLiteral("speed 50"));
    prompter->keys({QStringLiteral("q")});
    verifyStatus(QStringLiteral("paused"));
}

void FlowKeyboard::theMenuOpensFromTheKeyboard()
{
    prompter->keys({QStringLiteral("Menu")});
    VERIFY_SCREEN(waitUntil([this] { return menuShown(); }), desktop->grab(), QStringLiteral("menu key"));
    // Opening the menu does not start a paused page, and Escape closes it.
    prompter->keys({QStringLiteral("Escape")});
    VERIFY_SCREEN(waitUntil([this] { return !menuShown(); }), desktop->grab(), QStringLiteral("closed"));
    verifyStatus(QStringLiteral("paused"));

    prompter->keys({QStringLiteral("shift+F10")});
    VERIFY_SCREEN(waitUntil([this] { return menuShown(); }), desktop->grab(), QStringLiteral("shift f10"));
    // Down to "Show Status Bar" by its letter: the status bar goes, and comes back the same way.
    prompter->keys({QStringLiteral("s")});
    QImage hidden;
    const bool gone = waitUntil([this, &hidden] {
        hidden = desktop->grab(prompter->id());
        return !readsWords(readText(hidden), QStringLiteral("coarse"));
    });
    VERIFY_SCREEN(gone, hidden, QStringLiteral("hidden"));
    prompter->keys({QStringLiteral("Menu"), QStringLiteral("s")});
    verifyStatus(QStringLiteral("coarse"));
}

void FlowKeyboard::aWindowFromTheMenuGivesTheKeysBack()
{
    prompter->keys({QStringLiteral("Menu"), QStringLiteral("p"), QStringLiteral("Return")});
    const quint64 options = desktop->waitForWindow(QStringLiteral("Vantell Options"));
    QVERIFY2(options, "the options window did not open from the keyboard");
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell Options")));
    QVERIFY(desktop->waitForActive(prompter->id()));
    // Back on the prompter, the letters act at once.
    prompter->keys(QStringList(3, QStringLiteral("w")));
    verifyStatus(QStringLiteral("speed 30"));
}

void FlowKeyboard::toolbarCommandsHaveKeys()
{
    // + and - set the coarse step.
    prompter->keys({QStringLiteral("plus"), QStringLiteral("plus")});
    verifyStatus(QStringLiteral("coarse: 3"));
    prompter->keys({QStringLiteral("minus")});
    verifyStatus(QStringLiteral("coarse: 2"));
    // F3 mirrors the page: its lines no longer read; F3 again brings them back.
    prompter->keys({QStringLiteral("F3")});
    QImage mirrored;
    const bool mirroredShown = waitUntil([this, &mirrored] {
        mirrored = settledPage();
        return !readsWords(readText(mirrored), QStringLiteral("line 1"));
    });
    VERIFY_SCREEN(mirroredShown, mirrored, QStringLiteral("mirrored"));
    prompter->keys({QStringLiteral("F3")});
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
    // F2 turns it upside down, F2 again back.
    prompter->keys({QStringLiteral("F2")});
    QImage turned;
    const bool turnedShown = waitUntil([this, &turned] {
        turned = settledPage();
        return !readsWords(readText(turned), QStringLiteral("line 1"));
    });
    VERIFY_SCREEN(turnedShown, turned, QStringLiteral("turned"));
    prompter->keys({QStringLiteral("F2")});
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
    // F1 shows the help pages (installed with the program: no service answers), F1 again the script.
    prompter->keys({QStringLiteral("F1")});
    const QString help = waitForPageText(QStringLiteral("vantell help"), 15000);
    VERIFY_SCREEN(readsWords(help, QStringLiteral("vantell help")), prompter->page(), QStringLiteral("help"));
    prompter->keys({QStringLiteral("F1")});
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
    // F4 opens the talent's window.
    prompter->keys({QStringLiteral("F4")});
    const quint64 talent = desktop->waitForWindow(QStringLiteral("Talent Display"));
    QVERIFY2(talent, "F4 did not open the talent display");
    prompter->keys({QStringLiteral("F4")});
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Talent Display")));
}

void FlowKeyboard::theFocusNeverGetsStuck()
{
    // Tab walks on to the speed slider: the letters still act there, once each.
    prompter->keys({QStringLiteral("Tab"), QStringLiteral("w"), QStringLiteral("w")});
    verifyStatus(QStringLiteral("speed 20"));
    prompter->keys({QStringLiteral("Tab"), QStringLiteral("q")});
    verifyStatus(QStringLiteral("paused"));
    // Escape brings the focus back to the page, where the arrows move the page by hand.
    prompter->keys({QStringLiteral("Escape")});
    const QImage before = settledPage();
    prompter->keys(QStringList(2, QStringLiteral("Down")));
    QImage after;
    const bool moved = waitUntil([this, &before, &after] {
        after = settledPage();
        return firstLineNumber(readText(after)) > firstLineNumber(readText(before));
    });
    VERIFY_SCREEN(moved, after, QStringLiteral("arrows on the page"));
    prompter->keys({QStringLiteral("w")});
    verifyStatus(QStringLiteral("speed 30"));
}

QTEST_GUILESS_MAIN(FlowKeyboard)
#include "flow_keyboard.moc"
