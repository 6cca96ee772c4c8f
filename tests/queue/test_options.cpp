#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/toolimage.h"

// The options window: its queue actions, and how the prompter applies or puts back its choices.
class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void windowTexts();
    void hoverPictures();
    void okWithNothingChangedOnlyPauses();
    void capitalsRebuildThePageOnce();
    void dockingMovesTheWindowWithoutRebuilding();
    void cancelPutsEverythingBack();
    void remoteMirrorTargetDropsTheFilter();
    void remoteRotateTargetTurnsThePageBack();
    void okStartsTheQueue();
    void addAndRemoveScripts();
    void saveAndLoadQueues();
    void failedQueueReadKeepsTheQueue();
    void mirrorAndRotateToggles();

private:
    // Shows the options window from the prompter's menu; `operate` runs while it is open and
    // ends with Ok (true) or Cancel (false).
    void runOptions(const std::function<bool(TForm4 *)> &operate);
    int pageLoads() const { return m_loads; }
    QString write(const QString &name, const QByteArray &bytes);

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    TForm4 *m_options = nullptr;
    QTemporaryDir m_dir;
    int m_loads = 0;
};

void TestOptions::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    m_options = windows().Form4;
    connect(m_form->wb1->page(), &QWebEnginePage::loadStarted, this, [this] { ++m_loads; });
}

void TestOptions::cleanupTestCase()
{
    delete m_env;
}

void TestOptions::init()
{
    for (RadioGroup *group :
         {m_options->mainformlocation, m_options->allcaps, m_options->mtype, m_options->rtype})
        group->setItemIndex(0);
    changeModes(m_form, [](DisplayModes &modes) { modes = DisplayModes{}; });
    m_options->clearQueue();
    m_form->promptstate.mirroron = false;
    m_form->promptstate.rotateon = false;
    m_form->promptstate.scriptlines = {QStringLiteral("hello there")};
    QVERIFY(reloadAndWait(m_form));
    m_env->dialogs.clear();
    m_loads = 0;
}

QString TestOptions::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

void TestOptions::runOptions(const std::function<bool(TForm4 *)> &operate)
{
    bool ran = false;
    QTimer::singleShot(0, m_options, [this, &operate, &ran] {
        ran = true;
        const bool ok = operate(m_options);
        (ok ? m_options->Button1 : m_options->Button2)->click();
    });
    m_form->Options2->trigger();
    QVERIFY(ran);
    QVERIFY(!m_options->isVisible());
}

void TestOptions::windowTexts()
{
    QCOMPARE(m_options->windowTitle(), QStringLiteral("Vantell Options"));
    QCOMPARE(m_options->size(), QSize(521, 720));
    QCOMPARE(m_options->Panel4->text(), QStringLiteral("Queue"));
    QCOMPARE(m_options->addlabel->text(), QStringLiteral("Add Script"));
    QCOMPARE(m_options->removelabel->text(), QStringLiteral("Remove Script"));
    QCOMPARE(m_options->savelabel->text(), QStringLiteral("Load Queue"));
    QCOMPARE(m_options->loadlabel->text(), QStringLiteral("Save Queue"));
    QCOMPARE(m_options->mainformlocation->items(), (QStringList{"Align Top", "Align Bottom"}));
    QCOMPARE(m_options->allcaps->items(), (QStringList{"No", "Yes"}));
    QCOMPARE(m_options->rtype->items(), (QStringList{"Local", "Remote", "Both"}));
    QCOMPARE(m_options->Label8->text(), QStringLiteral("Display to Rotate"));
    QCOMPARE(m_options->Button1->text(), QStringLiteral("Ok"));
    QCOMPARE(m_options->Button2->text(), QStringLiteral("Cancel"));
}

void TestOptions::hoverPictures()
{
    const qreal ratio = m_options->devicePixelRatioF();
    QCOMPARE(m_options->Image5->pixmap().toImage(), m_options->ImageList1.picture(4, ratio).toImage());
    emit m_options->Image5->mouseEnter();
    QCOMPARE(m_options->Image5->pixmap().toImage(), m_options->ImageList1.picture(5, ratio).toImage());
    emit m_options->Image5->mouseLeave();
    QCOMPARE(m_options->Image5->pixmap().toImage(), m_options->ImageList1.picture(4, ratio).toImage());
}

void TestOptions::okWithNothingChangedOnlyPauses()
{
    m_form->engine->setSpeed(40);
    m_form->adjustspeed();
    runOptions([](TForm4 *) { return true; });
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    QTest::qWait(200);
    QCOMPARE(pageLoads(), 0);
}

