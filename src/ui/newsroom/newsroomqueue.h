#pragma once

#include <memory>

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include "core/mos/mosrefusalnotices.h"
#include "core/mos/storylines.h"
#include "core/mos/storyparagraphkeys.h"
#include "core/rundown/continuousscript.h"
#include "core/settings/newsroomsettings.h"

class MosDevice;
class NewsroomOptions;
class MosRequester;
class MosServer;
class ScriptStage;
class TForm4;
struct MosChange;
struct MosStory;

// The newsroom's running order as the prompter's queue. While the newsroom system has sent a
// running order, the queue holds its stories, one entry each under its slug, and stepping
// through the queue shows them; the queue the operator had comes back once the newsroom deletes
// the last running order. The newest running order sent is the one shown. A story on the page
// that the newsroom changes is changed in place, the line being read staying where it is. While
// the queue is one continuous page (the rundown, on unless the operator turns it off), the whole
// running order is that page, its floated stories left out, and every change the newsroom makes
// to it reaches the page in place; the show's planned end is the running order's.
//
// It meets the windows at a few points only: the prompter loads the queue's entries through it
// and shows its stories (ScriptStage: showscript, updatescript); the options window
// shows its entries, its settings (TForm4::Newsroom) and, while a running order is the queue, no
// queue actions of its own. A connection or message the device refuses is told on the prompter's
// status line and under the newsroom options for a while, once for a peer and reason however
// often the peer tries.
class NewsroomQueue : public QObject {
    Q_OBJECT
public:
    NewsroomQueue(ScriptStage &prompter, TForm4 *options, QObject *parent = nullptr);
    ~NewsroomQueue() override;

    // Starts, stops or moves the listening as `settings` say, lets in whom they say and shows the
    // instructions as they say. A port that cannot be opened, and allowed addresses that are not
    // addresses, are reported in a message.
    void apply(const NewsroomSettings &settings);
    const NewsroomSettings &settings() const { return m_settings; }
    MosDevice *device() const { return m_device.get(); }
    MosServer *server() const { return m_server.get(); }
    // While this prompter is the standby of another, the newsroom is that one's: the MOS ports
    // stay closed. Taking the show over, it listens as set and asks the newsroom for its running
    // orders once it is heard.
    void setStandingBy(bool standingBy);
    // Its page of the options window.
    NewsroomOptions *optionsGroup() const { return m_group; }

    // Shows story `index` of that running order in the prompter; false when the queue is the
    // operator's (its entries are script files).
    bool loadStory(int index);

signals:
    // The story on the page has been changed in place, as the newsroom sent it.
    void storyUpdated(const QString &storyId);

private:
    void changed(const MosChange &change);
    void showRunningOrder(const QString &roId);
    void restoreOperatorQueue();
    void refreshQueue();
    void updateStoryOnPage();
    bool pageShowsStory() const;
    QStringList storyLines(const MosStory &story);
    // The running order's stories as the continuous page takes them.
    QList<RundownEntry> runningOrderEntries();
    // The changes of `change` to the continuous page, in place.
    void changeContinuousPage(const MosChange &change);
    // Tells the rundown the end the running order plans, when it plans one anew.
    void tellPlannedEnd(const MosRunningOrder &order);
    void optionsClosed(int result);
    void showStatus();
    // The allowed addresses that are not addresses, as the operator wrote them.
    QString invalidAddresses() const;
    void tellRefusal(const MosRefusal &refusal);

    ScriptStage &m_prompter;
    TForm4 *m_options;
    NewsroomOptions *m_group;
    NewsroomSettings m_settings;
    std::unique_ptr<MosDevice> m_device;
    std::unique_ptr<MosServer> m_server;
    // Asks the newsroom for its running orders once it is heard after a start or a lost connection.
    MosRequester *m_requester;
    bool m_askAgain = true;
    bool m_standingBy = false;
    QString m_askFailure; // why the newsroom could not be asked, the last time
    QString m_listenFailure;
    MosRefusalNotices m_refusalNotices;
    QElapsedTimer m_clock;
    QString m_refusal; // the last refusal told, while it is shown under the options
    QTimer m_refusalShown;
    QString m_roId;
    QStringList m_operatorQueue;
    // The story on the page: its ID and the name it was shown under.
    QString m_storyId;
    QString m_storyName;
    // The keys of the stories' paragraphs, and of the stories on a continuous page.
    StoryParagraphKeys m_paragraphKeys;
    QHash<QString, int> m_storyKeys;
    QDateTime m_plannedEnd;
};
