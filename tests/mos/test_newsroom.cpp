#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "app/windows.h"
#include "mos/mosdevice.h"
#include "mos/mosframer.h"
#include "mos/mosreplies.h"
#include "mos/mosserver.h"
#include "mos/mosxml.h"
#include "platform/application.h"
#include "platform/browser.h"
#include "prompter/tform1.h"
#include "queue/newsroomoptions.h"
#include "queue/newsroomqueue.h"
#include "queue/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"

// The prompter and a newsroom system written by others: the MOS connection library of the Sofie
// project (@mos-connection/connector, installed with npm into the build tree) as the newsroom,
// on loopback. Running orders, story texts, edits, moves and deletes go in; what the prompter
// acknowledges, shows in its queue and shows on its page is checked. Without npm or its registry
// the live conversation is skipped; a conversation recorded from the library is replayed in any
// case, so the prompter's answers to it are checked on every run.
class TestNewsroom : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void recordedConversation();
    void liveConversation();
    void buddyTakesOver();
    void settingsInTheOptionsWindow();

private:
    // The library as a newsroom system in a process of its own.
    struct Newsroom {
        std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
        QByteArray output;
    };
    bool startNewsroom(Newsroom &newsroom, const QStringList &extra);
    // Runs one command of the newsroom and gives its result; fails the test on an error.
    QJsonValue ask(Newsroom &newsroom, const QJsonObject &command);
    void quit(Newsroom &newsroom);
    bool installLibrary(QString &why);

    QStringList queue() const;
    QString heading() const;
    QString pageText();
    // The paragraph mark at the top of the page's view: its key and how far above the top it is.
    QPair<QString, double> markAtTop();
    void waitForStory(const QString &storyId, const std::function<void()> &send);

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    NewsroomQueue *m_newsroom = nullptr;
    QString m_peerDirectory;
    bool m_live = false;
    QString m_notLive;
};

namespace {

const QString peerSource = QStringLiteral(VANTELL_MOS_PEER_SOURCE);
const QString recording = peerSource + QStringLiteral("/recorded-conversation.jsonl");

// Two ports that are free now.
QPair<quint16, quint16> freePorts()
{
    QTcpServer first, second;
    first.listen(QHostAddress::LocalHost, 0);
    second.listen(QHostAddress::LocalHost, 0);
    return {first.serverPort(), second.serverPort()};
}

QJsonObject command(const char *name, const QVariantMap &arguments = {})
{
    QJsonObject object = QJsonObject::fromVariantMap(arguments);
    object.insert(QStringLiteral("do"), QLatin1String(name));
    return object;
}

QVariantMap story(const QString &id, const QString &slug, const QStringList &body = {})
{
    QVariantList parts;
    for (const QString &part : body)
        parts << part;
    return {{QStringLiteral("id"), id}, {QStringLiteral("slug"), slug}, {QStringLiteral("body"), parts}};
}

QString messageElement(const MosXmlNode &message)
{
    for (const MosXmlNode &child : message.children)
        if (!child.isText() && child.name != u"mosID" && child.name != u"ncsID" && child.name != u"messageID")
            return child.name;
    return QString();
}

// What must be the same in an answer of the prompter and the answer the recording holds: the
// kind of answer and what it says, leaving out times.
QString gist(const QString &answer)
{
    const MosXmlNode root = readmosxml(answer).root;
    const QString element = messageElement(root);
    const MosXmlNode *body = root.child(element);
    if (!body)
        return element;
    if (element == u"roAck")
        return element + QLatin1Char(' ') + body->childText(u"roStatus");
    if (element == u"roList") {
        QStringList stories;
        for (const MosXmlNode *story : body->all(u"story"))
            stories << story->childText(u"storyID") + QLatin1Char('=') + story->childText(u"storySlug");
        return element + QLatin1Char(' ') + stories.join(QLatin1Char(','));
    }
    if (element == u"listMachInfo") {
        QStringList profiles;
        for (const MosXmlNode *profile : body->child(u"supportedProfiles")->all(u"mosProfile"))
            profiles << profile->textContent();
        return element + QLatin1Char(' ') + body->childText(u"ID") + QLatin1Char(' ') +
               profiles.join(QLatin1Char(','));
    }
    return element;
}

} // namespace

