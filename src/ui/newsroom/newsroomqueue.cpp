#include "ui/newsroom/newsroomqueue.h"

#include <utility>

#include <QHostAddress>
#include <QLabel>
#include <QSettings>
#include <QTimer>

#include "core/engine/readingestimate.h"
#include "core/mos/mosdevice.h"
#include "core/mos/mosrequester.h"
#include "core/mos/mosserver.h"
#include "core/rundown/backtiming.h"
#include "core/platform/translation.h"
#include "ui/prompter/scriptstage.h"
#include "ui/rundown/rundownstage.h"
#include "ui/options/newsroomoptions.h"
#include "ui/options/tform4.h"
#include "ui/settings/settingsgroup.h"
#include "core/settings/settingsstore.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/toolimage.h"

namespace {

const QString settingsGroup = QStringLiteral("Newsroom");
// As long as the status line's other notices.
constexpr int refusalShownMs = 30000;
constexpr qsizetype longestIdShown = 64;

// An ID a peer sent, as the operator is shown it: on one line, and not so long that it pushes
// the rest of the notice off the line.
QString shownId(const QString &id)
{
    const QString line = id.simplified();
    return line.size() <= longestIdShown ? line : line.left(longestIdShown - 1) + QChar(0x2026);
}

QString refusalText(const MosRefusal &refusal)
{
    switch (refusal.reason) {
    case MosRefusal::Reason::NcsId:
        return i18n(str::NewsroomRefusedNcsId)
            .arg(refusal.peerName(), shownId(refusal.received), shownId(refusal.expected));
    case MosRefusal::Reason::MosId:
        return i18n(str::NewsroomRefusedMosId)
            .arg(refusal.peerName(), shownId(refusal.received), shownId(refusal.expected));
    case MosRefusal::Reason::Address:
        break;
    }
    return i18n(str::NewsroomRefusedAddress).arg(refusal.peerName());
}

QString storyName(const MosStory &story)
{
    return story.slug.isEmpty() ? story.id : story.slug;
}

// The operator's queue actions: add, remove, load and save, each a picture and its caption.
void enableQueueActions(TForm4 *options, bool enabled)
{
    for (QWidget *action : std::initializer_list<QWidget *>{
             options->Image6, options->Image2, options->Image5, options->Image4, options->addlabel,
             options->removelabel, options->savelabel, options->loadlabel})
        action->setEnabled(enabled);
}

} // namespace

NewsroomQueue::NewsroomQueue(ScriptStage &prompter, TForm4 *options, QObject *parent)
    : QObject(parent), m_prompter(prompter), m_options(options)
{
    m_group = new NewsroomOptions;
    m_options->addFeaturePage(m_group, "newsroompagebutton", str::NewsroomPage);
    SettingsStore store;
    NewsroomSettings stored;
    readnewsroomsettings(store.settings(), stored);
    m_settings = stored;
    m_settings.enabled = false; // until apply() has opened the ports
    m_device = std::make_unique<MosDevice>(stored.deviceId);
    m_server = std::make_unique<MosServer>(m_device.get());
    connect(m_device.get(), &MosDevice::changed, this, &NewsroomQueue::changed);
    connect(m_device.get(), &MosDevice::notAdmitted, this, &NewsroomQueue::tellRefusal);
    connect(m_server.get(), &MosServer::notAdmitted, this, &NewsroomQueue::tellRefusal);
    connect(m_server.get(), &MosServer::connectionsChanged, this, &NewsroomQueue::showStatus);
    // The running orders held were lost with a restart, and may have changed while no connection
    // was open: the newsroom is asked for them once it is heard again.
    m_requester = new MosRequester(m_device.get(), this);
    connect(m_server.get(), &MosServer::connectionsChanged, this, [this](int count) {
        if (count == 0)
            m_askAgain = true;
    });
    connect(m_device.get(), &MosDevice::newsroomHeard, this,
            [this](const QString &ncsId, const QHostAddress &peer) {
                if (std::exchange(m_askAgain, false))
                    m_requester->ask(peer, quint16(m_settings.ncsPort), ncsId);
            });
    // A newsroom that takes no connections of devices is not asked: the window says so, quietly.
    connect(m_requester, &MosRequester::finished, this, [this](int, const QString &error) {
        m_askFailure = error;
        showStatus();
    });
    m_clock.start();
    m_refusalShown.setSingleShot(true);
    m_refusalShown.setInterval(refusalShownMs);
    connect(&m_refusalShown, &QTimer::timeout, this, [this] {
        m_refusal.clear();
        showStatus();
    });
    connect(m_options, &QDialog::finished, this, &NewsroomQueue::optionsClosed);
    m_prompter.setQueueEntryLoader([this](int index) { return loadStory(index); });
    m_group->showSettings(stored);
    showStatus();
    // From the event loop: a port that cannot be opened is reported over the prompter, not
    // before it is there.
    QTimer::singleShot(0, this, [this, stored] { apply(stored); });
}

