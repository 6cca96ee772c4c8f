#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "ui/prompter/tform1.h"
#include "ui/options/queueentrydelegate.h"
#include "ui/options/readingaidoptions.h"
#include "ui/options/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/toolimage.h"
#include "testsupport/features.h"
#include "ui/readingaids/readingaids.h"

// The options window's reading aids: the queue's reading times, the reading aids' page applied
// on Ok and put back on Cancel, and script files dropped on the prompter and on the queue.
class TestReadingAidOptions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void queueShowsEachScriptsReadingTimeAndTheTotal();
    void newsroomStoriesBringTheirWords();
    void readingAidsPageFitsTheWindow();
    void okAppliesTheReadingAidsAndCancelPutsThemBack();
    void aScriptDroppedOnThePageOpens();
    void aBadFileDroppedKeepsTheScript();
    void scriptsDroppedOnTheQueueJoinIt();

private:
    void runOptions(const std::function<bool(TForm4 *)> &operate);
    QString write(const QString &name, const QByteArray &bytes);
    // Drags `files` over `target` and drops them there, as the window system would; whether the
    // drag was taken.
    static bool drop(QWidget *target, const QStringList &files);

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    TForm4 *m_options = nullptr;
    QTemporaryDir m_dir;
};

namespace {
QByteArray words(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "word ";
    return text + "\n";
}
} // namespace

void TestReadingAidOptions::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    m_options = windows().Form4;
}

void TestReadingAidOptions::cleanupTestCase()
{
    delete m_env;
}

void TestReadingAidOptions::init()
{
    m_options->clearQueue();
    feature<ReadingAids>(m_form).set(ReadingAidSettings{});
    m_options->ReadingAids->showSettings(ReadingAidSettings{});
    m_env->dialogs.clear();
}

QString TestReadingAidOptions::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

void TestReadingAidOptions::runOptions(const std::function<bool(TForm4 *)> &operate)
{
    bool ran = false;
    QTimer::singleShot(0, m_options, [this, &operate, &ran] {
        ran = true;
        const bool ok = operate(m_options);
        (ok ? m_options->Button1 : m_options->Button2)->click();
    });
    m_form->Options2->trigger();
    QVERIFY(ran);
}

bool TestReadingAidOptions::drop(QWidget *target, const QStringList &files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << (file.contains(QLatin1String("://")) ? QUrl(file) : QUrl::fromLocalFile(file));
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
}

void TestReadingAidOptions::queueShowsEachScriptsReadingTimeAndTheTotal()
{
    const QString longer = write(QStringLiteral("long.txt"), words(360));
    const QString marked = write(QStringLiteral("marked.txt"), "## Weather\n" + words(90));
    const QString missing = m_dir.filePath(QStringLiteral("gone.txt"));
    m_options->setQueue({longer, missing});
    m_env->dialogs.files.enqueue({marked, 1});
    m_options->Image3MouseUp();
    // Marker lines are not read; a script that cannot be read has no time and adds none.
    QCOMPARE(m_options->entryWords(), (QList<int>{360, -1, 90}));
    QCOMPARE(m_options->queuetime->text(), QStringLiteral("The queue reads in 2:30 at 180 words a minute"));
    QVERIFY(!m_options->ListBox1->item(1)->data(QueueEntryDelegate::WordsRole).isValid());
    // Each entry is two lines high: its name, and its time under it.
    const QRect first = m_options->ListBox1->visualItemRect(m_options->ListBox1->item(0));
    QVERIFY(first.height() >= 2 * m_options->ListBox1->fontMetrics().height());

    // The pace on the reading aids' page counts at once, before Ok.
    m_options->ReadingAids->readingpace->setValue(360);
    QCOMPARE(m_options->queuetime->text(), QStringLiteral("The queue reads in 1:15 at 360 words a minute"));
    m_options->ListBox1->setCurrentRow(0);
    m_options->Image2MouseUp();
    QCOMPARE(m_options->queuetime->text(), QStringLiteral("The queue reads in 0:15 at 360 words a minute"));
    m_options->clearQueue();
    QCOMPARE(m_options->queuetime->text(), QString());

    // Cancel puts the queue back with its times, without reading the files again.
    m_options->setQueue({longer});
    QFile::remove(longer);
    runOptions([](TForm4 *options) {
        options->clearQueue();
        return false;
    });
    QCOMPARE(m_options->queue(), QStringList{longer});
    QCOMPARE(m_options->entryWords(), QList<int>{360});
}

