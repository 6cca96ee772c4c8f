#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimeEdit>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "core/settings/rundownsettings.h"
#include "core/settings/settingsstore.h"
#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/mos/mosdevice.h"
#include "core/mos/mosframer.h"
#include "core/mos/mosreplies.h"
#include "core/mos/mosserver.h"
#include "core/mos/mosxml.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/tform1.h"
#include "ui/options/newsroomoptions.h"
#include "ui/options/rundownoptions.h"
#include "ui/newsroom/newsroomqueue.h"
#include "ui/options/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/newsroompeer.h"
#include "testsupport/scriptplaces.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "testsupport/features.h"
#include "ui/rundown/rundown.h"
#include "ui/editlive/editlive.h"
#include "ui/editlive/editlivewindow.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterremote.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/toolkit/application.h"

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
    void aRunningOrderReadsAsOnePage();
    void theReadersLineHoldsThroughTheShowsChanges();
    void theShowEndIsSetInTheOptions();
    void runningOrdersComeBackAfterALostConnection();
    void otherNewsroomsAndDevicesAreRefused();
    void addressNotAllowedIsRefused();
    void admissionInTheOptionsWindow();
    void settingsInTheOptionsWindow();

private:
    bool start(NewsroomPeer &newsroom, const QStringList &extra = {});

    QStringList queue() const;
    QString heading() const;
    QString pageText();
    // Lets in what `change` makes of the present settings.
    void admit(const std::function<void(NewsroomSettings &)> &change);
    // The paragraph mark at the top of the page's view: its key and how far above the top it is.
    QPair<QString, double> markAtTop();
    void waitForStory(const QString &storyId, const std::function<void()> &send);
    QVariant evaluate(const QString &script);
    // Starts and connects `newsroom`, which creates running order `id` of the stories `slugs`
    // (their IDs `prefix` and their place from 1); whether the prompter took it.
    bool createRunningOrder(NewsroomPeer &newsroom, const QString &id, const QString &slug,
                            const QString &prefix, const QStringList &slugs);
    // Where the element of story `key` stands in the view: its top, and its height.
    QPair<double, double> storyBox(int key);

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    NewsroomQueue *m_newsroom = nullptr;
    const QString m_peerDirectory = QStringLiteral(VANTELL_MOS_PEER_BUILD);
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
    {
        // These conversations step through a running order story by story, as the operator who
        // turned the continuous page off does.
        SettingsStore store;
        RundownSettings stepping;
        stepping.continuousRunningOrder = false;
        writerundownsettings(store.settings(), stepping);
    }
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
    m_live = NewsroomPeer::install(peerSource, m_peerDirectory, m_notLive);
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

bool TestNewsroom::start(NewsroomPeer &newsroom, const QStringList &extra)
{
    return newsroom.start(m_newsroom->server()->lowerPort(), m_newsroom->server()->upperPort(),
                          m_newsroom->settings().deviceId, extra);
}

QStringList TestNewsroom::queue() const
{
    return windows().Form4->queue();
}

QString TestNewsroom::heading() const
{
    return windows().Form4->Panel4->text();
}

void TestNewsroom::admit(const std::function<void(NewsroomSettings &)> &change)
{
    NewsroomSettings settings = m_newsroom->settings();
    change(settings);
    m_newsroom->apply(settings);
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

QVariant TestNewsroom::evaluate(const QString &script)
{
    QVariant answer;
    bool answered = false;
    m_form->wb1->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                       [&](const QVariant &value) {
                                           answer = value;
                                           answered = true;
                                       });
    runEventsUntil([&answered] { return answered; }, 10000);
    return answer;
}

bool TestNewsroom::createRunningOrder(NewsroomPeer &newsroom, const QString &id, const QString &slug,
                                      const QString &prefix, const QStringList &slugs)
{
    if (!start(newsroom) || newsroom.ask(newsroomcommand("connect")).toInt() != 1)
        return false;
    QVariantList stories;
    for (int i = 0; i < slugs.size(); ++i)
        stories << story(prefix + QString::number(i + 1), slugs.at(i));
    const QVariantMap order{
        {QStringLiteral("id"), id}, {QStringLiteral("slug"), slug}, {QStringLiteral("stories"), stories}};
    return newsroom.ask(newsroomcommand("create", {{QStringLiteral("runningOrder"), order}})).toString() ==
           QStringLiteral("OK");
}

