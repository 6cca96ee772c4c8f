#include <functional>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

#include "prompterrun.h"
#include "userflow.h"

// Remote control as a stage manager uses it: the program started with --remote on a port of this
// run's own (--port, not the one the options keep) takes commands
// from curl on this computer (speed, run, pause, the talent display, its black-out), a
// presenter's clicker drives the page with its keys, and the options window shows the address
// and a QR code that a phone's camera reads, and buttons to the MIDI controls' and the hand
// controllers' windows (which offers its defaults for a game pad and a ShuttleXpress before any
// is plugged in); a talent display started with --follow, as on a second computer, shows the
// script and keeps the prompter's place, going on to the next prompter it was given when the
// first does not answer or dies; a standby prompter started with --standby shows the prompter's
// line and carries on, moving, without a jump when the prompter dies.
class FlowRemote : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void commandsFromAnotherProgramDriveThePage();
    void theTalentDisplayIsBlackedOutAndBack();
    void aClickerStartsStopsAndBlacksOut();
    void theOptionsShowTheAddressAsAQrCode();
    void midiControlsHaveTheirWindow();
    void controllersHaveTheirWindow();
    void aDisplayOnAnotherComputerFollows();
    void aDisplayGoesOnWhenItsPrompterDies();
    void aScriptSentAsTextShowsAsWritten();
    void aDirectorsEditReachesThePage();
    void aStandbyCarriesOnWhenItsPrompterDies();

private:
    // What the control API on `port` (by default the prompter's) answers.
    QJsonObject api(const QString &path, const QByteArray &command = {}, quint16 port = 0) const;
    bool pageMoves();
    // The follower's window once the first line OCR reads there passes `wanted`, or after six
    // seconds as it is then.
    // A talent display that follows the prompter on `first`, then this flow's prompter.
    PrompterRun::Options followerOf(quint16 first) const;
    QImage followerShows(quint64 window, const std::function<bool(int firstLine)> &wanted) const;

    quint16 m_port = 0;
    quint16 m_silentPort = 0; // where no prompter listens
    QTemporaryDir m_config;
};

namespace {
const QString optionsCaption = QStringLiteral("Vantell Options");
const QString talentCaption = QStringLiteral("Talent Display");
} // namespace

void FlowRemote::initTestCase()
{
    QVERIFY(startSession());
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    m_port = probe.serverPort();
    QTcpServer kept;
    QVERIFY(kept.listen(QHostAddress::LocalHost, 0));
    m_silentPort = kept.serverPort();
    probe.close();
    kept.close();
    QDir().mkpath(m_config.filePath(QStringLiteral("korvanex")));
    QFile settings(m_config.filePath(QStringLiteral("korvanex/vantell.conf")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    // The options keep another port: the one given for this run is listened on.
    settings.write(QStringLiteral("[Remote]\nEnabled=0\nPort=%1\n").arg(m_silentPort).toUtf8());
    settings.close();
    startOptions.configHome = m_config.path();
    startOptions.arguments = {QStringLiteral("--remote"), QStringLiteral("--port"), QString::number(m_port),
                              numberedScript(400)};
    QVERIFY(startProgram(startOptions));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
}

QJsonObject FlowRemote::api(const QString &path, const QByteArray &command, quint16 port) const
{
    // curl, as any program of the stage manager's would send it.
    QStringList arguments{QStringLiteral("-s"), QStringLiteral("--max-time"), QStringLiteral("10")};
    if (!command.isEmpty())
        arguments << QStringLiteral("-H") << QStringLiteral("Content-Type: application/json")
                  << QStringLiteral("--data-binary") << QString::fromUtf8(command);
    arguments << QStringLiteral("http://127.0.0.1:%1%2").arg(port ? port : m_port).arg(path);
    QProcess curl;
    curl.start(QStringLiteral("curl"), arguments);
    if (!curl.waitForFinished(15000))
        return {};
    return QJsonDocument::fromJson(curl.readAllStandardOutput()).object();
}

bool FlowRemote::pageMoves()
{
    // Moving is what changes over a while: the interval is the measure, not a wait.
    const QImage before = prompter->page();
    QThread::msleep(700);
    return differingShare(before, prompter->page()) > 0.001;
}

void FlowRemote::commandsFromAnotherProgramDriveThePage()
{
    const QJsonObject state = api(QStringLiteral("/api/state"));
    QVERIFY2(state.value(QLatin1String("script")).toString().endsWith(QLatin1String(".txt")),
             qPrintable(QJsonDocument(state).toJson()));
    QCOMPARE(state.value(QLatin1String("role")).toString(), QStringLiteral("prompter"));
    QVERIFY(!pageMoves());
    QCOMPARE(api(QStringLiteral("/api/command"), R"({"command":"speed","value":280})")
                 .value(QLatin1String("ok"))
                 .toBool(),
             true);
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"resume"})").value(QLatin1String("ok")).toBool());
    VERIFY_SCREEN(pageMoves(), prompter->page(), QStringLiteral("running"));
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"pause"})").value(QLatin1String("ok")).toBool());
    VERIFY_SCREEN(waitUntil([this] { return !pageMoves(); }), prompter->page(), QStringLiteral("paused"));
    // Back to the start, where the first line is read again.
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"reset"})").value(QLatin1String("ok")).toBool());
    VERIFY_SCREEN(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")),
                  prompter->page(), QStringLiteral("reset"));
    // Nonsense changes nothing and is told so.
    const QJsonObject refused = api(QStringLiteral("/api/command"), R"({"command":"speed","value":9000})");
    QVERIFY(!refused.value(QLatin1String("ok")).toBool(true));
    QCOMPARE(api(QStringLiteral("/api/state")).value(QLatin1String("speed")).toInt(), 280);
}