void TestReadingAidOptions::newsroomStoriesBringTheirWords()
{
    // Entries that are no files (a running order's stories) take the words they are given.
    m_options->setQueue({QStringLiteral("WEATHER"), QStringLiteral("SPORT")}, {180, -1});
    QCOMPARE(m_options->entryWords(), (QList<int>{180, -1}));
    QCOMPARE(m_options->queuetime->text(), QStringLiteral("The queue reads in 1:00 at 180 words a minute"));
}

void TestReadingAidOptions::readingAidsPageFitsTheWindow()
{
    QCOMPARE(m_options->optionspages->count(), 2);
    QCOMPARE(m_options->displaypagebutton->text(), QStringLiteral("Display"));
    QCOMPARE(m_options->aidspagebutton->text(), QStringLiteral("Reading Aids"));
    QVERIFY(!m_options->displaypagebutton->autoDefault() && !m_options->aidspagebutton->autoDefault());
    QCOMPARE(m_options->size(), QSize(521, 720));
    m_options->aidspagebutton->click();
    QCOMPARE(m_options->optionspages->currentWidget(), m_options->ReadingAids);
    QVERIFY(m_options->aidspagebutton->isChecked() && !m_options->displaypagebutton->isChecked());
    m_options->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_options));
    // Every control shows whole, inside the window and above the Ok and Cancel buttons, and no
    // two overlap.
    const QRect window = m_options->rect();
    const int buttons = m_options->Button1->mapTo(m_options, QPoint(0, 0)).y();
    QList<QRect> placed;
    for (QWidget *control : m_options->ReadingAids->findChildren<QWidget *>()) {
        if (!qobject_cast<QCheckBox *>(control) && !qobject_cast<QSpinBox *>(control) &&
            !qobject_cast<QComboBox *>(control))
            continue;
        QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
        const QRect at(control->mapTo(m_options, QPoint(0, 0)), control->size());
        QVERIFY2(window.contains(at) && at.bottom() < buttons, qPrintable(control->objectName()));
        // A check box is wide enough for its text.
        if (auto *box = qobject_cast<QCheckBox *>(control))
            QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->text()));
        for (const QRect &other : std::as_const(placed))
            QVERIFY2(!other.intersects(at), qPrintable(control->objectName()));
        placed << at;
    }
    QCOMPARE(placed.size(), 13);
    m_options->hide();
    m_options->displaypagebutton->click();
    QCOMPARE(m_options->optionspages->currentIndex(), 0);
}

void TestReadingAidOptions::okAppliesTheReadingAidsAndCancelPutsThemBack()
{
    ReadingAidSettings menus;
    menus.readingLine.height = 1.0 / 3;
    menus.readingLine.colour = QColor(0x12, 0x34, 0x56); // from the settings file: no named colour
    menus.countdownSeconds = 7;
    feature<ReadingAids>(m_form).set(menus);

    // Cancel: the window showed what the prompter had, and the prompter keeps it.
    runOptions([&menus](TForm4 *options) {
        ReadingAidOptions *aids = options->ReadingAids;
        [&] {
            QCOMPARE(aids->values(menus), menus);
            QCOMPARE(aids->cuecolour->currentText(), QStringLiteral("#123456"));
            QCOMPARE(aids->cueheight->value(), 33);
        }();
        aids->cueprompter->setChecked(true);
        aids->readingpace->setValue(250);
        return false;
    });
    QCOMPARE(feature<ReadingAids>(m_form).values(), menus);
    QVERIFY(!m_options->ReadingAids->cueprompter->isChecked());

    runOptions([](TForm4 *options) {
        ReadingAidOptions *aids = options->ReadingAids;
        aids->cueprompter->setChecked(true);
        aids->cuetalent->setChecked(true);
        aids->cuestyle->setCurrentIndex(1);
        aids->cuecolour->setCurrentIndex(2);
        aids->cueopacity->setValue(50);
        aids->countdownon->setChecked(true);
        aids->countdownseconds->setValue(4);
        aids->readingpace->setValue(150);
        aids->talentclocks->setChecked(true);
        aids->flashmessage->setChecked(true);
        aids->hidemarkers->setChecked(true);
        aids->jumplines->setValue(12);
        return true;
    });
    ReadingAidSettings chosen = menus;
    chosen.readingLine.onPrompter = chosen.readingLine.onTalent = true;
    chosen.readingLine.style = CueStyle::Band;
    chosen.readingLine.colour = QColor(255, 64, 64);
    chosen.readingLine.opacity = 50;
    chosen.countdown = true;
    chosen.countdownSeconds = 4;
    chosen.wordsPerMinute = 150;
    chosen.clocksOnTalent = chosen.flashMessages = chosen.hideMarkers = true;
    chosen.jumpLines = 12;
    // The height was left alone: it stays a third, not 33 %.
    QCOMPARE(feature<ReadingAids>(m_form).values(), chosen);
    // The menus show what the window chose.
    QVERIFY(named<QAction>(m_form, "CueOnPrompter1")->isChecked());
    QVERIFY(named<QAction>(m_form, "ClocksOnTalent1")->isChecked());

    runOptions([](TForm4 *options) {
        options->ReadingAids->cueheight->setValue(25);
        return true;
    });
    QCOMPARE(feature<ReadingAids>(m_form).values().readingLine.height, 0.25);
}