void TestOptions::capitalsRebuildThePageOnce()
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    runOptions([](TForm4 *options) {
        options->allcaps->setItemIndex(1);
        return true;
    });
    QVERIFY(measured.wait(20000));
    QCOMPARE(pageLoads(), 1);
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("HELLO THERE<br>")));
}

void TestOptions::dockingMovesTheWindowWithoutRebuilding()
{
    const QRect before = m_form->geometry();
    runOptions([](TForm4 *options) {
        options->mainformlocation->setItemIndex(1);
        return true;
    });
    const int bottomTop = m_form->geometry().top();
    QVERIFY(bottomTop > before.top());
    QTest::qWait(200);
    QCOMPARE(pageLoads(), 0);
    runOptions([](TForm4 *options) {
        options->mainformlocation->setItemIndex(0);
        return true;
    });
    QVERIFY(m_form->geometry().top() < bottomTop);
    QCOMPARE(m_form->height(), 250);
}

void TestOptions::cancelPutsEverythingBack()
{
    m_options->setQueue({QStringLiteral("/kept.txt")});
    m_env->dialogs.files.enqueue({QStringLiteral("/one.txt"), 1});
    m_env->dialogs.files.enqueue({QStringLiteral("/two.vnr"), 1});
    runOptions([](TForm4 *options) {
        options->Image3MouseUp();
        options->Image3MouseUp();
        options->ListBox1->setCurrentRow(1);
        options->allcaps->setItemIndex(1);
        options->mainformlocation->setItemIndex(1);
        options->rtype->setItemIndex(1);
        return false;
    });
    QCOMPARE(m_options->queue(), QStringList{QStringLiteral("/kept.txt")});
    QCOMPARE(m_options->ListBox1->selectedItems().size(), 0);
    QCOMPARE(m_options->allcaps->itemIndex(), 0);
    QCOMPARE(m_options->mainformlocation->itemIndex(), 0);
    QCOMPARE(m_options->rtype->itemIndex(), 0);
    QTest::qWait(200);
    QCOMPARE(pageLoads(), 0);
}

void TestOptions::remoteMirrorTargetDropsTheFilter()
{
    m_form->Image2MouseUp();
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    QVERIFY(measured.wait(20000));
    QVERIFY(m_form->promptstate.pagelines.join(QString()).contains(QStringLiteral("mirror=1")));
    runOptions([](TForm4 *options) {
        options->mtype->setItemIndex(1);
        return true;
    });
    QVERIFY(measured.wait(20000));
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("<body>")));
    QVERIFY(m_form->promptstate.mirroron);
}

void TestOptions::remoteRotateTargetTurnsThePageBack()
{
    QStringList script;
    for (int i = 0; i < 100; ++i)
        script << QStringLiteral("line %1").arg(i);
    m_form->promptstate.scriptlines = script;
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->Image14MouseUp();
    QVERIFY(measured.wait(20000));
    QVERIFY(m_form->upsideDownLocally());
    QCOMPARE(m_form->wb1->scrollPosition(), m_form->promptstate.pagebottom);
    QVERIFY(m_form->Image1->y() > 0);
    // Cancel leaves the target, the page and the scroll sense as they were.
    runOptions([](TForm4 *options) {
        options->rtype->setItemIndex(1);
        return false;
    });
    QVERIFY(m_form->upsideDownLocally());
    runOptions([](TForm4 *options) {
        options->rtype->setItemIndex(1);
        return true;
    });
    QVERIFY(measured.wait(20000));
    QVERIFY(!m_form->upsideDownLocally());
    QVERIFY(m_form->promptstate.rotateon);
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("<body>")));
    QCOMPARE(m_form->wb1->scrollPosition(), 0);
    QCOMPARE(m_form->Image1->y(), 0);
}

void TestOptions::okStartsTheQueue()
{
    const QStringList entries{write(QStringLiteral("1.txt"), "first\n"),
                              write(QStringLiteral("2.txt"), "second\n"),
                              write(QStringLiteral("3.txt"), "third\n")};
    m_options->setQueue(entries);
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    runOptions([](TForm4 *) { return true; });
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->promptstate.queuepos, 0);
    QCOMPARE(m_form->promptstate.scriptpath, entries.at(0));
    runOptions([](TForm4 *options) {
        options->ListBox1->setCurrentRow(2);
        return true;
    });
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->promptstate.queuepos, 2);
    QCOMPARE(m_form->Label4->text(), entries.at(2));
    QVERIFY(!m_form->Timer1->isEnabled());
}