void TestNewsroom::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    m_newsroom = windows().newsroom;
    QVERIFY(m_newsroom);
    const auto [lower, upper] = freePorts();
    NewsroomSettings settings;
    settings.enabled = true;
    settings.lowerPort = lower;
    settings.upperPort = upper;
    settings.listenAddress = QStringLiteral("127.0.0.1");
    m_newsroom->apply(settings);
    QVERIFY(m_newsroom->server()->isListening());
    m_live = installLibrary(m_notLive);
}

void TestNewsroom::cleanupTestCase()
{
    delete m_env;
}

void TestNewsroom::init()
{
    // Each conversation starts with a prompter that shows no script.
    m_form->promptstate.scriptpath.clear();
    m_form->promptstate.scriptlines.clear();
    QVERIFY(reloadAndWait(m_form));
}

bool TestNewsroom::installLibrary(QString &why)
{
    m_peerDirectory = QStringLiteral(VANTELL_MOS_PEER_BUILD);
    QDir().mkpath(m_peerDirectory);
    for (const char *name : {"package.json", "package-lock.json", "newsroom.js"}) {
        const QString target = m_peerDirectory + QLatin1Char('/') + QLatin1String(name);
        QFile::remove(target);
        if (!QFile::copy(peerSource + QLatin1Char('/') + QLatin1String(name), target)) {
            why = QStringLiteral("cannot copy %1 into the build tree").arg(QLatin1String(name));
            return false;
        }
    }
    if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty()) {
        why = QStringLiteral("node is not installed");
        return false;
    }
    // Installed once per build tree; `npm ci` installs exactly what the lock file names.
    if (QFile::exists(m_peerDirectory +
                      QStringLiteral("/node_modules/@mos-connection/connector/package.json")))
        return true;
    const QString npm = QStandardPaths::findExecutable(QStringLiteral("npm"));
    if (npm.isEmpty()) {
        why = QStringLiteral("npm is not installed");
        return false;
    }
    QProcess install;
    install.setWorkingDirectory(m_peerDirectory);
    install.setProcessChannelMode(QProcess::MergedChannels);
    // A registry that cannot be reached is given up on soon.
    install.start(npm, {QStringLiteral("ci"), QStringLiteral("--no-audit"), QStringLiteral("--no-fund"),
                        QStringLiteral("--fetch-retries=1"), QStringLiteral("--fetch-timeout=30000")});
    if (!install.waitForFinished(180000) || install.exitCode() != 0) {
        const QStringList said = QString::fromLocal8Bit(install.readAll()).trimmed().split(QLatin1Char('\n'));
        why = QStringLiteral("npm could not install the library (%1); the recorded conversation stands in")
                  .arg(said.value(0).trimmed());
        return false;
    }
    return true;
}

bool TestNewsroom::startNewsroom(Newsroom &newsroom, const QStringList &extra)
{
    QProcess &process = *newsroom.process;
    process.setWorkingDirectory(m_peerDirectory);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&process, &QProcess::readyReadStandardOutput, this,
            [&newsroom] { newsroom.output += newsroom.process->readAllStandardOutput(); });
    process.start(QStandardPaths::findExecutable(QStringLiteral("node")),
                  QStringList{QStringLiteral("newsroom.js"), QStringLiteral("--lower"),
                              QString::number(m_newsroom->server()->lowerPort()), QStringLiteral("--upper"),
                              QString::number(m_newsroom->server()->upperPort()), QStringLiteral("--device"),
                              m_newsroom->settings().deviceId} +
                      extra);
    return process.waitForStarted(10000);
}

QJsonValue TestNewsroom::ask(Newsroom &newsroom, const QJsonObject &request)
{
    newsroom.process->write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    // The prompter answers on this thread: the event loop runs while the newsroom waits.
    if (!runEventsUntil([&newsroom] { return newsroom.output.contains('\n'); }, 30000)) {
        qWarning("the newsroom did not answer %s",
                 qPrintable(request.value(QStringLiteral("do")).toString()));
        return QJsonValue(QStringLiteral("no answer"));
    }
    const qsizetype end = newsroom.output.indexOf('\n');
    const QJsonObject answer = QJsonDocument::fromJson(newsroom.output.left(end)).object();
    newsroom.output.remove(0, end + 1);
    if (!answer.value(QStringLiteral("ok")).toBool())
        qWarning("the newsroom failed: %s", qPrintable(answer.value(QStringLiteral("error")).toString()));
    return answer.value(QStringLiteral("result"));
}

