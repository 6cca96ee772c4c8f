// The newsroom system sends the show: a running order of 500 stories (about 100,000 words) sent by
// the newsroom library of others, timed until the queue holds every story with its text; and
// edits of the story on the page, timed from the message leaving the newsroom to the page changed;
// then the same show as one continuous page: built and measured, and edits of the story on air.
// The library is installed with npm into the build tree (as test_newsroom installs it); without it
// the benchmark says why and measures nothing.
#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTcpServer>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/mos/mosdevice.h"
#include "core/mos/mosserver.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "ui/newsroom/newsroomqueue.h"
#include "ui/options/tform4.h"
#include "ui/rundown/rundown.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "testsupport/features.h"
#include "testsupport/newsroompeer.h"
#include "ui/toolkit/application.h"

namespace {

constexpr int stories = 500;
constexpr int wordsPerStory = 200;
constexpr int runs = 3;
constexpr int edits = 21;

QPair<quint16, quint16> freePorts()
{
    QTcpServer first, second;
    first.listen(QHostAddress::LocalHost, 0);
    second.listen(QHostAddress::LocalHost, 0);
    return {first.serverPort(), second.serverPort()};
}

// The story on the page, its paragraph `changed` rewritten for edit `edit`.
QVariantMap editedStory(int edit, int changed)
{
    QVariantList body;
    for (int i = 0; i < 10; ++i)
        body << (i == changed ? QStringLiteral("Edit %1: this paragraph was rewritten while it was on air, "
                                               "with the same number of words as before it.")
                                    .arg(edit)
                              : QStringLiteral("Paragraph %1 of the story on air, thirty words long, read at "
                                               "the speed of the presenter while the newsroom keeps working "
                                               "on it until the last moment before air.")
                                    .arg(i + 1));
    return {{QStringLiteral("id"), QStringLiteral("S0")},
            {QStringLiteral("slug"), QStringLiteral("Story 1")},
            {QStringLiteral("body"), body}};
}

// The same show as messages, for the device alone: the running order and each story's text.
QStringList showMessages()
{
    const QStringList vocabulary =
        QStringLiteral(
            "the council said tonight that new figures show a rise in the number of people who travel "
            "by train while the weather turns colder across the north and schools prepare for exams")
            .split(QLatin1Char(' '));
    const QString envelope =
        QStringLiteral("<mos><mosID>VANTELL</mosID><ncsID>NCS</ncsID><messageID>%1</messageID>%2</mos>");
    QString order = QStringLiteral("<roCreate><roID>DEVICE</roID><roSlug>Big Show</roSlug>");
    for (int i = 0; i < stories; ++i)
        order +=
            QStringLiteral("<story><storyID>S%1</storyID><storySlug>Story %2</storySlug><storyNum/></story>")
                .arg(i)
                .arg(i + 1);
    QStringList messages{envelope.arg(0).arg(order + QStringLiteral("</roCreate>"))};
    int word = 0;
    for (int i = 0; i < stories; ++i) {
        QString body;
        for (int left = wordsPerStory; left > 0; left -= 40) {
            QStringList sentence;
            for (int n = 0; n < std::min(40, left); ++n)
                sentence << vocabulary.at((word++ * 7) % vocabulary.size());
            body += QStringLiteral("<p>%1.</p>").arg(sentence.join(QLatin1Char(' ')));
        }
        messages << envelope.arg(i + 1).arg(QStringLiteral("<roStorySend><roID>DEVICE</roID><storyID>S%1</"
                                                           "storyID><storyBody>%2</storyBody></roStorySend>")
                                                .arg(i)
                                                .arg(body));
    }
    return messages;
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    TForm1 *form = bench::startPrompter();
    if (!form)
        return 1;
    NewsroomQueue *newsroom = windows().newsroom;
    const auto [lower, upper] = freePorts();
    NewsroomSettings settings;
    settings.enabled = true;
    settings.lowerPort = lower;
    settings.upperPort = upper;
    settings.listenAddress = QStringLiteral("127.0.0.1");
    newsroom->apply(settings);

    // The device's own share: the show's messages answered one after the other, without a network.
    {
        const QStringList messages = showMessages();
        QList<double> samples;
        for (int run = 0; run < runs; ++run) {
            MosDevice device(QStringLiteral("VANTELL"));
            QElapsedTimer clock;
            clock.start();
            for (const QString &message : messages)
                device.answer(message);
            samples << clock.nsecsElapsed() / 1e6;
        }
        bench::report(QStringLiteral("newsroom_running_order_device_time"), bench::median(samples),
                      QStringLiteral("ms"),
                      {{QStringLiteral("stories"), stories},
                       {QStringLiteral("words"), stories * wordsPerStory},
                       {QStringLiteral("messages"), messages.size()},
                       {QStringLiteral("runs"), runs}});
    }

    QString why;
    if (!NewsroomPeer::install(QStringLiteral(VANTELL_MOS_PEER_SOURCE),
                               QStringLiteral(VANTELL_MOS_PEER_BUILD), why)) {
        bench::report(QStringLiteral("newsroom_not_measured"), 0, QString(),
                      {{QStringLiteral("reason"), why}});
        destroyWindows();
        return 0;
    }
    NewsroomPeer peer(QStringLiteral(VANTELL_MOS_PEER_BUILD));
    if (!peer.start(lower, upper, settings.deviceId) || peer.ask(newsroomcommand("connect")).toInt() != 1)
        return 1;

    // The figures up to the continuous page's own are of a running order stepped story by story.
    Rundown &rundown = feature<Rundown>(form);
    peer.ask(newsroomcommand("bigRunningOrder", {{QStringLiteral("ro"), QStringLiteral("STEPPED")},
                                                 {QStringLiteral("stories"), 1},
                                                 {QStringLiteral("words"), 10}}));
    if (!runEventsUntil([] { return windows().Form4->queue().size() == 1; }, 60000))
        return 1;
    rundown.setContinuous(false);
    peer.ask(newsroomcommand("delete", {{QStringLiteral("ro"), QStringLiteral("STEPPED")}}));

    // The whole show, sent again and again under new names.
    int texts = 0;
    QObject::connect(newsroom->device(), &MosDevice::changed, &app,
                     [&texts](const MosChange &change) { texts += int(change.textChanged.size()); });
    QList<double> ready, library;
    for (int run = 0; run < runs; ++run) {
        const QString id = QStringLiteral("BIG-%1").arg(run);
        texts = 0;
        QElapsedTimer clock;
        clock.start();
        const QJsonObject sent =
            peer.ask(newsroomcommand("bigRunningOrder", {{QStringLiteral("ro"), id},
                                                         {QStringLiteral("stories"), stories},
                                                         {QStringLiteral("words"), wordsPerStory}}),
                     120000)
                .toObject();
        if (!runEventsUntil([&] { return texts == stories && windows().Form4->queue().size() == stories; },
                            60000))
            return 1;
        ready << clock.nsecsElapsed() / 1e6;
        library << sent.value(QStringLiteral("elapsedMs")).toDouble();
        peer.ask(newsroomcommand("delete", {{QStringLiteral("ro"), id}}));
    }
    const QJsonObject show{{QStringLiteral("stories"), stories},
                           {QStringLiteral("words"), stories * wordsPerStory},
                           {QStringLiteral("runs"), runs}};
    bench::report(QStringLiteral("newsroom_running_order_to_queue_ready"), bench::median(ready),
                  QStringLiteral("ms"), show);
    bench::report(QStringLiteral("newsroom_running_order_library_send_time"), bench::median(library),
                  QStringLiteral("ms"), show);

    // Edits of the story on the page, the page scrolled into it.
    peer.ask(newsroomcommand("bigRunningOrder", {{QStringLiteral("ro"), QStringLiteral("EDITS")},
                                                 {QStringLiteral("stories"), 20},
                                                 {QStringLiteral("words"), 300}}),
             120000);
    {
        QSignalSpy measured(form, &TForm1::pageMeasured);
        form->promptstate.queuepos = 0;
        form->loadqueueentry(0);
        if (!measured.wait(60000))
            return 1;
        peer.ask(newsroomcommand("timedStory", {{QStringLiteral("ro"), QStringLiteral("EDITS")},
                                                {QStringLiteral("story"), editedStory(0, -1)}}));
        runEventsFor(500);
    }
    bool scrolled = false;
    form->wb1->scrollTo(0, 200, [&scrolled] { scrolled = true; });
    runEventsUntil([&scrolled] { return scrolled; });
    double updatedAt = 0;
    QObject::connect(newsroom, &NewsroomQueue::storyUpdated, &app,
                     [&updatedAt] { updatedAt = double(QDateTime::currentMSecsSinceEpoch()); });
    QList<double> latencies;
    for (int edit = 1; edit <= edits; ++edit) {
        updatedAt = 0;
        const QJsonObject answer =
            peer.ask(newsroomcommand("timedStory", {{QStringLiteral("ro"), QStringLiteral("EDITS")},
                                                    {QStringLiteral("story"), editedStory(edit, edit % 10)}}))
                .toObject();
        if (!runEventsUntil([&updatedAt] { return updatedAt > 0; }, 10000))
            return 1;
        latencies << updatedAt - answer.value(QStringLiteral("sentAt")).toDouble();
        runEventsFor(50);
    }
    bench::report(QStringLiteral("newsroom_edit_on_air_message_to_page"), bench::median(latencies),
                  QStringLiteral("ms"),
                  {{QStringLiteral("story_words"), 300},
                   {QStringLiteral("edits"), edits},
                   {QStringLiteral("worst_ms"), *std::max_element(latencies.begin(), latencies.end())}});

    // The show as one continuous page: from the switch to the page built, shown and measured.
    texts = 0;
    peer.ask(newsroomcommand("bigRunningOrder", {{QStringLiteral("ro"), QStringLiteral("CONTINUOUS")},
                                                 {QStringLiteral("stories"), stories},
                                                 {QStringLiteral("words"), wordsPerStory}}),
             120000);
    if (!runEventsUntil([&] { return texts == stories && windows().Form4->queue().size() == stories; },
                        60000))
        return 1;
    QElapsedTimer pageClock;
    pageClock.start();
    rundown.setContinuous(true);
    if (!runEventsUntil([&rundown] { return rundown.showsContinuous() && rundown.storyOnAir() == 0; }, 60000))
        return 1;
    bench::report(QStringLiteral("newsroom_continuous_page_ready"), pageClock.nsecsElapsed() / 1e6,
                  QStringLiteral("ms"),
                  {{QStringLiteral("stories"), stories}, {QStringLiteral("words"), stories * wordsPerStory}});
    runEventsFor(500);
    QList<double> continuousEdits;
    for (int edit = 1; edit <= edits; ++edit) {
        updatedAt = 0;
        const QJsonObject answer =
            peer.ask(newsroomcommand("timedStory", {{QStringLiteral("ro"), QStringLiteral("CONTINUOUS")},
                                                    {QStringLiteral("story"), editedStory(edit, edit % 10)}}))
                .toObject();
        if (!runEventsUntil([&updatedAt] { return updatedAt > 0; }, 10000))
            return 1;
        continuousEdits << updatedAt - answer.value(QStringLiteral("sentAt")).toDouble();
        runEventsFor(50);
    }
    bench::report(
        QStringLiteral("newsroom_continuous_edit_on_air_message_to_page"), bench::median(continuousEdits),
        QStringLiteral("ms"),
        {{QStringLiteral("stories"), stories},
         {QStringLiteral("words"), stories * wordsPerStory},
         {QStringLiteral("edits"), edits},
         {QStringLiteral("worst_ms"), *std::max_element(continuousEdits.begin(), continuousEdits.end())}});
    peer.quit();
    destroyWindows();
    return 0;
}