QPair<double, double> TestNewsroom::storyBox(int key)
{
    const QVariantList box =
        evaluate(
            QStringLiteral("(function () { const box = document.querySelector('[data-vantell-story=\"%1\"]')"
                           ".getBoundingClientRect(); return [box.top, box.height]; })()")
                .arg(key))
            .toList();
    return {box.value(0).toDouble(), box.value(1).toDouble()};
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
    NewsroomPeer newsroom(m_peerDirectory);
    QTemporaryDir directory;
    const QString record = directory.filePath(QStringLiteral("conversation.jsonl"));
    QVERIFY(start(newsroom, {QStringLiteral("--record"), record}));
    QCOMPARE(newsroom.ask(newsroomcommand("connect")).toInt(), 1);

    const QJsonObject info = newsroom.ask(newsroomcommand("machineInfo")).toObject();
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
    QCOMPARE(newsroom.ask(newsroomcommand("create", {{QStringLiteral("runningOrder"), order}})).toString(),
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
        QCOMPARE(newsroom
                     .ask(newsroomcommand("story", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")},
                                                    {QStringLiteral("story"), s1}}))
                     .toString(),
                 QStringLiteral("OK"));
    });
    QString text = pageText();
    QVERIFY2(text.contains(QStringLiteral("Good evening [SMILE] and welcome.")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Paragraph 80 of the opening")));
    for (const auto &[id, slug, words] :
         {std::tuple{"S2", "Weather", "Sunny spells."}, std::tuple{"S3", "Sport", "Goals tonight."}})
        QCOMPARE(newsroom
                     .ask(newsroomcommand(
                         "story", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")},
                                   {QStringLiteral("story"),
                                    story(QLatin1String(id), QLatin1String(slug), {QLatin1String(words)})}}))
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
        newsroom.ask(newsroomcommand(
            "story", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")}, {QStringLiteral("story"), s1}}));
    });
    const QPair<QString, double> after = markAtTop();
    QCOMPARE(after.first, before.first);
    QVERIFY2(std::abs(after.second - before.second) <= 1.0,
             qPrintable(QStringLiteral("%1 -> %2").arg(before.second).arg(after.second)));
    QVERIFY(m_form->wb1->scrollPosition() > scrolledBefore);
    text = pageText();
    QVERIFY(text.contains(QStringLiteral("BREAKING")) &&
            text.contains(QStringLiteral("rewritten while on air")));

    // With the talent's output window open, its page changes with the prompter's and stays at its
    // place in the script.
    m_form->openoutputwindow();
    QVERIFY(m_form->outputwindow());
    WAIT_VERIFY(m_form->outputwindow()->outputpage->isDocumentComplete());
    QVERIFY(placesAgree(m_form));
    opening.insert(1, QStringLiteral("Another paragraph for the talent, above the line being read."));
    s1 = story(QStringLiteral("S1"), QStringLiteral("Opening"), opening);
    waitForStory(QStringLiteral("S1"), [&] {
        newsroom.ask(newsroomcommand(
            "story", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")}, {QStringLiteral("story"), s1}}));
    });
    QCOMPARE(markAtTop().first, before.first);
    QVERIFY(placesAgree(m_form));
    QString outputText;
    m_form->outputwindow()->outputpage->page()->toPlainText(
        [&outputText](const QString &plain) { outputText = plain; });
    WAIT_VERIFY(outputText.contains(QStringLiteral("Another paragraph for the talent")));
    m_form->closeoutputwindow();

    // Stories inserted, moved, swapped, renamed and deleted: the queue follows, and the story on
    // the page keeps its place in it.
    const auto acknowledged = [&](const char *name, const QVariantMap &arguments) {
        QVariantMap withOrder = arguments;
        withOrder.insert(QStringLiteral("ro"), QStringLiteral("RO-EVENING"));
        return newsroom.ask(newsroomcommand(name, withOrder)).toString();
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
        newsroom.ask(newsroomcommand("list", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")}}))
            .toArray();
    QStringList ids;
    for (const QJsonValue &entry : listed)
        ids << entry.toObject().value(QStringLiteral("id")).toString();
    QCOMPARE(ids, (QStringList{"S3", "S2", "S1"}));
    QCOMPARE(listed.at(2).toObject().value(QStringLiteral("items")).toInt(), 1);
    QCOMPARE(newsroom.ask(newsroomcommand("listAll")).toArray(), (QJsonArray{"RO-EVENING"}));

    QCOMPARE(acknowledged("metadata", {{QStringLiteral("slug"), QStringLiteral("Late News")}}),
             QStringLiteral("OK"));
    QCOMPARE(heading(), QStringLiteral("Running Order: Late News"));
    QCOMPARE(acknowledged("readyToAir", {{QStringLiteral("status"), QStringLiteral("READY")}}),
             QStringLiteral("OK"));
    QCOMPARE(acknowledged("storyStatus", {{QStringLiteral("story"), QStringLiteral("S1")},
                                          {QStringLiteral("status"), QStringLiteral("PLAY")}}),
             QStringLiteral("OK"));

    // The running order deleted: the operator's queue is back, the page keeps its story.
    QCOMPARE(newsroom.ask(newsroomcommand("delete", {{QStringLiteral("ro"), QStringLiteral("RO-EVENING")}}))
                 .toString(),
             QStringLiteral("OK"));
    QCOMPARE(queue(), QStringList());
    QCOMPARE(heading(), QStringLiteral("Queue"));
    QVERIFY(pageText().contains(QStringLiteral("BREAKING")));
    newsroom.quit();

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
    NewsroomPeer newsroom(m_peerDirectory);
    QVERIFY(start(newsroom, {QStringLiteral("--buddy")}));
    QCOMPARE(newsroom.ask(newsroomcommand("connect")).toInt(), 2);
    WAIT_COMPARE(m_newsroom->server()->connectionCount(), 4);
    const QVariantMap order{{QStringLiteral("id"), QStringLiteral("RO-B")},
                            {QStringLiteral("slug"), QStringLiteral("Buddy Show")},
                            {QStringLiteral("stories"),
                             QVariantList{story(QStringLiteral("B1"), QStringLiteral("From the primary"))}}};
    QCOMPARE(newsroom.ask(newsroomcommand("create", {{QStringLiteral("runningOrder"), order}})).toString(),
             QStringLiteral("OK"));
    QCOMPARE(newsroom
                 .ask(newsroomcommand("insert", {{QStringLiteral("ro"), QStringLiteral("RO-B")},
                                                 {QStringLiteral("before"), QString()},
                                                 {QStringLiteral("stories"),
                                                  QVariantList{story(QStringLiteral("B2"),
                                                                     QStringLiteral("From the buddy"))}}}))
                 .toString(),
             QStringLiteral("OK"));
    QCOMPARE(queue(), (QStringList{"From the primary", "From the buddy"}));
    QCOMPARE(
        newsroom.ask(newsroomcommand("delete", {{QStringLiteral("ro"), QStringLiteral("RO-B")}})).toString(),
        QStringLiteral("OK"));
    QCOMPARE(queue(), QStringList());
    newsroom.quit();
}

void TestNewsroom::aRunningOrderReadsAsOnePage()
{
    if (!m_live)
        QSKIP(qPrintable(m_notLive));
    NewsroomPeer newsroom(m_peerDirectory);
    QVERIFY(createRunningOrder(
        newsroom, QStringLiteral("RO-LATE"), QStringLiteral("Late News"), QStringLiteral("L"),
        {QStringLiteral("Headlines"), QStringLiteral("Markets"), QStringLiteral("Goodnight")}));
    QCOMPARE(queue(), (QStringList{"Headlines", "Markets", "Goodnight"}));

    // Turned on for the running order: the whole show is one page, a banner before each story.
    Rundown &rundown = feature<Rundown>(m_form);
    rundown.setContinuous(true);
    WAIT_VERIFY(rundown.showsContinuous() && rundown.storyOnAir() == 0);
    QCOMPARE(rundown.stories().size(), 3);
    const auto send = [&](const QString &id, const QString &slug, const QStringList &lines) {
        waitForStory(id, [&] {
            newsroom.ask(newsroomcommand("story", {{QStringLiteral("ro"), QStringLiteral("RO-LATE")},
                                                   {QStringLiteral("story"), story(id, slug, lines)}}));
        });
    };
    send(QStringLiteral("L2"), QStringLiteral("Markets"), {QStringLiteral("Shares rose sharply.")});
    send(QStringLiteral("L3"), QStringLiteral("Goodnight"), {QStringLiteral("That is all for tonight.")});
    QString text = pageText();
    QVERIFY2(text.contains(QStringLiteral("Headlines")) && text.contains(QStringLiteral("Markets")) &&
                 text.contains(QStringLiteral("Shares rose sharply.")) &&
                 text.contains(QStringLiteral("That is all for tonight.")),
             qPrintable(text));

    // An edit of the story on air reaches the page in place: the document is the same one.
    QVERIFY(settle([this](std::function<void()> done) {
        m_form->wb1->page()->runJavaScript(QStringLiteral("window.__sameDocument = true;"),
                                           QWebEngineScript::ApplicationWorld,
                                           [done](const QVariant &) { done(); });
    }));
    send(QStringLiteral("L1"), QStringLiteral("Headlines"),
         {QStringLiteral("Good evening."), QStringLiteral("BREAKING: news on air.")});
    text = pageText();
    QVERIFY2(text.contains(QStringLiteral("BREAKING: news on air.")), qPrintable(text));
    QVariant same;
    m_form->wb1->page()->runJavaScript(QStringLiteral("window.__sameDocument === true"),
                                       QWebEngineScript::ApplicationWorld,
                                       [&same](const QVariant &value) { same = value; });
    WAIT_VERIFY(same.isValid());
    QVERIFY2(same.toBool(), "the page was loaded anew for an edit");
    QCOMPARE(rundown.storyOnAir(), 0);

    // Stories as places: a story that is not there is refused and nothing moves; story 2 is.
    const int standing = m_form->wb1->scrollPosition();
    QVERIFY(rundown.jumpToStory(3).contains(QLatin1String("3")));
    QCOMPARE(m_form->wb1->scrollPosition(), standing);
    QCOMPARE(rundown.jumpToStory(2), QString());
    WAIT_COMPARE(rundown.storyOnAir(), 2);

    // Edit Live takes the story on air, which has no file here: an edit reaches the page, Save
    // says why it writes nothing, and closing asks nothing.
    EditLive &live = feature<EditLive>(m_form);
    m_form->commands().perform(RemoteAction::EditLive, CommandSource::Menu);
    QCOMPARE(live.window()->documentName(), QStringLiteral("Goodnight"));
    QSignalSpy spliced(&live, &EditLive::spliced);
    QCOMPARE(m_form->remoteTarget().editParagraph(0, QStringLiteral("Sleep well.")), ParagraphEdit::Done);
    QVERIFY(runEventsUntil([&] { return !spliced.isEmpty(); }, 10000));
    text = pageText();
    QVERIFY2(text.contains(QStringLiteral("Sleep well.")) &&
                 text.contains(QStringLiteral("Shares rose sharply.")),
             qPrintable(text));
    m_env->dialogs.clear();
    live.window()->save->trigger();
    QVERIFY(m_env->dialogs.shown.isEmpty());
    const QList<QLabel *> labels = live.window()->findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.cbegin(), labels.cend(), [](const QLabel *label) {
        return label->text() == i18n(str::EditLiveNewsroomStory);
    }));
    live.window()->close();
    QVERIFY(!live.isOpen());
    QVERIFY(m_env->dialogs.shown.isEmpty());

    rundown.setContinuous(false);
    newsroom.quit();
}

void TestNewsroom::theReadersLineHoldsThroughTheShowsChanges()
{
    if (!m_live)
        QSKIP(qPrintable(m_notLive));
    NewsroomPeer newsroom(m_peerDirectory);
    QVERIFY(createRunningOrder(
        newsroom, QStringLiteral("RO-LONG"), QStringLiteral("Long Night"), QStringLiteral("N"),
        {QStringLiteral("Opening"), QStringLiteral("Feature"), QStringLiteral("Closing")}));
    Rundown &rundown = feature<Rundown>(m_form);
    rundown.setContinuous(true);
    WAIT_VERIFY(rundown.showsContinuous() && rundown.stories().size() == 3);
    const auto send = [&](const QString &id, const QString &slug, int paragraphs) {
        QStringList lines;
        for (int i = 0; i < paragraphs; ++i)
            lines << QStringLiteral("%1, paragraph %2 of a long story.").arg(slug).arg(i);
        waitForStory(id, [&] {
            newsroom.ask(newsroomcommand("story", {{QStringLiteral("ro"), QStringLiteral("RO-LONG")},
                                                   {QStringLiteral("story"), story(id, slug, lines)}}));
        });
    };
    send(QStringLiteral("N1"), QStringLiteral("Opening"), 30);
    send(QStringLiteral("N2"), QStringLiteral("Feature"), 30);
    send(QStringLiteral("N3"), QStringLiteral("Closing"), 30);
    const int opening = rundown.stories().at(0).key;
    const int feature = rundown.stories().at(1).key;
    WAIT_VERIFY(storyBox(opening).second > 0 && storyBox(feature).second > 0);

    // Prompt From Here: from the middle of the second story back to its banner, which stays on air.
    QCOMPARE(rundown.jumpToStory(1), QString());
    WAIT_VERIFY(rundown.storyOnAir() == 1 && !m_form->engine->isGliding());
    QVERIFY(settle([this](std::function<void()> done) { m_form->wb1->queryPosition(std::move(done)); }));
    const int atBanner = m_form->wb1->scrollPosition();
    const int inTheStory = atBanner + int(storyBox(feature).second / 2);
    QVERIFY(settle([this, inTheStory](std::function<void()> done) {
        m_form->wb1->scrollTo(0, inTheStory, std::move(done));
    }));
    WAIT_COMPARE(m_form->wb1->scrollPosition(), inTheStory);
    rundown.promptFromHere();
    WAIT_VERIFY(!m_form->engine->isGliding() && std::abs(m_form->wb1->scrollPosition() - atBanner) <= 1);
    QCOMPARE(rundown.storyOnAir(), 1);

    // The newsroom lengthens the story above the reader by three paragraphs: the reader's story
    // stays on the screen within one line.
    QVERIFY(settle([this, inTheStory](std::function<void()> done) {
        m_form->wb1->scrollTo(0, inTheStory, std::move(done));
    }));
    const QPair<double, double> before = storyBox(feature);
    const double openingHeight = storyBox(opening).second;
    send(QStringLiteral("N1"), QStringLiteral("Opening"), 33);
    WAIT_VERIFY(storyBox(opening).second > openingHeight);
    const double line = (storyBox(opening).second - openingHeight) / 3;
    const double moved = storyBox(feature).first - before.first;
    qInfo("the reader's story moved %.1f px where a line is %.1f px", moved, line);
    QVERIFY2(std::abs(moved) <= line,
             qPrintable(QStringLiteral("moved %1 px, a line is %2 px").arg(moved).arg(line)));
    QCOMPARE(rundown.storyOnAir(), 1);

    rundown.setContinuous(false);
    newsroom.quit();
}

void TestNewsroom::theShowEndIsSetInTheOptions()
{
    TForm4 *options = windows().Form4;
    auto *group = options->findChild<RundownOptions *>();
    QVERIFY(group);
    Rundown &rundown = feature<Rundown>(m_form);
    const QTime now = QTime::currentTime();
    const QTime end(now.addSecs(3600).hour(), now.addSecs(3600).minute());
    QTimer::singleShot(0, options, [&] {
        group->showendset->setChecked(true);
        group->showend->setTime(end);
        options->Button1->click();
    });
    m_form->Options2->trigger();
    QVERIFY(rundown.showEnd().isValid());
    QCOMPARE(rundown.showEnd().toLocalTime().time(), end);
    QVERIFY(rundown.showEnd() > QDateTime::currentDateTime());

    // The window shows it the next time; unticked, the show has no planned end.
    bool shownSet = false;
    QTime shownEnd;
    QTimer::singleShot(0, options, [&] {
        shownSet = group->showendset->isChecked();
        shownEnd = group->showend->time();
        group->showendset->setChecked(false);
        options->Button1->click();
    });
    m_form->Options2->trigger();
    QVERIFY(shownSet);
    QCOMPARE(shownEnd, end);
    QVERIFY(!rundown.showEnd().isValid());
}

void TestNewsroom::runningOrdersComeBackAfterALostConnection()
{
    if (!m_live)
        QSKIP(qPrintable(m_notLive));
    // The newsroom takes the prompter's own connections, on ports of its own.
    const quint16 ncsPort = freePorts().first;
    admit([ncsPort](NewsroomSettings &settings) { settings.ncsPort = ncsPort; });
    NewsroomPeer newsroom(m_peerDirectory);
    QVERIFY(start(newsroom, {QStringLiteral("--listen"), QString::number(ncsPort)}));
    QCOMPARE(newsroom.ask(newsroomcommand("connect")).toInt(), 1);
    const auto order = [](const QStringList &slugs) {
        QVariantList stories;
        for (int i = 0; i < slugs.size(); ++i)
            stories << story(QStringLiteral("B%1").arg(i + 1), slugs.at(i));
        return QVariantMap{{QStringLiteral("id"), QStringLiteral("RO-BACK")},
                           {QStringLiteral("slug"), QStringLiteral("Back Again")},
                           {QStringLiteral("stories"), stories}};
    };
    const QStringList before{QStringLiteral("Opening"), QStringLiteral("Weather")};
    QCOMPARE(
        newsroom.ask(newsroomcommand("create", {{QStringLiteral("runningOrder"), order(before)}})).toString(),
        QStringLiteral("OK"));
    QCOMPARE(queue(), before);

    // The connection is lost, and meanwhile the newsroom adds a story the prompter is not sent.
    admit([](NewsroomSettings &settings) { settings.enabled = false; });
    WAIT_VERIFY(m_newsroom->server()->connectionCount() == 0);
    const QStringList changed{QStringLiteral("Opening"), QStringLiteral("Weather"), QStringLiteral("Sport")};
    QCOMPARE(
        newsroom.ask(newsroomcommand("hold", {{QStringLiteral("runningOrder"), order(changed)}})).toString(),
        QStringLiteral("OK"));
    QCOMPARE(queue(), before);

    // Listening again, the newsroom connects by itself: asked as soon as it is heard, it gives the
    // show as it holds it now.
    QElapsedTimer sinceHeard;
    const QMetaObject::Connection heard =
        connect(m_newsroom->device(), &MosDevice::newsroomHeard, this, [&sinceHeard] {
            if (!sinceHeard.isValid())
                sinceHeard.start();
        });
    admit([](NewsroomSettings &settings) { settings.enabled = true; });
    QVERIFY(runEventsUntil([&] { return queue() == changed; }, 30000));
    disconnect(heard);
    qInfo("the show was back %lld ms after the newsroom was heard again", sinceHeard.elapsed());
    QVERIFY(sinceHeard.elapsed() < 2000);
    QVERIFY(
        !windows().newsroom->optionsGroup()->mosstatus->text().contains(QLatin1String("could not be asked")));

    newsroom.quit();
    admit([](NewsroomSettings &settings) { settings.ncsPort = NewsroomSettings::defaultLowerPort; });
}

void TestNewsroom::otherNewsroomsAndDevicesAreRefused()
{
    if (!m_live)
        QSKIP(qPrintable(m_notLive));
    admit([](NewsroomSettings &settings) { settings.ncsId = QStringLiteral("NCS-PRIMARY"); });
    const QStringList before = queue();
    const QVariantMap order{
        {QStringLiteral("id"), QStringLiteral("RO-X")},
        {QStringLiteral("slug"), QStringLiteral("Not Ours")},
        {QStringLiteral("stories"), QVariantList{story(QStringLiteral("X1"), QStringLiteral("Intruder"))}}};
    const QJsonObject create = newsroomcommand("create", {{QStringLiteral("runningOrder"), order}});

    // Another newsroom system connects (its heartbeats are answered) and is refused with the
    // reason; the queue stays as it was.
    {
        NewsroomPeer other(m_peerDirectory);
        QVERIFY(start(other, {QStringLiteral("--ncs"), QStringLiteral("NCS-OTHER")}));
        QCOMPARE(other.ask(newsroomcommand("connect")).toInt(), 1);
        QCOMPARE(other.ask(create).toString(),
                 QStringLiteral("ncsID \"NCS-OTHER\" is not the newsroom system this device serves"));
        QCOMPARE(queue(), before);
        const QString notice = QStringLiteral(
            "Newsroom message from 127.0.0.1 refused: its NCS ID \"NCS-OTHER\" is not \"NCS-PRIMARY\".");
        QCOMPARE(m_form->Label4->text(), notice);
        QVERIFY(windows().newsroom->optionsGroup()->mosstatus->text().endsWith(notice));
        // It tries again: refused again, but the operator is not told again.
        m_form->Label4->setText(QStringLiteral("Opening"));
        QVERIFY(other.ask(create).toString().startsWith(QStringLiteral("ncsID")));
        QCOMPARE(m_form->Label4->text(), QStringLiteral("Opening"));
        QCOMPARE(queue(), before);
        other.quit();
    }
    // The right newsroom system, but set up for another device.
    {
        NewsroomPeer misdirected(m_peerDirectory);
        QVERIFY(misdirected.start(m_newsroom->server()->lowerPort(), m_newsroom->server()->upperPort(),
                                  QStringLiteral("STUDIO2")));
        QCOMPARE(misdirected.ask(newsroomcommand("connect")).toInt(), 1);
        QCOMPARE(misdirected.ask(create).toString(),
                 QStringLiteral("mosID \"STUDIO2\" is not this device's, which is \"VANTELL\""));
        WAIT_VERIFY(m_form->Label4->text().contains(QStringLiteral("it is for MOS ID \"STUDIO2\"")));
        QCOMPARE(queue(), before);
        misdirected.quit();
    }
    // The newsroom system the prompter was set up for is let in.
    NewsroomPeer newsroom(m_peerDirectory);
    QVERIFY(start(newsroom));
    QCOMPARE(newsroom.ask(newsroomcommand("connect")).toInt(), 1);
    QCOMPARE(newsroom.ask(create).toString(), QStringLiteral("OK"));
    QCOMPARE(queue(), QStringList{QStringLiteral("Intruder")});
    QCOMPARE(
        newsroom.ask(newsroomcommand("delete", {{QStringLiteral("ro"), QStringLiteral("RO-X")}})).toString(),
        QStringLiteral("OK"));
    QCOMPARE(queue(), before);
    newsroom.quit();
    admit([](NewsroomSettings &settings) { settings.ncsId.clear(); });
}

void TestNewsroom::addressNotAllowedIsRefused()
{
    admit([](NewsroomSettings &settings) { settings.allowedAddresses = QStringLiteral("::1, 127.0.0.1"); });
    QTcpSocket stranger;
    QVERIFY(stranger.bind(QHostAddress(QStringLiteral("127.0.0.2"))));
    stranger.connectToHost(QHostAddress::LocalHost, m_newsroom->server()->upperPort());
    QVERIFY(stranger.waitForConnected(5000));
    stranger.write(
        mosencode(QStringLiteral("<mos><mosID>VANTELL</mosID><ncsID>NCS</ncsID><messageID>1</messageID>"
                                 "<roReqAll/></mos>")));
    WAIT_COMPARE(stranger.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(stranger.bytesAvailable(), 0);
    const QString notice =
        QStringLiteral("Newsroom connection from 127.0.0.2 refused: the address is not allowed.");
    WAIT_COMPARE(m_form->Label4->text(), notice);
    QVERIFY(windows().newsroom->optionsGroup()->mosstatus->text().endsWith(notice));
    QCOMPARE(m_newsroom->server()->connectionCount(), 0);
    admit([](NewsroomSettings &settings) { settings.allowedAddresses.clear(); });
}

void TestNewsroom::admissionInTheOptionsWindow()
{
    TForm4 *options = windows().Form4;
    NewsroomOptions *panel = windows().newsroom->optionsGroup();
    // Empty: the window says that any newsroom system, from any address, is let in.
    QCOMPARE(panel->mosdeviceid->text(), QStringLiteral("VANTELL"));
    QCOMPARE(panel->mosncsid->text(), QString());
    QCOMPARE(panel->mosncsid->placeholderText(), QStringLiteral("Any newsroom system is accepted"));
    QCOMPARE(panel->mosallowed->placeholderText(), QStringLiteral("Any address is accepted"));
    // The operator sets all three, one address mistyped: Ok keeps them, lets in by them, and
    // says that the mistake lets no one in.
    QTimer::singleShot(0, options, [&] {
        panel->mosdeviceid->setText(QStringLiteral(" PROMPTER.STUDIO2 "));
        panel->mosncsid->setText(QStringLiteral("NCS-PRIMARY"));
        panel->mosallowed->setText(QStringLiteral("127.0.0.1, 10.0.0.300"));
        options->Button1->click();
    });
    m_env->dialogs.clear();
    m_form->Options2->trigger();
    const NewsroomSettings chosen = m_newsroom->settings();
    QCOMPARE(chosen.deviceId, QStringLiteral("PROMPTER.STUDIO2"));
    QCOMPARE(chosen.ncsId, QStringLiteral("NCS-PRIMARY"));
    QCOMPARE(chosen.allowedAddresses, QStringLiteral("127.0.0.1, 10.0.0.300"));
    QCOMPARE(m_newsroom->device()->admission().deviceId(), QStringLiteral("PROMPTER.STUDIO2"));
    QCOMPARE(m_newsroom->device()->admission().ncsId(), QStringLiteral("NCS-PRIMARY"));
    const QString mistake =
        QStringLiteral("Allowed addresses that are not addresses let no one in: 10.0.0.300");
    QCOMPARE(m_env->dialogs.messages(), QStringList{mistake});
    QVERIFY(panel->mosstatus->text().contains(mistake));
    QCOMPARE(panel->mosallowed->toolTip(), mistake);
    QSettings stored(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("korvanex"),
                     QStringLiteral("vantell"));
    QCOMPARE(stored.value(QStringLiteral("Newsroom/NcsID")).toString(), QStringLiteral("NCS-PRIMARY"));
    QCOMPARE(stored.value(QStringLiteral("Newsroom/DeviceID")).toString(),
             QStringLiteral("PROMPTER.STUDIO2"));
    // Emptied again (the device ID cannot be: it keeps the one it has).
    QTimer::singleShot(0, options, [&] {
        panel->mosdeviceid->clear();
        panel->mosncsid->clear();
        panel->mosallowed->clear();
        options->Button1->click();
    });
    m_form->Options2->trigger();
    QCOMPARE(m_newsroom->settings().deviceId, QStringLiteral("PROMPTER.STUDIO2"));
    QCOMPARE(m_newsroom->settings().ncsId, QString());
    QVERIFY(!panel->mosstatus->text().contains(mistake));
    admit([](NewsroomSettings &settings) { settings.deviceId = QStringLiteral("VANTELL"); });
}

void TestNewsroom::settingsInTheOptionsWindow()
{
    TForm4 *options = windows().Form4;
    NewsroomOptions *panel = windows().newsroom->optionsGroup();
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
    // Its first line; a refusal told a moment ago may stand under it.
    QCOMPARE(panel->mosstatus->text().section(QLatin1Char('\n'), 0, 0),
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
    QCOMPARE(panel->mosstatus->text().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Not listening."));
}

VANTELL_UI_TEST_MAIN(TestNewsroom)
#include "test_newsroom.moc"
