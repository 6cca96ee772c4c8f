#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/prompterremote.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "core/editlive/readinganchor.h"
#include "core/remote/followerlink.h"
#include "core/remote/remoteserver.h"
#include "ui/rundown/rundown.h"
#include "ui/talentdisplay/networkdisplay.h"
#include "ui/browser/pagescripts.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "testsupport/features.h"
#include "ui/readingaids/markerjumps.h"
#include "ui/readingaids/talentmessage.h"

// The real prompter driven by remote commands: each does what the operator's control for it
// does, the state told is the prompter's, and the phone page works in a real browser.
class TestPrompterRemote : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void speedCommandsActAsTheOperatorsControls();
    void positionsAndJumpsMoveThePage();
    void queueCommandsLoadOrSayWhyNot();
    void aScriptSentAsTextIsShown();
    void theTalentDisplayOpensAndBlacksOut();
    void theStateFollowsThePrompter();
    void markersClockAndMessageAreThere();
    void thePhonePageDrivesThePrompterInABrowser();
    void networkedDisplaysChangeAContinuousPageInPlace();

private:
    QString scriptFile(const QString &name, const QString &firstLine);
    QString perform(const char *name, const QJsonValue &value = {});

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    PrompterRemote *m_remote = nullptr;
    QTemporaryDir m_scripts;
};

void TestPrompterRemote::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QStringList script;
    for (int i = 0; i < 600; ++i)
        script << QStringLiteral("Line %1 of the remote script").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
    m_remote = &m_form->remoteTarget();
}

void TestPrompterRemote::cleanupTestCase()
{
    delete m_env;
}

void TestPrompterRemote::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
}

QString TestPrompterRemote::scriptFile(const QString &name, const QString &firstLine)
{
    const QString path = m_scripts.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write((firstLine + QStringLiteral("\nand a second line\n")).toUtf8());
    return path;
}

QString TestPrompterRemote::perform(const char *name, const QJsonValue &value)
{
    const ParsedCommand parsed = remotecommand(QLatin1String(name), value);
    if (!parsed.command)
        return QStringLiteral("not a command: ") + parsed.error;
    return m_remote->perform(*parsed.command);
}

void TestPrompterRemote::speedCommandsActAsTheOperatorsControls()
{
    PromptEngine *engine = m_form->engine;
    // Like the speed slider: the speed, at once.
    QCOMPARE(perform("speed", 100), QString());
    QCOMPARE(engine->scrollspeed(), 100);
    QCOMPARE(perform("pause"), QString());
    // Like the key W: faster, and running.
    QCOMPARE(perform("speed-up"), QString());
    QVERIFY(engine->scrollspeed() > 100);
    QVERIFY(engine->isRunning());
    QCOMPARE(perform("pause"), QString());
    QVERIFY(!engine->isRunning());
    QCOMPARE(perform("toggle-pause"), QString());
    QVERIFY(engine->isRunning());
    const bool forward = engine->scrollforward();
    QCOMPARE(perform("reverse"), QString());
    QCOMPARE(engine->scrollforward(), !forward);
    QCOMPARE(perform("coarse", 7), QString());
    QCOMPARE(engine->coarse(), 7);
    QCOMPARE(perform("coarse-down"), QString());
    QCOMPARE(engine->coarse(), 6);
    QCOMPARE(perform("pause"), QString());
    const PrompterSnapshot state = m_remote->snapshot();
    QCOMPARE(state.speed, engine->scrollspeed());
    QCOMPARE(state.coarse, 6);
    QVERIFY(!state.running);
}

void TestPrompterRemote::positionsAndJumpsMoveThePage()
{
    Browser *page = m_form->wb1;
    QCOMPARE(perform("position", 1200), QString());
    WAIT_COMPARE(page->scrollPosition(), 1200);
    QCOMPARE(perform("jump-pixels", -200), QString());
    WAIT_COMPARE(page->scrollPosition(), 1000);
    // Lines are the display font's lines: five forward and five back come home.
    QCOMPARE(perform("jump-lines", 5), QString());
    WAIT_VERIFY(page->scrollPosition() > 1000 + 5 * m_form->displayfont.size);
    QCOMPARE(perform("jump-lines", -5), QString());
    WAIT_VERIFY(qAbs(page->scrollPosition() - 1000) <= 2);
    // Far beyond the page's end is its end.
    QCOMPARE(perform("position", 90000000), QString());
    WAIT_COMPARE(page->scrollPosition(), page->scrollBottom());
    QCOMPARE(perform("reset"), QString());
    WAIT_COMPARE(page->scrollPosition(), 0);
}