NewsroomQueue::~NewsroomQueue()
{
    m_prompter.setQueueEntryLoader(nullptr);
}

void NewsroomQueue::setStandingBy(bool standingBy)
{
    if (std::exchange(m_standingBy, standingBy) == standingBy)
        return;
    if (standingBy) {
        m_server->close();
        showStatus();
        return;
    }
    m_askAgain = true;
    apply(m_settings);
}

void NewsroomQueue::apply(const NewsroomSettings &settings)
{
    const bool network =
        settings.enabled != m_settings.enabled || settings.lowerPort != m_settings.lowerPort ||
        settings.upperPort != m_settings.upperPort || settings.listenAddress != m_settings.listenAddress ||
        (settings.enabled && !m_server->isListening());
    const bool look = settings.hideInstructions != m_settings.hideInstructions;
    const bool addresses = settings.allowedAddresses != m_settings.allowedAddresses;
    m_settings = settings;
    // Connections the new admission does not allow are closed at once.
    m_device->setAdmission(MosAdmission(settings.deviceId, settings.ncsId, settings.allowedAddresses));
    m_group->showSettings(settings);
    if (network) {
        m_server->close();
        m_listenFailure.clear();
        if (settings.enabled && !m_standingBy) {
            const QHostAddress address = settings.listenAddress.isEmpty()
                                             ? QHostAddress(QHostAddress::Any)
                                             : QHostAddress(settings.listenAddress);
            if (settings.lowerPort == settings.upperPort)
                m_listenFailure = i18n(str::NewsroomSamePorts);
            else if (address.isNull())
                m_listenFailure = settings.listenAddress;
            else if (const std::optional<QString> failure =
                         m_server->listen(address, quint16(settings.lowerPort), quint16(settings.upperPort)))
                m_listenFailure = *failure;
            if (!m_listenFailure.isEmpty())
                Dialogs::current().message(i18n(str::NewsroomCannotListen).arg(m_listenFailure));
        }
    }
    if (settings.enabled && (network || addresses) && !invalidAddresses().isEmpty())
        Dialogs::current().message(i18n(str::NewsroomNotAddresses).arg(invalidAddresses()));
    if (look && m_prompter.rundown().showsContinuous())
        m_prompter.rundown().storiesChanged();
    else if (look && pageShowsStory()) {
        if (const MosRunningOrder *order = m_device->runningOrders().find(m_roId)) {
            const qsizetype at = order->storyIndex(m_storyId);
            if (at >= 0)
                m_prompter.updatescript(storyLines(order->stories.at(at)), {});
        }
    }
    showStatus();
}

void NewsroomQueue::showStatus()
{
    QString status = i18n(str::NewsroomOff);
    if (!m_listenFailure.isEmpty())
        status = i18n(str::NewsroomCannotListen).arg(m_listenFailure);
    else if (m_server->isListening())
        status = i18n(str::NewsroomListening)
                     .arg(m_server->lowerPort())
                     .arg(m_server->upperPort())
                     .arg(m_server->connectionCount());
    QStringList lines{status};
    if (m_server->isListening() && !invalidAddresses().isEmpty())
        lines << i18n(str::NewsroomNotAddresses).arg(invalidAddresses());
    if (!m_askFailure.isEmpty())
        lines << i18n(str::NewsroomNotAskedAgain).arg(m_askFailure);
    if (!m_refusal.isEmpty())
        lines << m_refusal;
    m_group->setStatus(lines.join(QLatin1Char('\n')));
}

QString NewsroomQueue::invalidAddresses() const
{
    return m_device->admission().invalidAddresses().join(QLatin1String(", "));
}

void NewsroomQueue::tellRefusal(const MosRefusal &refusal)
{
    if (!m_refusalNotices.tell(refusal, m_clock.elapsed()))
        return;
    m_refusal = refusalText(refusal);
    m_prompter.tellOperator(m_refusal);
    m_refusalShown.start();
    showStatus();
}

