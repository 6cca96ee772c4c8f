#include "ui/newsroom/newsroomqueue.h"

#include <QHostAddress>
#include <QLabel>
#include <QSettings>
#include <QTimer>

#include "core/engine/readingestimate.h"
#include "core/mos/mosdevice.h"
#include "core/mos/mosserver.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "ui/options/newsroomoptions.h"
#include "ui/options/tform4.h"
#include "ui/settings/settingsgroup.h"
#include "core/settings/settingsstore.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/toolimage.h"

namespace {

const QString settingsGroup = QStringLiteral("Newsroom");

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

NewsroomQueue::NewsroomQueue(TForm1 *prompter, TForm4 *options, QObject *parent)
    : QObject(parent), m_prompter(prompter), m_options(options)
{
    SettingsStore store;
    NewsroomSettings stored;
    readnewsroomsettings(store.settings(), stored);
    m_settings = stored;
    m_settings.enabled = false; // until apply() has opened the ports
    m_device = std::make_unique<MosDevice>(stored.deviceId);
    m_server = std::make_unique<MosServer>(m_device.get());
    connect(m_device.get(), &MosDevice::changed, this, &NewsroomQueue::changed);
    connect(m_server.get(), &MosServer::connectionsChanged, this, &NewsroomQueue::showStatus);
    connect(m_options, &QDialog::finished, this, &NewsroomQueue::optionsClosed);
    m_prompter->queueentryloader = [this](int index) { return loadStory(index); };
    m_options->Newsroom->showSettings(stored);
    showStatus();
    // From the event loop: a port that cannot be opened is reported over the prompter, not
    // before it is there.
    QTimer::singleShot(0, this, [this, stored] { apply(stored); });
}

NewsroomQueue::~NewsroomQueue()
{
    m_prompter->queueentryloader = nullptr;
}

void NewsroomQueue::apply(const NewsroomSettings &settings)
{
    const bool network =
        settings.enabled != m_settings.enabled || settings.lowerPort != m_settings.lowerPort ||
        settings.upperPort != m_settings.upperPort || settings.listenAddress != m_settings.listenAddress ||
        (settings.enabled && !m_server->isListening());
    const bool look = settings.hideInstructions != m_settings.hideInstructions;
    m_settings = settings;
    m_device->setDeviceId(settings.deviceId);
    m_options->Newsroom->showSettings(settings);
    if (network) {
        m_server->close();
        m_listenFailure.clear();
        if (settings.enabled) {
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
    if (look && pageShowsStory()) {
        if (const MosRunningOrder *order = m_device->runningOrders().find(m_roId)) {
            const qsizetype at = order->storyIndex(m_storyId);
            if (at >= 0)
                m_prompter->updatescript(storyLines(order->stories.at(at)), {});
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
    m_options->Newsroom->setStatus(status);
}

void NewsroomQueue::optionsClosed(int result)
{
    if (result == QDialog::Accepted) {
        const NewsroomSettings chosen = m_options->Newsroom->values(m_settings);
        storeSettings(settingsGroup,
                      [&chosen](QSettings &settings) { writenewsroomsettings(settings, chosen); });
        apply(chosen);
    } else {
        m_options->Newsroom->showSettings(m_settings);
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
    if (change.storiesChanged)
        refreshQueue();
    if (!m_storyId.isEmpty() && change.textChanged.contains(m_storyId))
        updateStoryOnPage();
}

void NewsroomQueue::showRunningOrder(const QString &roId)
{
    if (m_roId.isEmpty())
        m_operatorQueue = m_options->queue();
    m_roId = roId;
    refreshQueue();
    // A prompter that shows no script yet shows the first story at once.
    const PromptState &state = m_prompter->promptstate;
    if (state.scriptpath.isEmpty() && state.scriptlines.isEmpty() && !state.helpshown &&
        !m_options->queue().isEmpty()) {
        m_prompter->promptstate.queuepos = 0;
        m_prompter->reportingErrors([this] { m_prompter->loadqueueentry(0); });
    }
}

void NewsroomQueue::restoreOperatorQueue()
{
    m_roId.clear();
    m_storyId.clear();
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
    int &position = m_prompter->promptstate.queuepos;
    const qsizetype at = order->storyIndex(m_storyId);
    if (at < 0) {
        // Gone from the running order: the page keeps it, and the next step shows the story that
        // now stands where it stood.
        position = std::max(0, position - 1);
        m_storyId.clear();
        return;
    }
    position = static_cast<int>(at);
    const QString name = storyName(order->stories.at(at));
    if (name != m_storyName && pageShowsStory()) {
        m_prompter->promptstate.scriptpath = name;
        m_prompter->Label4->setText(name);
    }
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
    m_paragraphs.clear();
    m_keys.clear();
    if (story.text) {
        for (const MosParagraph &paragraph : story.text->paragraphs) {
            m_keys << static_cast<int>(m_paragraphs.size());
            m_paragraphs << paragraphtext(paragraph);
        }
    }
    m_nextKey = static_cast<int>(m_paragraphs.size());
    m_prompter->promptstate.scripttext = ScriptText::Markup; // a story's lines are escaped already
    m_prompter->showscript(storyLines(story), m_storyName);
    return true;
}

bool NewsroomQueue::pageShowsStory() const
{
    return !m_storyId.isEmpty() && m_prompter->promptstate.scriptpath == m_storyName &&
           !m_prompter->promptstate.helpshown;
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
    QStringList paragraphs;
    for (const MosParagraph &paragraph : story.text->paragraphs)
        paragraphs << paragraphtext(paragraph);
    const FollowedParagraphs followed = followparagraphs(m_paragraphs, m_keys, paragraphs, m_nextKey);
    m_paragraphs = paragraphs;
    m_keys = followed.keys;
    const QString id = m_storyId;
    m_prompter->updatescript(storyLines(story), followed.replacedBy, [this, id] { emit storyUpdated(id); });
}

QStringList NewsroomQueue::storyLines(const MosStory &story) const
{
    // A story whose text has not come yet shows its name, as an instruction, so the page is not
    // blank and says what it waits for.
    if (!story.text)
        return storylines(MosStoryText{{{MosTextRun{QStringLiteral("[%1]").arg(storyName(story)), true}}}},
                          InstructionDisplay::Dimmed, {});
    return storylines(*story.text,
                      m_settings.hideInstructions ? InstructionDisplay::Hidden : InstructionDisplay::Dimmed,
                      m_keys);
}