void FlowRemote::theTalentDisplayIsBlackedOutAndBack()
{
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"dual-display","value":true})")
                .value(QLatin1String("ok"))
                .toBool());
    const quint64 talent = desktop->waitForWindow(talentCaption);
    QVERIFY2(talent, "no talent display came");
    const auto talentReads = [this, talent](const QString &words) {
        return waitUntil(
            [this, talent, &words] { return readsWords(readText(desktop->grab(talent)), words); });
    };
    const auto talentDark = [this, talent](bool dark) {
        return waitUntil(
            [this, talent, dark] { return (brightCount(desktop->grab(talent), 40) == 0) == dark; });
    };
    VERIFY_SCREEN(talentReads(QStringLiteral("line 1")), desktop->grab(talent), QStringLiteral("talent"));

    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"blackout","value":true})")
                .value(QLatin1String("ok"))
                .toBool());
    VERIFY_SCREEN(talentDark(true), desktop->grab(talent), QStringLiteral("blacked out"));
    // The operator's own page goes on showing the script.
    VERIFY_SCREEN(readsWords(readText(prompter->page()), QStringLiteral("line 1")), prompter->page(),
                  QStringLiteral("prompter during black-out"));
    QVERIFY(api(QStringLiteral("/api/state")).value(QLatin1String("blackout")).toBool());

    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"blackout","value":false})")
                .value(QLatin1String("ok"))
                .toBool());
    VERIFY_SCREEN(talentReads(QStringLiteral("line 1")), desktop->grab(talent), QStringLiteral("back"));
}