void NewsroomQueue::optionsClosed(int result)
{
    if (result == QDialog::Accepted) {
        const NewsroomSettings chosen = m_group->values(m_settings);
        storeSettings(settingsGroup,
                      [&chosen](QSettings &settings) { writenewsroomsettings(settings, chosen); });
        apply(chosen);
    } else {
        m_group->showSettings(m_settings);
    }
    // Cancel puts the queue back as it was when the window opened; the running order may have
    // changed meanwhile. Once the prompter is done with the window, the queue shows it as it is.
    if (!m_roId.isEmpty())
        QTimer::singleShot(0, this, &NewsroomQueue::refreshQueue);
}

void NewsroomQueue::changed(const MosChange &change)
{
    if ((change.created || change.replaced) && change.roId != m_roId) {
        showRunningOrder(change.roId);
        return;
    }
    if (change.roId != m_roId)
        return;
    if (change.deleted) {
        const QList<MosRunningOrder> &orders = m_device->runningOrders().all();
        if (orders.isEmpty())
            restoreOperatorQueue();
        else
            showRunningOrder(orders.last().id);
        return;
    }
    if (const MosRunningOrder *order = m_device->runningOrders().find(m_roId))
        tellPlannedEnd(*order);
    if (change.storiesChanged)
        refreshQueue();
    if (m_prompter.rundown().showsContinuous()) {
        changeContinuousPage(change);
        return;
    }
    if (!m_storyId.isEmpty() && change.textChanged.contains(m_storyId))
        updateStoryOnPage();
}

void NewsroomQueue::changeContinuousPage(const MosChange &change)
{
    const MosRunningOrder *order = m_device->runningOrders().find(m_roId);
    if (!order)
        return;
    // The paragraphs of each story edited, followed to its new text before the page takes it.
    QHash<int, QHash<int, int>> replacedBy;
    for (const QString &storyId : change.textChanged) {
        const qsizetype at = order->storyIndex(storyId);
        if (at < 0 || !order->stories.at(at).text)
            continue;
        const QHash<int, int> kept = m_paragraphKeys.follow(storyId, *order->stories.at(at).text);
        if (!kept.isEmpty() && m_storyKeys.contains(storyId))
            replacedBy.insert(m_storyKeys.value(storyId), kept);
    }
    const QStringList edited = change.textChanged;
    m_prompter.rundown().storiesChanged(replacedBy, [this, edited] {
        for (const QString &storyId : edited)
            emit storyUpdated(storyId);
    });
}

void NewsroomQueue::tellPlannedEnd(const MosRunningOrder &order)
{
    const std::optional<QDateTime> end = runningorderend(order.editorialStart, order.editorialDuration);
    if (!end || *end == m_plannedEnd)
        return;
    m_plannedEnd = *end;
    m_prompter.rundown().setPlannedEnd(*end);
}

void NewsroomQueue::showRunningOrder(const QString &roId)
{
    if (m_roId.isEmpty())
        m_operatorQueue = m_options->queue();
    m_roId = roId;
    m_storyKeys.clear();
    m_plannedEnd = QDateTime();
    refreshQueue();
    const MosRunningOrder *order = m_device->runningOrders().find(roId);
    if (!order)
        return;
    m_prompter.rundown().setStories(
        [this] { return runningOrderEntries(); },
        i18n(str::RunningOrderHeading).arg(order->slug.isEmpty() ? order->id : order->slug));
    tellPlannedEnd(*order);
    // A prompter that shows no script yet shows the first story at once.
    const PromptState &state = m_prompter.state();
    if (state.scriptpath.isEmpty() && state.scriptlines.isEmpty() && !state.helpshown &&
        !m_options->queue().isEmpty())
        m_prompter.openQueueEntry(0);
}

void NewsroomQueue::restoreOperatorQueue()
{
    m_roId.clear();
    m_storyId.clear();
    m_storyKeys.clear();
    m_prompter.rundown().setStories({}, QString());
    m_options->setQueue(m_operatorQueue);
    m_options->Panel4->setText(i18n(str::Queue));
    enableQueueActions(m_options, true);
}