void TestPrompterRemote::queueCommandsLoadOrSayWhyNot()
{
    const QString first = scriptFile(QStringLiteral("first.txt"), QStringLiteral("The first script"));
    const QString second = scriptFile(QStringLiteral("second.txt"), QStringLiteral("The second script"));
    windows().Form4->setQueue({first, second});
    m_form->promptstate.queuepos = 0;
    QCOMPARE(perform("queue-entry", 1), QString());
    WAIT_COMPARE(m_form->promptstate.scriptpath, second);
    QVERIFY(m_form->promptstate.pagelines.join(QString()).contains(QLatin1String("The second script")));
    // There is nothing after the last entry: said, and nothing changes.
    QVERIFY(!perform("next-script").isEmpty());
    QVERIFY(!perform("queue-entry", 5).isEmpty());
    QCOMPARE(m_form->promptstate.queuepos, 1);
    QCOMPARE(perform("previous-script"), QString());
    WAIT_COMPARE(m_form->promptstate.scriptpath, first);
    QCOMPARE(m_remote->snapshot().queueLength, 2);
    // A queue entry whose file has gone is reported by the prompter as the operator sees it; the
    // page stays.
    QFile::remove(second);
    m_env->dialogs.clear();
    QCOMPARE(perform("next-script"), QString());
    WAIT_VERIFY(!m_env->dialogs.messages().isEmpty());
    QCOMPARE(m_form->promptstate.scriptpath, first);
    windows().Form4->setQueue({});
}

void TestPrompterRemote::aScriptSentAsTextIsShown()
{
    QSignalSpy scripts(m_remote, &PrompterRemote::scriptChanged);
    const ScriptCopy before = m_remote->script();
    RemoteCommand command;
    command.action = RemoteAction::LoadScript;
    command.name = QStringLiteral("Breaking news");
    command.text = QStringLiteral("Flash\r\nSecond line\rThird line\nFourth line");
    QCOMPARE(m_remote->perform(command), QString());
    QVERIFY(scripts.wait(10000));
    const ScriptCopy after = m_remote->script();
    QCOMPARE(after.path, QStringLiteral("Breaking news"));
    QVERIFY(after.generation > before.generation);
    // Every kind of line end ends a line, as in a text file.
    QCOMPARE(m_form->promptstate.scriptlines,
             (QStringList{QStringLiteral("Flash"), QStringLiteral("Second line"),
                          QStringLiteral("Third line"), QStringLiteral("Fourth line")}));
    QVERIFY(after.pagelines.join(QLatin1Char('\n')).contains(QLatin1String("Fourth line")));
    QVERIFY(!m_remote->snapshot().running);
}

void TestPrompterRemote::theTalentDisplayOpensAndBlacksOut()
{
    QCOMPARE(perform("dual-display", true), QString());
    QVERIFY(m_form->outputwindow());
    // Switching it on again keeps the one window.
    OutputWindow *window = m_form->outputwindow();
    QCOMPARE(perform("dual-display", true), QString());
    QCOMPARE(m_form->outputwindow(), window);
    QCOMPARE(perform("blackout", true), QString());
    auto *cover = window->findChild<QWidget *>(QStringLiteral("blackout"));
    QVERIFY(cover && cover->isVisible());
    QCOMPARE(cover->geometry(), window->rect());
    QVERIFY(m_remote->snapshot().blackout);
    QCOMPARE(perform("blackout"), QString());
    QVERIFY(!cover->isVisible());
    // A black-out asked for while the window is closed holds when it opens.
    QCOMPARE(perform("dual-display", false), QString());
    WAIT_VERIFY(!m_form->outputwindow());
    QCOMPARE(perform("blackout", true), QString());
    QCOMPARE(perform("dual-display", true), QString());
    QVERIFY(m_form->outputwindow()->findChild<QWidget *>(QStringLiteral("blackout"))->isVisible());
    QCOMPARE(perform("blackout", false), QString());
    QCOMPARE(perform("dual-display", false), QString());
    WAIT_VERIFY(!m_form->outputwindow());
}

void TestPrompterRemote::theStateFollowsThePrompter()
{
    QSignalSpy changes(m_remote, &PrompterRemote::stateChanged);
    m_form->engine->setSpeed(250);
    m_form->adjustspeed();
    WAIT_VERIFY(changes.size() > 3);
    const PrompterSnapshot moving = m_remote->snapshot();
    QVERIFY(moving.running);
    QVERIFY(moving.rate != 0);
    m_form->dopause();
    WAIT_VERIFY(!m_remote->snapshot().running);
    const PrompterSnapshot resting = m_remote->snapshot();
    QCOMPARE(resting.position, m_form->wb1->scrollPosition());
    QCOMPARE(resting.smoothRate, 0.0);
    QCOMPARE(resting.role, QStringLiteral("prompter"));
    // The page's width is told, and told again as soon as the window widens (no new page comes):
    // networked displays break their lines at it.
    QCOMPARE(resting.layoutWidth, m_form->wb1->width());
    changes.clear();
    const QSize size = m_form->size();
    m_form->resize(size.width() + 200, size.height());
    WAIT_VERIFY(!changes.isEmpty() && m_remote->snapshot().layoutWidth == m_form->wb1->width());
    QVERIFY2(m_remote->snapshot().layoutWidth > resting.layoutWidth,
             qPrintable(QString::number(m_remote->snapshot().layoutWidth)));
    m_form->resize(size);
    WAIT_VERIFY(m_remote->snapshot().layoutWidth == resting.layoutWidth);
}