void FlowRemote::aClickerStartsStopsAndBlacksOut()
{
    const quint64 talent = desktop->waitForWindow(talentCaption);
    QVERIFY2(talent, "the talent display is gone");
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"speed","value":280})")
                .value(QLatin1String("ok"))
                .toBool());
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"pause"})").value(QLatin1String("ok")).toBool());
    // F5 starts the page, Escape stops it: the clicker's start and stop button.
    prompter->keys({QStringLiteral("F5")});
    VERIFY_SCREEN(pageMoves(), prompter->page(), QStringLiteral("after F5"));
    prompter->keys({QStringLiteral("Escape")});
    VERIFY_SCREEN(waitUntil([this] { return !pageMoves(); }), prompter->page(),
                  QStringLiteral("after Escape"));
    // Page Down steps the queue, not the page: with no queue the page stays where it is (a
    // while, to see that nothing comes).
    const QImage before = prompter->page();
    prompter->keys({QStringLiteral("Next")});
    QThread::msleep(600);
    VERIFY_SCREEN(differingShare(before, prompter->page()) < 0.001, prompter->page(),
                  QStringLiteral("after Page Down"));
    // The black-screen button (period) blacks the talent display out and brings it back.
    const auto talentDark = [this, talent](bool dark) {
        return waitUntil(
            [this, talent, dark] { return (brightCount(desktop->grab(talent), 40) == 0) == dark; });
    };
    prompter->keys({QStringLiteral("period")});
    VERIFY_SCREEN(talentDark(true), desktop->grab(talent), QStringLiteral("clicker black-out"));
    prompter->keys({QStringLiteral("period")});
    VERIFY_SCREEN(talentDark(false), desktop->grab(talent), QStringLiteral("clicker back"));
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"dual-display","value":false})")
                .value(QLatin1String("ok"))
                .toBool());
    QVERIFY(desktop->waitForWindowGone(talentCaption));
}

void FlowRemote::theOptionsShowTheAddressAsAQrCode()
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    QVERIFY(showOptionsPage(options, QStringLiteral("Control"), QStringLiteral("network")));
    const QImage window = desktop->grab(options);
    const QString address = QStringLiteral("http://127.0.0.1:%1/").arg(m_port);
    const QString shots = QStringLiteral(VANTELL_SHOTS_DIR);
    QDir().mkpath(shots);
    const QString file = shots + QStringLiteral("/remote-options.png");
    QVERIFY(window.save(file));
    // The check box's text is whole: nothing of it is cut at the group's edge after its last word.
    const QList<QRect> network = findWords(window, QStringLiteral("network"));
    VERIFY_SCREEN(!network.isEmpty(), window, QStringLiteral("no check box to allow the network"));
    const QRect after(network.first().right() + 3, network.first().top() - 2, 40,
                      network.first().height() + 4);
    const QString cut = readText(window.copy(after));
    VERIFY_SCREEN(!cut.contains(QRegularExpression(QStringLiteral("[a-z]"))), window,
                  QStringLiteral("the network check box goes on past its group: \"%1\"").arg(cut));
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty()) {
        desktop->activate(options);
        desktop->key(QStringLiteral("Escape"));
        QSKIP("zbarimg (zbar-tools) is not installed: the QR code is not read");
    }
    // What a phone's camera would read.
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"), file});
    QVERIFY(zbar.waitForFinished(15000));
    const QString read = QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
    VERIFY_SCREEN(read == address, window, QStringLiteral("QR code read as \"%1\"").arg(read));
    desktop->activate(options);
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));
}

void FlowRemote::midiControlsHaveTheirWindow()
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    QVERIFY(showOptionsPage(options, QStringLiteral("Control"), QStringLiteral("network")));
    // The button's key, as the keyboard reaches it.
    desktop->activate(options);
    desktop->key(QStringLiteral("alt+m"));
    const quint64 midi = desktop->waitForWindow(QStringLiteral("MIDI Controls"));
    QVERIFY2(midi, "MIDI... opened no window");
    const QImage shown = desktop->grab(midi);
    const QString read = readText(shown);
    // The switch, the status (no device is listened to yet), a command to bind, and Learn.
    VERIFY_SCREEN(readsWords(read, QStringLiteral("Listen to MIDI controllers")) &&
                      readsWords(read, QStringLiteral("not listened to")) &&
                      readsWords(read, QStringLiteral("speed-up")) &&
                      readsWords(read, QStringLiteral("Learn")),
                  shown, QStringLiteral("MIDI controls"));
    desktop->activate(midi);
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("MIDI Controls")));
    desktop->activate(options);
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));
}