void NewsroomQueue::refreshQueue()
{
    const MosRunningOrder *order = m_device->runningOrders().find(m_roId);
    if (!order)
        return;
    QStringList names;
    QList<int> words;
    names.reserve(order->stories.size());
    words.reserve(order->stories.size());
    for (const MosStory &story : order->stories) {
        names << storyName(story);
        // Instructions are not read aloud; a story whose text has not come yet has no estimate.
        words << (story.text ? wordcount(storylines(*story.text, InstructionDisplay::Hidden, {})) : -1);
    }
    m_options->setQueue(names, words);
    m_options->Panel4->setText(
        i18n(str::RunningOrderHeading).arg(order->slug.isEmpty() ? order->id : order->slug));
    // The newsroom makes the running order: the operator's queue actions wait until it is gone.
    enableQueueActions(m_options, false);
    if (m_storyId.isEmpty())
        return;
    // The story on the page keeps its place in the queue, wherever the newsroom has moved it.
    const int position = m_prompter.state().queuepos;
    const qsizetype at = order->storyIndex(m_storyId);
    if (at < 0) {
        // Gone from the running order: the page keeps it, and the next step shows the story that
        // now stands where it stood.
        m_prompter.setQueuePosition(std::max(0, position - 1));
        m_storyId.clear();
        return;
    }
    m_prompter.setQueuePosition(static_cast<int>(at));
    const QString name = storyName(order->stories.at(at));
    if (name != m_storyName && pageShowsStory())
        m_prompter.renameScript(name);
    m_storyName = name;
}

bool NewsroomQueue::loadStory(int index)
{
    const MosRunningOrder *order = m_device->runningOrders().find(m_roId);
    if (!order || index < 0 || index >= order->stories.size())
        return false;
    const MosStory &story = order->stories.at(index);
    m_storyId = story.id;
    m_storyName = storyName(story);
    // A story shown anew counts its paragraphs' keys from 0.
    m_paragraphKeys.forget(story.id);
    m_prompter.setScriptText(ScriptText::Markup); // a story's lines are escaped already
    m_prompter.showscript(storyLines(story), m_storyName);
    return true;
}

bool NewsroomQueue::pageShowsStory() const
{
    return !m_storyId.isEmpty() && m_prompter.state().scriptpath == m_storyName &&
           !m_prompter.state().helpshown;
}

void NewsroomQueue::updateStoryOnPage()
{
    if (!pageShowsStory())
        return;
    const MosRunningOrder *order = m_device->runningOrders().find(m_roId);
    const qsizetype at = order ? order->storyIndex(m_storyId) : -1;
    if (at < 0 || !order->stories.at(at).text)
        return;
    const MosStory &story = order->stories.at(at);
    const QHash<int, int> replacedBy = m_paragraphKeys.follow(m_storyId, *story.text);
    const QString id = m_storyId;
    m_prompter.updatescript(storyLines(story), replacedBy, [this, id] { emit storyUpdated(id); });
}

QList<RundownEntry> NewsroomQueue::runningOrderEntries()
{
    const MosRunningOrder *order = m_device->runningOrders().find(m_roId);
    if (!order)
        return {};
    QList<RundownEntry> entries;
    entries.reserve(order->stories.size());
    QStringList ids;
    for (const MosStory &story : order->stories) {
        // A story keeps its key through every change, wherever the newsroom moves it.
        auto key = m_storyKeys.constFind(story.id);
        if (key == m_storyKeys.cend())
            key = m_storyKeys.insert(story.id, int(m_storyKeys.size()) + 1);
        RundownEntry entry;
        entry.key = *key;
        entry.number = story.number;
        entry.name = storyName(story);
        entry.lines = storyLines(story);
        entry.floated = story.floated;
        entry.textKnown = story.text.has_value();
        entries << entry;
        ids << story.id;
    }
    m_paragraphKeys.keepOnly(ids);
    return entries;
}

QStringList NewsroomQueue::storyLines(const MosStory &story)
{
    // A story whose text has not come yet shows its name, as an instruction, so the page is not
    // blank and says what it waits for.
    if (!story.text)
        return storylines(MosStoryText{{{MosTextRun{QStringLiteral("[%1]").arg(storyName(story)), true}}}},
                          InstructionDisplay::Dimmed, {});
    return storylines(*story.text,
                      m_settings.hideInstructions ? InstructionDisplay::Hidden : InstructionDisplay::Dimmed,
                      m_paragraphKeys.keys(story.id, *story.text));
}