void TestNewsroom::quit(Newsroom &newsroom)
{
    ask(newsroom, command("quit"));
    if (!newsroom.process->waitForFinished(10000))
        newsroom.process->kill();
}

QStringList TestNewsroom::queue() const
{
    return windows().Form4->queue();
}

QString TestNewsroom::heading() const
{
    return windows().Form4->Panel4->text();
}

QString TestNewsroom::pageText()
{
    QString text;
    bool answered = false;
    m_form->wb1->page()->toPlainText([&](const QString &plain) {
        text = plain;
        answered = true;
    });
    runEventsUntil([&answered] { return answered; }, 10000);
    return text;
}

QPair<QString, double> TestNewsroom::markAtTop()
{
    QVariant answer;
    bool answered = false;
    m_form->wb1->page()->runJavaScript(
        QStringLiteral("(function () { let best = null, distance = 0;"
                       " for (const mark of document.querySelectorAll('span[data-p]')) {"
                       "   const d = -mark.getBoundingClientRect().top;"
                       "   if (d >= 0 && (best === null || d < distance)) { best = "
                       "mark.getAttribute('data-p'); distance = d; } }"
                       " return [best, distance]; })()"),
        QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
            answer = value;
            answered = true;
        });
    runEventsUntil([&answered] { return answered; }, 10000);
    const QVariantList pair = answer.toList();
    return {pair.value(0).toString(), pair.value(1).toDouble()};
}

void TestNewsroom::waitForStory(const QString &storyId, const std::function<void()> &send)
{
    QSignalSpy updated(m_newsroom, &NewsroomQueue::storyUpdated);
    send();
    QVERIFY(runEventsUntil([&] { return !updated.isEmpty(); }, 10000));
    QCOMPARE(updated.last().at(0).toString(), storyId);
}

void TestNewsroom::recordedConversation()
{
    // The messages the library sent, replayed on the prompter's two ports; every answer must say
    // what the prompter said when the conversation was recorded.
    QFile file(recording);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(recording));
    QTcpSocket lower, upper;
    lower.connectToHost(QHostAddress::LocalHost, m_newsroom->server()->lowerPort());
    upper.connectToHost(QHostAddress::LocalHost, m_newsroom->server()->upperPort());
    QVERIFY(lower.waitForConnected(5000) && upper.waitForConnected(5000));
    MosFramer lowerFramer, upperFramer;
    QHash<QString, QString> answers; // by messageID
    const auto collect = [&answers](QTcpSocket &socket, MosFramer &framer) {
        framer.feed(socket.readAll());
        while (std::optional<QString> answer = framer.next())
            answers.insert(readmosxml(*answer).root.childText(u"messageID"), *answer);
    };
    connect(&lower, &QTcpSocket::readyRead, this, [&] { collect(lower, lowerFramer); });
    connect(&upper, &QTcpSocket::readyRead, this, [&] { collect(upper, upperFramer); });

    QHash<QString, QString> expected; // the recorded answers of the primary, by messageID
    QList<QPair<QString, QString>> sent;
    while (!file.atEnd()) {
        const QJsonObject line = QJsonDocument::fromJson(file.readLine()).object();
        if (line.value(QStringLiteral("peer")).toString() != u"NCS-PRIMARY")
            continue;
        const QString message = line.value(QStringLiteral("message")).toString();
        const QString id = readmosxml(message).root.childText(u"messageID");
        if (line.value(QStringLiteral("direction")).toString() == u"sent")
            sent.append({id, message});
        else
            expected.insert(id, message);
    }
    QVERIFY(sent.size() >= 20);
    int storiesShown = 0;
    for (const auto &[id, message] : sent) {
        const QString element = messageElement(readmosxml(message).root);
        QTcpSocket &socket = element.startsWith(u"ro") ? upper : lower;
        socket.write(mosencode(message));
        QVERIFY2(runEventsUntil([&answers, &id] { return answers.contains(id); }, 10000),
                 qPrintable(message));
        QVERIFY2(expected.contains(id), qPrintable(id));
        QCOMPARE(gist(answers.value(id)), gist(expected.value(id)));
        // What the running order holds is what the queue shows.
        if (gist(answers.value(id)).startsWith(u"roList ")) {
            QStringList slugs;
            for (const MosXmlNode *story : readmosxml(answers.value(id)).root.child(u"roList")->all(u"story"))
                slugs << story->childText(u"storySlug");
            QCOMPARE(queue(), slugs);
            storiesShown = static_cast<int>(slugs.size());
        }
    }
    QVERIFY(storiesShown > 0);
    // The recording ends with the running order deleted: the queue is the operator's again.
    QCOMPARE(queue(), QStringList());
    QCOMPARE(heading(), QStringLiteral("Queue"));
}