void FlowRemote::controllersHaveTheirWindow()
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    QVERIFY(showOptionsPage(options, QStringLiteral("Control"), QStringLiteral("network")));
    desktop->activate(options);
    desktop->key(QStringLiteral("alt+c"));
    const quint64 controllers = desktop->waitForWindow(QStringLiteral("Controllers"));
    QVERIFY2(controllers, "Controllers... opened no window");
    // It listens from the start, finds no device on this machine, and lists what any game pad
    // and a ShuttleXpress do before they are plugged in: the pad's stick is the speed.
    const QStringList expected{QStringLiteral("Listen to game pads"),
                               QStringLiteral("no controller is connected"),
                               QStringLiteral("ShuttleXpress"),
                               QStringLiteral("not connected"),
                               QStringLiteral("lefty"),
                               QStringLiteral("toggle-pause"),
                               QStringLiteral("in the middle")};
    const auto readsAll = [&expected](const QString &read) {
        return std::all_of(expected.cbegin(), expected.cend(),
                           [&read](const QString &words) { return readsWords(read, words); });
    };
    QImage shown;
    waitUntil([this, controllers, &shown, &readsAll] {
        shown = desktop->grab(controllers);
        return readsAll(readText(shown));
    });
    QDir().mkpath(QStringLiteral(VANTELL_SHOTS_DIR));
    shown.save(QStringLiteral(VANTELL_SHOTS_DIR "/controllers.png"));
    VERIFY_SCREEN(readsAll(readText(shown)), shown, QStringLiteral("controllers"));
    // The first device, any game pad, is chosen: OCR does not read light text on the selection,
    // so it is read once the ShuttleXpress is chosen instead.
    QVERIFY(clickWord(controllers, QStringLiteral("ShuttleXpress")));
    const bool listed = waitUntil([this, controllers, &shown] {
        shown = desktop->grab(controllers);
        return readsWords(readText(shown), QStringLiteral("Any game pad"));
    });
    VERIFY_SCREEN(listed, shown, QStringLiteral("any game pad"));
    desktop->activate(controllers);
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Controllers")));
    desktop->activate(options);
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));
}