void TestPrompterRemote::markersClockAndMessageAreThere()
{
    QStringList script{QStringLiteral("## Opening"), QStringLiteral("Good evening.")};
    for (int i = 0; i < 200; ++i)
        script << QStringLiteral("Line %1").arg(i + 1);
    script << QStringLiteral("## Weather") << QStringLiteral("Sunny.");
    for (int i = 0; i < 200; ++i)
        script << QStringLiteral("More %1").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
    QCOMPARE(feature<MarkerJumps>(m_form).names(),
             (QStringList{QStringLiteral("Opening"), QStringLiteral("Weather")}));
    QCOMPARE(perform("marker", 1), QString());
    WAIT_VERIFY(m_form->wb1->scrollPosition() > 1000);
    const int atWeather = m_form->wb1->scrollPosition();
    QCOMPARE(perform("previous-marker"), QString());
    WAIT_VERIFY(m_form->wb1->scrollPosition() < atWeather);
    QVERIFY(!perform("marker", 2).isEmpty());
    QCOMPARE(perform("talent-message", QStringLiteral("Wrap up")), QString());
    QCOMPARE(feature<TalentMessage>(m_form).text(), QStringLiteral("Wrap up"));
    QCOMPARE(perform("talent-message", QString()), QString());
    QVERIFY(feature<TalentMessage>(m_form).text().isEmpty());
    QCOMPARE(perform("show-clock-start"), QString());
    QCOMPARE(perform("show-clock-reset"), QString());
    QCOMPARE(perform("show-clock-stop"), QString());
}

void TestPrompterRemote::thePhonePageDrivesThePrompterInABrowser()
{
    RemoteServer server(*m_remote);
    connect(m_remote, &PrompterRemote::stateChanged, &server, &RemoteServer::stateChanged);
    RemoteServerSettings settings;
    settings.port = 0;
    QVERIFY(server.start(settings));
    QWebEnginePage phone;
    QSignalSpy loaded(&phone, &QWebEnginePage::loadFinished);
    phone.load(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.port())));
    QVERIFY(loaded.wait(20000));
    QVERIFY(loaded.first().first().toBool());
    const auto evaluate = [&phone](const QString &script) {
        QVariant result;
        bool done = false;
        phone.runJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        runEventsUntil([&done] { return done; }, 10000);
        return result;
    };
    // The page says the prompter's state once the socket is open.
    const auto status = [&] {
        return evaluate(QStringLiteral("document.getElementById('status').textContent")).toString();
    };
    WAIT_VERIFY(status().contains(QLatin1String("Paused")));
    const int speed = m_form->engine->scrollspeed();
    evaluate(QStringLiteral("document.querySelector('[data-command=\"speed-up\"]').click()"));
    WAIT_VERIFY(m_form->engine->scrollspeed() > speed);
    WAIT_VERIFY(status().contains(QLatin1String("Running")));
    evaluate(QStringLiteral("document.getElementById('pause').click()"));
    WAIT_VERIFY(!m_form->engine->isRunning());
    // The slider sets the speed when it is let go.
    evaluate(QStringLiteral("const s = document.getElementById('speed'); s.value = -120;"
                            "s.dispatchEvent(new Event('change'));"));
    WAIT_COMPARE(m_form->engine->scrollspeed(), -120);
    WAIT_COMPARE(evaluate(QStringLiteral("document.getElementById('speedvalue').textContent")).toString(),
                 QStringLiteral("-120"));
}