void TestNewsroom::liveConversation()
{
    if (!m_live)
        QSKIP(qPrintable(m_notLive));
    Newsroom newsroom;
    QTemporaryDir directory;
    const QString record = directory.filePath(QStringLiteral("conversation.jsonl"));
    QVERIFY(startNewsroom(newsroom, {QStringLiteral("--record"), record}));
    QCOMPARE(ask(newsroom, command("connect")).toInt(), 1);

    const QJsonObject info = ask(newsroom, command("machineInfo")).toObject();
    QCOMPARE(info.value(QStringLiteral("id")).toString(), m_newsroom->settings().deviceId);
    QCOMPARE(info.value(QStringLiteral("mosRev")).toString(), QStringLiteral("2.8.5"));
    QCOMPARE(info.value(QStringLiteral("profiles")).toArray(), (QJsonArray{0, 2, 4}));

    // A running order arrives: its stories are the queue, the first one on the page at once.
    const QVariantMap order{
        {QStringLiteral("id"), QStringLiteral("RO-EVENING")},
        {QStringLiteral("slug"), QStringLiteral("Evening News")},
        {QStringLiteral("stories"), QVariantList{story(QStringLiteral("S1"), QStringLiteral("Opening")),
                                                 story(QStringLiteral("S2"), QStringLiteral("Weather")),
                                                 story(QStringLiteral("S3"), QStringLiteral("Sport"))}}};
    QCOMPARE(ask(newsroom, command("create", {{QStringLiteral("runningOrder"), order}})).toString(),
             QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"Opening", "Weather", "Sport"}));
    QCOMPARE(heading(), QStringLiteral("Running Order: Evening News"));
    WAIT_COMPARE(m_form->promptstate.scriptpath, QStringLiteral("Opening"));
    QCOMPARE(m_form->promptstate.queuepos, 0);

    // The stories' texts: the one on the page changes in place.
    QStringList opening;
    for (int i = 1; i <= 80; ++i)
        opening << QStringLiteral("Paragraph %1 of the opening, read aloud.").arg(i);
    opening[0] = QStringLiteral("Good evening [SMILE] and welcome.");
    QVariantMap s1 = story(QStringLiteral("S1"), QStringLiteral("Opening"), opening);
    waitForStory(QStringLiteral("S1"), [&] {
        QCOMPARE(ask(newsroom, command("story", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")},
                                                 {QStringLiteral("story"), s1}}))
                     .toString(),
                 QStringLiteral("OK"));
    });
    QString text = pageText();
    QVERIFY2(text.contains(QStringLiteral("Good evening [SMILE] and welcome.")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Paragraph 80 of the opening")));
    for (const auto &[id, slug, words] :
         {std::tuple{"S2", "Weather", "Sunny spells."}, std::tuple{"S3", "Sport", "Goals tonight."}})
        QCOMPARE(ask(newsroom,
                     command("story", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")},
                                       {QStringLiteral("story"), story(QLatin1String(id), QLatin1String(slug),
                                                                       {QLatin1String(words)})}}))
                     .toString(),
                 QStringLiteral("OK"));

    // D and A step through the stories as through the queue.
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->wb1KeyDown('D');
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->promptstate.scriptpath, QStringLiteral("Weather"));
    QVERIFY(pageText().contains(QStringLiteral("Sunny spells.")));
    m_form->wb1KeyDown('A');
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->promptstate.scriptpath, QStringLiteral("Opening"));

    // An edit while the story is read: the line at the top stays where it is, though a paragraph
    // comes in above it and another changes below.
    QVERIFY(settle([this](std::function<void()> done) { m_form->wb1->scrollTo(0, 600, std::move(done)); }));
    const QPair<QString, double> before = markAtTop();
    QVERIFY(!before.first.isEmpty());
    const int scrolledBefore = m_form->wb1->scrollPosition();
    opening.insert(2, QStringLiteral("BREAKING: a paragraph put in above the reader."));
    opening[35] = QStringLiteral("Paragraph 35, rewritten while on air.");
    s1 = story(QStringLiteral("S1"), QStringLiteral("Opening"), opening);
    waitForStory(QStringLiteral("S1"), [&] {
        ask(newsroom, command("story", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")},
                                        {QStringLiteral("story"), s1}}));
    });
    const QPair<QString, double> after = markAtTop();
    QCOMPARE(after.first, before.first);
    QVERIFY2(std::abs(after.second - before.second) <= 1.0,
             qPrintable(QStringLiteral("%1 -> %2").arg(before.second).arg(after.second)));
    QVERIFY(m_form->wb1->scrollPosition() > scrolledBefore);
    text = pageText();
    QVERIFY(text.contains(QStringLiteral("BREAKING")) &&
            text.contains(QStringLiteral("rewritten while on air")));

    // Stories inserted, moved, swapped, renamed and deleted: the queue follows, and the story on
    // the page keeps its place in it.
    const auto acknowledged = [&](const char *name, const QVariantMap &arguments) {
        QVariantMap withOrder = arguments;
        withOrder.insert(QStringLiteral("ro"), QStringLiteral("RO-EVENING"));
        return ask(newsroom, command(name, withOrder)).toString();
    };
    QCOMPARE(acknowledged("insert", {{QStringLiteral("before"), QStringLiteral("S2")},
                                     {QStringLiteral("stories"),
                                      QVariantList{story(QStringLiteral("S4"), QStringLiteral("Traffic"))}}}),
             QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"Opening", "Traffic", "Weather", "Sport"}));
    QCOMPARE(acknowledged(
                 "move", {{QStringLiteral("before"), QString()}, {QStringLiteral("ids"), QStringList{"S1"}}}),
             QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"Traffic", "Weather", "Sport", "Opening"}));
    QCOMPARE(m_form->promptstate.queuepos, 3);
    QCOMPARE(acknowledged("swap", {{QStringLiteral("ids"), QStringList{"S2", "S3"}}}), QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"Traffic", "Sport", "Weather", "Opening"}));
    QCOMPARE(acknowledged("replaceStory",
                          {{QStringLiteral("story"), QStringLiteral("S3")},
                           {QStringLiteral("stories"),
                            QVariantList{story(QStringLiteral("S3"), QStringLiteral("Sport Extra"))}}}),
             QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"Traffic", "Sport Extra", "Weather", "Opening"}));
    // A change that cannot be made is refused and changes nothing.
    QCOMPARE(acknowledged("deleteStories", {{QStringLiteral("ids"), QStringList{"S4", "NOPE"}}}),
             QStringLiteral("no story NOPE"));
    QCOMPARE(queue(), (QStringList{"Traffic", "Sport Extra", "Weather", "Opening"}));
    QCOMPARE(acknowledged("deleteStories", {{QStringLiteral("ids"), QStringList{"S4"}}}),
             QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"Sport Extra", "Weather", "Opening"}));
    QCOMPARE(m_form->promptstate.queuepos, 2);
    QCOMPARE(acknowledged("insertItems",
                          {{QStringLiteral("story"), QStringLiteral("S1")},
                           {QStringLiteral("before"), QString()},
                           {QStringLiteral("items"),
                            QVariantList{QVariantMap{{QStringLiteral("id"), QStringLiteral("I7")}}}}}),
             QStringLiteral("OK"));

    // The newsroom asks what the prompter holds.
    const QJsonArray listed =
        ask(newsroom, command("list", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")}})).toArray();
    QStringList ids;
    for (const QJsonValue &entry : listed)
        ids << entry.toObject().value(QStringLiteral("id")).toString();
    QCOMPARE(ids, (QStringList{"S3", "S2", "S1"}));
    QCOMPARE(listed.at(2).toObject().value(QStringLiteral("items")).toInt(), 1);
    QCOMPARE(ask(newsroom, command("listAll")).toArray(), (QJsonArray{"RO-EVENING"}));

    QCOMPARE(acknowledged("metadata", {{QStringLiteral("slug"), QStringLiteral("Late News")}}),
             QStringLiteral("OK"));
    QCOMPARE(heading(), QStringLiteral("Running Order: Late News"));
    QCOMPARE(acknowledged("readyToAir", {{QStringLiteral("status"), QStringLiteral("READY")}}),
             QStringLiteral("OK"));
    QCOMPARE(acknowledged("storyStatus", {{QStringLiteral("story"), QStringLiteral("S1")},
                                          {QStringLiteral("status"), QStringLiteral("PLAY")}}),
             QStringLiteral("OK"));

    // The running order deleted: the operator's queue is back, the page keeps its story.
    QCOMPARE(
        ask(newsroom, command("delete", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")}})).toString(),
        QStringLiteral("OK"));
    QCOMPARE(queue(), QStringList());
    QCOMPARE(heading(), QStringLiteral("Queue"));
    QVERIFY(pageText().contains(QStringLiteral("BREAKING")));
    quit(newsroom);

    // Set VANTELL_MOS_RECORD to a file to keep this conversation (the replayed recording is made so).
    const QString keep = qEnvironmentVariable("VANTELL_MOS_RECORD");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QVERIFY(QFile::copy(record, keep));
    }
}

void TestNewsroom::buddyTakesOver()
{
    if (!m_live)
        QSKIP(qPrintable(m_notLive));
    // The primary and the buddy connected at once, taking turns with the commands.
    Newsroom newsroom;
    QVERIFY(startNewsroom(newsroom, {QStringLiteral("--buddy")}));
    QCOMPARE(ask(newsroom, command("connect")).toInt(), 2);
    WAIT_COMPARE(m_newsroom->server()->connectionCount(), 4);
    const QVariantMap order{{QStringLiteral("id"), QStringLiteral("RO-B")},
                            {QStringLiteral("slug"), QStringLiteral("Buddy Show")},
                            {QStringLiteral("stories"),
                             QVariantList{story(QStringLiteral("B1"), QStringLiteral("From the primary"))}}};
    QCOMPARE(ask(newsroom, command("create", {{QStringLiteral("runningOrder"), order}})).toString(),
             QStringLiteral("OK"));
    QCOMPARE(ask(newsroom,
                 command("insert",
                         {{QStringLiteral("ro"), QStringLiteral("RO-B")},
                          {QStringLiteral("before"), QString()},
                          {QStringLiteral("stories"),
                           QVariantList{story(QStringLiteral("B2"), QStringLiteral("From the buddy"))}}}))
                 .toString(),
             QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"From the primary", "From the buddy"}));
    QCOMPARE(ask(newsroom, command("delete", {{QStringLiteral("ro"), QStringLiteral("RO-B")}})).toString(),
             QStringLiteral("OK"));
    QCOMPARE(queue(), QStringList());
    quit(newsroom);
}