void TestOptions::addAndRemoveScripts()
{
    m_env->dialogs.files.enqueue({QStringLiteral("/a.txt"), 1});
    m_options->Image3MouseUp();
    m_options->Image3MouseUp(); // cancelled: nothing added
    QCOMPARE(m_env->dialogs.shown.at(0).request.filter,
             QStringLiteral("Vantell Readable|*.txt;*.rtf;*.vnr|Word Processor Documents|*.docx;*.odt|"
                            "Markdown and HTML|*.md;*.markdown;*.html;*.htm"));
    m_env->dialogs.files.enqueue({QStringLiteral("/b.vnr"), 1});
    QTest::mouseClick(m_options->addlabel, Qt::LeftButton); // the label runs the action too
    QCOMPARE(m_options->queue(), (QStringList{"/a.txt", "/b.vnr"}));
    m_options->ListBox1->clearSelection();
    m_options->Image2MouseUp(); // nothing selected: nothing removed
    QCOMPARE(m_options->queue().size(), 2);
    m_options->ListBox1->setCurrentRow(0);
    QTest::mouseClick(m_options->Image2, Qt::LeftButton);
    QCOMPARE(m_options->queue(), QStringList{"/b.vnr"});
}

void TestOptions::saveAndLoadQueues()
{
    m_options->Image4MouseUp();
    QCOMPARE(m_env->dialogs.messages(), QStringList{QStringLiteral("Nothing to save.")});
    QCOMPARE(m_env->dialogs.shown.size(), 1);

    m_options->setQueue({QStringLiteral("/x/one.txt"), QStringLiteral("/x/two.vnr")});
    const QString path = m_dir.filePath(QStringLiteral("show.vnq"));
    m_env->dialogs.files.enqueue({path, 1});
    m_options->Image4MouseUp();
    const FileDialogRequest save = m_env->dialogs.shown.constLast().request;
    QCOMPARE(save.filter, QStringLiteral("Vantell Scripts|*.vnq"));
    QCOMPARE(save.defaultSuffix, QStringLiteral("vnq"));
    QVERIFY(!save.confirmOverwrite);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("/x/one.txt\r\n/x/two.vnr\r\n"));

    m_options->clearQueue();
    m_form->promptstate.queuepos = 5;
    m_env->dialogs.files.enqueue({write(QStringLiteral("lf.vnq"), "/l/a.txt\n\n/l/b.txt\n"), 1});
    m_options->Image5MouseUp();
    QCOMPARE(m_options->queue(), (QStringList{"/l/a.txt", "", "/l/b.txt"}));
    QCOMPARE(m_form->promptstate.queuepos, 5); // loading a queue does not reset the position
}

void TestOptions::failedQueueReadKeepsTheQueue()
{
    m_options->setQueue({QStringLiteral("/kept.txt")});
    m_env->dialogs.files.enqueue({m_dir.filePath(QStringLiteral("missing.vnq")), 1});
    m_options->Image5MouseUp();
    QCOMPARE(m_options->queue(), QStringList{QStringLiteral("/kept.txt")});
    QCOMPARE(m_env->dialogs.messages().size(), 1);
    QVERIFY(m_env->dialogs.messages().constFirst().contains(QStringLiteral("missing.vnq")));
}

void TestOptions::mirrorAndRotateToggles()
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->Image2MouseUp();
    QVERIFY(measured.wait(20000));
    QVERIFY(m_form->promptstate.mirroron);
    QCOMPARE(m_form->Image1->y(), 0); // mirror alone leaves the logo
    m_form->Image14MouseUp();
    QVERIFY(measured.wait(20000));
    QVERIFY(m_form->promptstate.pagelines.contains(
        QStringLiteral("<body style=\"filter: progid:DXImageTransform.Microsoft.BasicImage(mirror=1) "
                       "progid:DXImageTransform.Microsoft.BasicImage(rotation=2)\">")));
    QCOMPARE(m_form->Image1->y(), m_form->Panel2->height() - m_form->Image1->height());
    m_form->Image2MouseUp();
    QVERIFY(measured.wait(20000));
    m_form->Image14MouseUp();
    QVERIFY(measured.wait(20000));
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("<body>")));
    QCOMPARE(m_form->wb1->scrollPosition(), 0);
    m_form->Image3MouseUp(); // the dual-display image changes no state
    QVERIFY(!m_form->promptstate.mirroron && !m_form->promptstate.rotateon);
}

VANTELL_UI_TEST_MAIN(TestOptions)
#include "test_options.moc"