void TestReadingAidOptions::aScriptDroppedOnThePageOpens()
{
    const QString script = write(QStringLiteral("dropped.txt"), "dropped words\n");
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    // Dropped on the browser's page, which would otherwise take the file as a place to go.
    QWidget *page = m_form->wb1->focusProxy() ? m_form->wb1->focusProxy() : m_form->wb1;
    QVERIFY(drop(page, {script, write(QStringLiteral("second.txt"), "x\n")}));
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->promptstate.scriptpath, script);
    QCOMPARE(m_form->promptstate.scriptlines, QStringList{QStringLiteral("dropped words")});
    // Anywhere on the window: the status line too.
    const QString other = write(QStringLiteral("other.md"), "# Other\n\nwords\n");
    QVERIFY(drop(m_form->Label4, {other}));
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->promptstate.scriptpath, other);
    QVERIFY(m_form->promptstate.richscript);
    // What is no local file is not taken.
    QVERIFY(!drop(m_form->Label4, {QStringLiteral("https://example.org/script.txt")}));
    QVERIFY(m_env->dialogs.messages().isEmpty());
}

void TestReadingAidOptions::aBadFileDroppedKeepsTheScript()
{
    const QString kept = write(QStringLiteral("kept.txt"), "kept words\n");
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    QVERIFY(drop(m_form->wb1, {kept}));
    QVERIFY(measured.wait(20000));
    const QStringList page = m_form->promptstate.pagelines;
    for (const QString &bad :
         {write(QStringLiteral("broken.docx"), "not a zip"), write(QStringLiteral("notes.doc"), "x")}) {
        m_env->dialogs.clear();
        QVERIFY(drop(m_form->wb1, {bad}));
        QVERIFY(runEventsUntil([this] { return !m_env->dialogs.messages().isEmpty(); }));
        QCOMPARE(m_env->dialogs.messages().size(), 1);
        QCOMPARE(m_form->promptstate.scriptpath, kept);
        QCOMPARE(m_form->promptstate.pagelines, page);
    }
    // The same messages as the open dialog's choice gives.
    QCOMPARE(m_env->dialogs.messages(), QStringList{QStringLiteral("Unrecognized file format.")});
}

void TestReadingAidOptions::scriptsDroppedOnTheQueueJoinIt()
{
    const QString first = write(QStringLiteral("a.txt"), words(180));
    const QString second = write(QStringLiteral("b.vnr"), "{\\rtf1 two words\\par}");
    const QString other = write(QStringLiteral("c.png"), "x");
    QWidget *list = m_options->ListBox1->viewport();
    QVERIFY(drop(list, {first, other, second}));
    QVERIFY(runEventsUntil([this] { return m_options->ListBox1->count() == 2; }));
    QCOMPARE(m_options->queue(), (QStringList{first, second}));
    QCOMPARE(m_options->entryWords(), (QList<int>{180, 2}));
    // Nothing to add: the drag is refused.
    QVERIFY(!drop(list, {other}));
    // While the newsroom's running order is the queue, the operator's actions wait, drops too.
    m_options->Image6->setEnabled(false);
    QVERIFY(!drop(list, {first}));
    m_options->Image6->setEnabled(true);
    runEventsFor(50);
    QCOMPARE(m_options->ListBox1->count(), 2);
}

VANTELL_UI_TEST_MAIN(TestReadingAidOptions)
#include "test_readingaidoptions.moc"