void TestNewsroom::settingsInTheOptionsWindow()
{
    TForm4 *options = windows().Form4;
    NewsroomOptions *panel = options->Newsroom;
    QVERIFY(panel->mosstatus->text().startsWith(QStringLiteral("Listening on ports ")));
    const auto [lower, upper] = freePorts();
    // Ports changed and instructions hidden, then Ok: kept, and listening moves to the new ports.
    QTimer::singleShot(0, options, [&, lower = lower, upper = upper] {
        panel->moslowerport->setValue(lower);
        panel->mosupperport->setValue(upper);
        panel->moshidden->setChecked(true);
        options->Button1->click();
    });
    m_form->Options2->trigger();
    QCOMPARE(m_newsroom->server()->lowerPort(), lower);
    QCOMPARE(m_newsroom->server()->upperPort(), upper);
    QVERIFY(m_newsroom->settings().hideInstructions);
    QCOMPARE(panel->mosstatus->text(),
             QStringLiteral("Listening on ports %1 and %2; connections: 0.").arg(lower).arg(upper));
    QSettings stored(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("korvanex"),
                     QStringLiteral("vantell"));
    QCOMPARE(stored.value(QStringLiteral("Newsroom/LowerPort")).toInt(), int(lower));
    QCOMPARE(stored.value(QStringLiteral("Newsroom/HideInstructions")).toInt(), 1);
    // Turned off, then Cancel: nothing changes.
    QTimer::singleShot(0, options, [&] {
        panel->mosenabled->setChecked(false);
        options->Button2->click();
    });
    m_form->Options2->trigger();
    QVERIFY(m_newsroom->server()->isListening());
    QVERIFY(panel->mosenabled->isChecked());
    // Turned off with Ok: the ports close.
    QTimer::singleShot(0, options, [&] {
        panel->mosenabled->setChecked(false);
        options->Button1->click();
    });
    m_form->Options2->trigger();
    QVERIFY(!m_newsroom->server()->isListening());
    QCOMPARE(panel->mosstatus->text(), QStringLiteral("Not listening."));
}

VANTELL_UI_TEST_MAIN(TestNewsroom)
#include "test_newsroom.moc"