namespace {
// The smallest number of a "line N" that OCR reads in `text`; -1 when there is none.
int firstLineNumber(const QString &text)
{
    static const QRegularExpression line(QStringLiteral("line (\\d+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    int first = -1;
    for (const QRegularExpressionMatch &match : line.globalMatch(text)) {
        const int number = match.captured(1).toInt();
        if (first < 0 || number < first)
            first = number;
    }
    return first;
}

// How many "line N" OCR reads in `text`.
int lineCount(const QString &text)
{
    static const QRegularExpression line(QStringLiteral("line \\d+"),
                                         QRegularExpression::CaseInsensitiveOption);
    int count = 0;
    for (QRegularExpressionMatchIterator match = line.globalMatch(text); match.hasNext(); match.next())
        ++count;
    return count;
}
} // namespace

PrompterRun::Options FlowRemote::followerOf(quint16 first) const
{
    PrompterRun::Options options;
    options.arguments = {QStringLiteral("--follow"),
                         QStringLiteral("127.0.0.1:%1,127.0.0.1:%2").arg(first).arg(m_port)};
    options.caption = talentCaption;
    return options;
}

QImage FlowRemote::followerShows(quint64 window, const std::function<bool(int firstLine)> &wanted) const
{
    QImage image = desktop->grab(window);
    for (int tries = 0; tries < 20 && !wanted(firstLineNumber(readText(image))); ++tries) {
        QThread::msleep(300);
        image = desktop->grab(window);
    }
    return image;
}

void FlowRemote::aDisplayOnAnotherComputerFollows()
{
    // The prompter's own talent display closes, so that the one found is the follower's.
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"dual-display","value":false})")
                .value(QLatin1String("ok"))
                .toBool());
    QVERIFY(desktop->waitForWindowGone(talentCaption));
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"pause"})").value(QLatin1String("ok")).toBool());
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"reset"})").value(QLatin1String("ok")).toBool());
    // The first prompter named is not there: the display goes on to the next at once.
    PrompterRun follower(*session, followerOf(m_silentPort));
    QVERIFY2(follower.window(), qPrintable(follower.error()));
    const auto shown = [&] { return desktop->grab(follower.window()); };
    QImage image = followerShows(follower.window(), [](int first) { return first == 1; });
    VERIFY_SCREEN(firstLineNumber(readText(image)) == 1, image, QStringLiteral("follower at the start"));

    // The prompter jumps on: the follower stands at the same line.
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"jump-lines","value":200})")
                .value(QLatin1String("ok"))
                .toBool());
    int first = 0;
    waitUntil([&] {
        image = shown();
        first = firstLineNumber(readText(image));
        return first >= 170 && first <= 215;
    });
    VERIFY_SCREEN(first >= 170 && first <= 215, image,
                  QStringLiteral("follower after the jump (line %1)").arg(first));

    // It moves while the prompter runs, and rests when it stops.
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"resume"})").value(QLatin1String("ok")).toBool());
    // Moving and resting are what changes, or not, over a while: the intervals are the measure.
    const auto followerMoves = [&] {
        const QImage before = shown();
        QThread::msleep(700);
        return differingShare(before, shown()) > 0.001;
    };
    VERIFY_SCREEN(waitUntil(followerMoves), shown(), QStringLiteral("follower running"));
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"pause"})").value(QLatin1String("ok")).toBool());
    VERIFY_SCREEN(waitUntil([&] { return !followerMoves(); }), shown(), QStringLiteral("follower paused"));

    // The prompter's window narrows without a new page: its lines break at the new width, and the
    // follower's at once, drawn larger on its screen (fewer lines show).
    const int widthBefore = api(QStringLiteral("/api/state")).value(QLatin1String("layoutWidth")).toInt();
    QVERIFY(widthBefore > 0);
    const int linesBefore = lineCount(readText(shown()));
    const QRect wide = desktop->geometry(prompter->id());
    const auto resize = [&](int width) { desktop->resize(prompter->id(), QSize(width, wide.height())); };
    resize(wide.width() / 2);
    QVERIFY(QTest::qWaitFor(
        [&] {
            return api(QStringLiteral("/api/state")).value(QLatin1String("layoutWidth")).toInt() <
                   widthBefore * 3 / 4;
        },
        10000));
    image = shown();
    for (int tries = 0; tries < 20 && lineCount(readText(image)) > linesBefore - 4; ++tries) {
        QThread::msleep(300);
        image = shown();
    }
    VERIFY_SCREEN(lineCount(readText(image)) <= linesBefore - 4, image,
                  QStringLiteral("follower after the prompter narrowed (%1 lines before)").arg(linesBefore));
    resize(wide.width());
    QVERIFY(QTest::qWaitFor(
        [&] {
            return api(QStringLiteral("/api/state")).value(QLatin1String("layoutWidth")).toInt() ==
                   widthBefore;
        },
        10000));
}

void FlowRemote::aDisplayGoesOnWhenItsPrompterDies()
{
    QVERIFY(
        api(QStringLiteral("/api/command"), R"({"command":"reset"})").value(QLatin1String("ok")).toBool());
    // A second prompter on this computer, on a port of its own, showing the same script.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 secondPort = probe.serverPort();
    probe.close();
    PrompterRun::Options second;
    second.arguments = {QStringLiteral("--port"), QString::number(secondPort), numberedScript(400)};
    PrompterRun other(*session, second);
    QVERIFY(QTest::qWaitFor(
        [&] {
            return api(QStringLiteral("/api/state"), {}, secondPort)
                       .value(QLatin1String("pageBottom"))
                       .toInt() > 0;
        },
        20000));
    // Its own talent display closes: the one found is the follower's.
    api(QStringLiteral("/api/command"), R"({"command":"dual-display","value":false})", secondPort);
    QVERIFY(desktop->waitForWindowGone(talentCaption));

    // The follower follows the second prompter first, this one next.
    PrompterRun follower(*session, followerOf(secondPort));
    QVERIFY2(follower.window(), qPrintable(follower.error()));
    const auto shown = [&] { return desktop->grab(follower.window()); };
    QImage image = followerShows(follower.window(), [](int first) { return first == 1; });
    VERIFY_SCREEN(firstLineNumber(readText(image)) == 1, image, QStringLiteral("follower at the start"));

    // The second prompter dies: the page stays where it is, never black, while the follower goes
    // over to this prompter.
    other.kill();
    for (int look = 0; look < 8; ++look) {
        image = shown();
        VERIFY_SCREEN(firstLineNumber(readText(image)) == 1, image,
                      QStringLiteral("follower after its prompter died (look %1)").arg(look));
        QThread::msleep(400);
    }
    // It follows this prompter now.
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"jump-lines","value":200})")
                .value(QLatin1String("ok"))
                .toBool());
    image = followerShows(follower.window(), [](int first) { return first >= 170 && first <= 215; });
    const int first = firstLineNumber(readText(image));
    VERIFY_SCREEN(first >= 170 && first <= 215, image,
                  QStringLiteral("follower of the next prompter after the jump (line %1)").arg(first));
}