void TestPrompterRemote::networkedDisplaysChangeAContinuousPageInPlace()
{
    QStringList entries;
    for (int story = 0; story < 3; ++story) {
        const QString path = m_scripts.filePath(QStringLiteral("story%1.txt").arg(story));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int line = 0; line < 40; ++line)
            file.write(QStringLiteral("Story %1 line %2\n").arg(story).arg(line).toUtf8());
        entries << path;
    }
    windows().Form4->ListBox1->clear();
    windows().Form4->ListBox1->addItems(entries);
    Rundown &rundown = feature<Rundown>(m_form);
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    rundown.setContinuous(true);
    QVERIFY(measured.wait(20000));
    WAIT_VERIFY(rundown.stories().size() == 3);

    RemoteServer server(*m_remote);
    connect(m_remote, &PrompterRemote::stateChanged, &server, &RemoteServer::stateChanged);
    connect(m_remote, &PrompterRemote::scriptChanged, &server, &RemoteServer::scriptChanged);
    connect(m_remote, &PrompterRemote::scriptEdited, &server, &RemoteServer::scriptEdited);
    RemoteServerSettings settings;
    settings.port = 0;
    QVERIFY(server.start(settings));
    NetworkDisplay display({*leaderaddress(QStringLiteral("127.0.0.1:%1").arg(server.port()))}, false, false);
    OutputWindow *output = display.window();
    display.open(nullptr);
    output->resize(800, 600);
    const auto bodyOf = [](const QStringList &page) { return page.mid(bodystart(page)); };
    WAIT_VERIFY(output->outputpage->isDocumentComplete() &&
                bodyOf(output->pagelines()) == bodyOf(m_form->promptstate.pagelines));
    const auto evaluate = [](Browser *page, const QString &script) {
        QVariant result;
        bool done = false;
        page->evaluate(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        runEventsUntil([&done] { return done; }, 10000);
        return result;
    };
    const auto shows = [&](const QString &words) {
        return evaluate(output->outputpage, QStringLiteral("document.body.innerText.includes(%1)")
                                                .arg(QLatin1Char('"') + words + QLatin1Char('"')))
            .toBool();
    };
    QSignalSpy reloaded(output->outputpage, &Browser::documentComplete);
    const auto storyLines = [&](int index) { return rundown.story(rundown.stories().at(index).key)->lines; };

    // A story below the reader changed: the networked display takes it in place.
    QStringList lines = storyLines(2);
    lines[3] = QStringLiteral("Corrected while on air");
    bool changed = false;
    QVERIFY(rundown.editStory(rundown.stories().at(2).key, lines, [&changed] { changed = true; }));
    QVERIFY(runEventsUntil([&changed] { return changed; }, 10000));
    WAIT_VERIFY(shows(QStringLiteral("Corrected while on air")));
    QCOMPARE(bodyOf(output->pagelines()), bodyOf(m_form->promptstate.pagelines));

    // The reader in the last story; a story above made longer: the follower's reading line keeps
    // its words.
    QSignalSpy glided(m_form->engine, &PromptEngine::glideFinished);
    QVERIFY(perform("story", 2).isEmpty());
    QVERIFY(glided.count() > 0 || glided.wait(10000));
    const double readingY = readingliney(output->outputpage->height(), NetworkDisplay::readingShare, false);
    const QString lineAt = pagescript(QStringLiteral("readingline")) +
                           QStringLiteral("window.__vantellLineAt(%1)[0]").arg(readingY);
    const QString markTop =
        QStringLiteral("document.querySelectorAll('span[data-l]')[%1].getBoundingClientRect().top");
    int line = -1;
    double top = 0;
    // The reader stands once the prompter's page rests and the follower stands where it does.
    int leader = -1;
    const auto followerStands = [&] {
        const int at = evaluate(output->outputpage, lineAt).toInt();
        const double y = evaluate(output->outputpage, markTop.arg(at)).toDouble();
        const int scroll = m_form->wb1->scrollPosition();
        const bool still =
            at == line && y == top && scroll == leader &&
            qAbs(output->outputpage->scrollPosition() - scroll * output->outputpage->pageScale()) < 1.5;
        line = at;
        top = y;
        leader = scroll;
        return still && at >= rundown.stories().at(2).firstLine;
    };
    WAIT_VERIFY(followerStands());
    lines = storyLines(0);
    for (int more = 0; more < 3; ++more)
        lines.insert(5, QStringLiteral("A line put in above the reader"));
    changed = false;
    QVERIFY(rundown.editStory(rundown.stories().at(0).key, lines, [&changed] { changed = true; }));
    QVERIFY(runEventsUntil([&changed] { return changed; }, 10000));
    WAIT_VERIFY(bodyOf(output->pagelines()) == bodyOf(m_form->promptstate.pagelines));
    QVERIFY(shows(QStringLiteral("A line put in above the reader")));
    const int shifted = line + 3;
    WAIT_VERIFY(qAbs(evaluate(output->outputpage, markTop.arg(shifted)).toDouble() - top) < 1);
    QCOMPARE(reloaded.count(), 0);

    rundown.setContinuous(false);
    windows().Form4->ListBox1->clear();
}

VANTELL_UI_TEST_MAIN(TestPrompterRemote)
#include "test_prompterremote.moc"