void FlowRemote::aScriptSentAsTextShowsAsWritten()
{
    QVERIFY(
        api(QStringLiteral("/api/script"),
            R"({"name":"cues","text":"Press <Enter> to continue\nIf a < b then b > a\n<b>now</b> & then"})")
            .value(QLatin1String("ok"))
            .toBool());
    const QString text = waitForPageText(QStringLiteral("press <enter> to continue"));
    VERIFY_SCREEN(readsWords(text, QStringLiteral("press <enter> to continue a<bthenb>a now&then")),
                  prompter->page(), QStringLiteral("page"));
}

void FlowRemote::aDirectorsEditReachesThePage()
{
    // The script sent as text just before: a director's tablet reads its paragraphs and corrects one.
    const QJsonArray paragraphs =
        api(QStringLiteral("/api/paragraphs")).value(QLatin1String("paragraphs")).toArray();
    QCOMPARE(paragraphs.size(), 3);
    QCOMPARE(paragraphs.at(1).toObject().value(QLatin1String("text")).toString(),
             QStringLiteral("If a < b then b > a"));
    QVERIFY(api(QStringLiteral("/api/edit"), R"({"paragraph":1,"text":"Zebra crossing ahead"})")
                .value(QLatin1String("ok"))
                .toBool());
    const QString text = waitForPageText(QStringLiteral("zebra crossing ahead"));
    VERIFY_SCREEN(readsWords(text, QStringLiteral("press <enter> to continue zebra crossing ahead now&then")),
                  prompter->page(), QStringLiteral("page"));

    // A paragraph the script has not is refused, and the page stays as it is.
    const QImage before = prompter->page();
    QVERIFY(!api(QStringLiteral("/api/edit"), R"({"paragraph":3,"text":"Nowhere"})")
                 .value(QLatin1String("ok"))
                 .toBool());
    QCOMPARE(api(QStringLiteral("/api/paragraphs")).value(QLatin1String("paragraphs")).toArray().size(), 3);
    QVERIFY(differingShare(before, prompter->page()) < 0.001);
}

void FlowRemote::aStandbyCarriesOnWhenItsPrompterDies()
{
    // A second prompter on this computer, its talent display closed, and its standby beside it.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 prompterPort = probe.serverPort();
    probe.close();
    PrompterRun::Options second;
    second.arguments = {QStringLiteral("--port"), QString::number(prompterPort), numberedScript(400)};
    PrompterRun other(*session, second);
    QVERIFY(QTest::qWaitFor(
        [&] {
            return api(QStringLiteral("/api/state"), {}, prompterPort)
                       .value(QLatin1String("pageBottom"))
                       .toInt() > 0;
        },
        20000));
    api(QStringLiteral("/api/command"), R"({"command":"dual-display","value":false})", prompterPort);
    QVERIFY(desktop->waitForWindowGone(talentCaption));
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 standbyPort = probe.serverPort();
    probe.close();
    PrompterRun::Options standbyOptions;
    standbyOptions.arguments = {QStringLiteral("--port"), QString::number(standbyPort),
                                QStringLiteral("--standby"),
                                QStringLiteral("127.0.0.1:%1").arg(prompterPort)};
    PrompterRun standby(*session, standbyOptions);
    QVERIFY2(standby.window(), qPrintable(standby.error()));
    desktop->activate(standby.window());
    const auto shown = [&] { return desktop->grab(standby.window()); };

    // The prompter jumps on: the standby shows its line, and says whose standby it is.
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"jump-lines","value":100})", prompterPort)
                .value(QLatin1String("ok"))
                .toBool());
    QImage image = followerShows(standby.window(), [](int first) { return first >= 80 && first <= 115; });
    int first = firstLineNumber(readText(image));
    VERIFY_SCREEN(first >= 80 && first <= 115, image,
                  QStringLiteral("standby after the jump (line %1)").arg(first));
    VERIFY_SCREEN(readText(image).contains(QLatin1String("standby of"), Qt::CaseInsensitive), image,
                  QStringLiteral("standby's status"));
    // A key pressed here is passed on to the prompter, and the prompter's refusal shows here:
    // its queue has no script before this one.
    desktop->key(QStringLiteral("a"));
    VERIFY_SCREEN(waitUntil([&] {
                      return readText(shown()).contains(QLatin1String("the queue"), Qt::CaseInsensitive);
                  }),
                  shown(), QStringLiteral("the prompter's refusal on the standby"));

    // The prompter's page is mirrored: the standby's is too, and reads right turned back.
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"mirror","value":true})", prompterPort)
                .value(QLatin1String("ok"))
                .toBool());
    const auto turnedBack = [&] { return shown().mirrored(true, false); };
    const auto mirroredAtTheStart = [&] { return firstLineNumber(readText(turnedBack())) == 1; };
    VERIFY_SCREEN(waitUntil(mirroredAtTheStart), shown(), QStringLiteral("standby mirrored as its prompter"));
    // The mirrored page is built anew at its start, on both: the prompter jumps on again.
    QVERIFY(api(QStringLiteral("/api/command"), R"({"command":"jump-lines","value":100})", prompterPort)
                .value(QLatin1String("ok"))
                .toBool());
    const auto linesTurnedBack = [&] {
        const int line = firstLineNumber(readText(turnedBack()));
        return line >= 80 && line <= 115;
    };
    VERIFY_SCREEN(waitUntil(linesTurnedBack), shown(), QStringLiteral("mirrored standby after the jump"));

    // The prompter runs slowly, and dies: the standby's page goes on moving from where it was,
    // without a jump, and it leads the show.
    api(QStringLiteral("/api/command"), R"({"command":"speed","value":40})", prompterPort);
    api(QStringLiteral("/api/command"), R"({"command":"resume"})", prompterPort);
    const auto standbyMoves = [&] {
        const QImage before = shown();
        QThread::msleep(700);
        return differingShare(before, shown()) > 0.001;
    };
    VERIFY_SCREEN(waitUntil(standbyMoves), shown(), QStringLiteral("standby mirroring the run"));
    const int before = firstLineNumber(readText(turnedBack()));
    other.kill();
    QVERIFY(QTest::qWaitFor(
        [&] {
            return api(QStringLiteral("/api/state"), {}, standbyPort)
                       .value(QLatin1String("role"))
                       .toString() == QLatin1String("prompter");
        },
        5000));
    // Still mirrored, as the prompter left it.
    image = turnedBack();
    first = firstLineNumber(readText(image));
    VERIFY_SCREEN(
        first >= before && first <= before + 3, image,
        QStringLiteral("standby after the takeover (line %1, line %2 before)").arg(first).arg(before));
    image = shown();
    VERIFY_SCREEN(readText(image).contains(QLatin1String("took the show over"), Qt::CaseInsensitive), image,
                  QStringLiteral("standby's status after the takeover"));
    VERIFY_SCREEN(waitUntil(standbyMoves), shown(), QStringLiteral("standby running on"));
}

QTEST_GUILESS_MAIN(FlowRemote)
#include "flow_remote.moc"
