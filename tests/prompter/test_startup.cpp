#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "ui/editor/tform2.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "core/platform/datapaths.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "core/render/page.h"
#include "ui/render/tform7.h"
#include "ui/settings/taboutform.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"

extern "C" int _nl_msg_cat_cntr;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void windowsAndControlsExist();
    void startTextsAndState();
    void aLongStatusNeverWidensTheWindow();
    void toolbarPicturesAtRestAndHover();
    void popupMenuItems();
    void emptyPageIsLoaded();
    void specialTableLoaded();
    void missingSpecialTableIsReportedOnce();
    void unreadableSpecialTableIsReportedAndIgnored();
    void germanCatalogueTranslatesTheWindow();
    void escapedExceptionIsShownAndTheProgramGoesOn();
    void closingEmptiesTheQueue();
};

void TestStartup::cleanup()
{
    DataPaths::overrideSearchDirs({});
    qputenv("LANGUAGE", "");
    ++_nl_msg_cat_cntr;
}

void TestStartup::windowsAndControlsExist()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    const Windows &w = windows();
    QVERIFY(w.Form1 && w.Form2 && w.Form7 && w.Form4 && w.aboutform);
    QCOMPARE(w.Form2->objectName(), QStringLiteral("Form2"));
    for (const char *name :
         {"Panel1",  "Panel2",         "Image1",        "Label2",     "wbpanel", "Panel3",      "Label12",
          "slidera", "Label11",        "speedmod",      "myrichedit", "Panel4",  "wb1",         "Header",
          "footer",  "statusbar",      "Panel5",        "Panel6",     "Label1",  "coarselabel", "Label4",
          "Label6",  "timespentlabel", "timeleftlabel", "Image4",     "Image12", "Image10",     "Image11",
          "Image9",  "Image8",         "Image7",        "Image6",     "Image5",  "Label7",      "Image13",
          "Label5",  "Image14",        "Image2",        "Image3"})
        QVERIFY2(form->findChild<QWidget *>(QLatin1String(name)), name);
    QVERIFY(form->findChild<QMenu *>(QStringLiteral("JvPopupMenu1")));
    QCOMPARE(form->slidera->minimum(), -300);
    QCOMPARE(form->slidera->maximum(), 300);
    QCOMPARE(form->slidera->value(), 10);
    QCOMPARE(form->speedmod->minimum(), 1);
    QCOMPARE(form->speedmod->maximum(), 10);
    QCOMPARE(form->speedmod->increment(), 3);
    QCOMPARE(form->statusbar->height(), 52);
    QCOMPARE(form->Panel2->width(), 100);
    QVERIFY(!form->Timer1->isEnabled());
    QCOMPARE(form->Timer1->interval(), 300);
    QVERIFY(form->myrichedit->isHidden());
}

void TestStartup::startTextsAndState()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QCOMPARE(form->windowTitle(), QStringLiteral("Vantell2 Home"));
    QCOMPARE(form->Label1->text(), QStringLiteral("Paused..."));
    QCOMPARE(form->Label4->text(), QStringLiteral("No Script."));
    QCOMPARE(form->Label6->text(), QStringLiteral("Vantell Home version 2.2.1 "));
    QCOMPARE(form->coarselabel->text(), QStringLiteral("Coarse: 1"));
    QCOMPARE(form->Label2->text(), QStringLiteral("Right click for menu."));
    QCOMPARE(form->Label12->text(), QStringLiteral("Speed "));
    QCOMPARE(form->Label11->text(), QStringLiteral("Coarse: "));
    QCOMPARE(form->Label7->text(), QStringLiteral("  |  "));
    QCOMPARE(form->Label5->text(),
             QStringLiteral("W-Increase Speed | S-Decrease Speed | Q-Pause | E-Reverse Direction | "
                            "F-Reset | A-Load Prev. Script | D-Load Next Script"));
    QCOMPARE(form->Image4->toolTip(), QStringLiteral("Increase Speed"));
    QCOMPARE(form->Image3->toolTip(), QStringLiteral("Toggle Dual Display"));
    QCOMPARE(form->timespentlabel->text(), QString());
    QCOMPARE(form->promptstate.versiontext, QStringLiteral("Vantell Home version 2.2.1"));
    QCOMPARE(form->engine->scrollspeed(), 0);
    QVERIFY(!form->promptstate.mirroron && !form->promptstate.rotateon && !form->promptstate.helpshown);
    QVERIFY(env.dialogs.messages().isEmpty());
}

void TestStartup::aLongStatusNeverWidensTheWindow()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    const int width = form->width();
    const int least = form->minimumSizeHint().width();
    // A script deep in a folder tree, or a long notice: the window stays as it was, and the line
    // shows the path's start and end with its middle left out.
    const QString path = QStringLiteral("/home/studio/") + QStringLiteral("evening-news/").repeated(60) +
                         QStringLiteral("weather.vnr");
    form->Label4->setText(path);
    QCoreApplication::processEvents();
    QCOMPARE(form->width(), width);
    QCOMPARE(form->minimumSizeHint().width(), least);
    QCOMPARE(form->Label4->text(), path);
    form->Label4->grab();
    QCOMPARE(form->Label4->toolTip(), path);

    // The features' read-outs, grown by a clock that starts or a long story name, neither.
    for (const char *name : {"clocklabel", "rundownlabel", "voicelabel", "standbystatus"}) {
        auto *readout = form->findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(readout, name);
        readout->setVisible(true);
        readout->setText(QStringLiteral("Ends 02:34:38 ").repeated(20));
        QCoreApplication::processEvents();
        QCOMPARE(form->width(), width);
        QCOMPARE(form->minimumSizeHint().width(), least);
    }
}

void TestStartup::toolbarPicturesAtRestAndHover()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    const QList<QPair<ToolImage *, int>> rest{
        {form->Image4, 0},   {form->Image12, 2}, {form->Image10, 6}, {form->Image11, 4}, {form->Image9, 8},
        {form->Image8, 10},  {form->Image7, 12}, {form->Image6, 14}, {form->Image5, 16}, {form->Image13, 20},
        {form->Image14, 30}, {form->Image2, 28}, {form->Image3, 18}};
    const qreal ratio = form->devicePixelRatioF();
    for (const auto &[image, index] : rest) {
        QVERIFY(form->ImageList1.has(index) && form->ImageList1.has(index + 1));
        QCOMPARE(image->pixmap().toImage(), form->ImageList1.picture(index, ratio).toImage());
    }
    QCOMPARE(form->Image4->width(), 20);
    QCOMPARE(form->Image12->size(), QSize(21, 15));
    // Entering shows the odd picture, leaving puts the even one back.
    emit form->Image8->mouseEnter();
    QCOMPARE(form->Image8->pixmap().toImage(), form->ImageList1.picture(11, ratio).toImage());
    emit form->Image8->mouseLeave();
    QCOMPARE(form->Image8->pixmap().toImage(), form->ImageList1.picture(10, ratio).toImage());
    QVERIFY(!form->Image1->pixmap().isNull());
}

void TestStartup::popupMenuItems()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QStringList captions;
    // What the operator sees: a standby's Take Over entry is hidden on a prompter that leads.
    for (QAction *action : form->JvPopupMenu1->actions())
        if (action->isVisible())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    const QAction *takeOver = form->JvPopupMenu1->findChild<QAction *>(QStringLiteral("TakeOver1"));
    QVERIFY(takeOver && !takeOver->isVisible());
    // The rundown and the reading aids' menus stand in a group of their own after the printing item.
    QCOMPARE(captions, (QStringList{"&Open Single Script",
                                    "Font",
                                    "-",
                                    "O&ptions and Multi-Scripting",
                                    "-",
                                    "&Quick Edit Script",
                                    "Edit &Live",
                                    "&Print Script",
                                    "-",
                                    "R&undown",
                                    "&Markers",
                                    "&Reading Line",
                                    "Cou&ntdown",
                                    "&Timing",
                                    "&Voice Following",
                                    "-",
                                    "&Show Status Bar",
                                    "-",
                                    "About",
                                    "-",
                                    "&Exit"}));
    QVERIFY(form->Showstatusbar1->isChecked());
    QVERIFY(!form->OpenSimplescript1->icon().isNull());
    QVERIFY(!form->About1->icon().isNull());
    QVERIFY(form->Exit1->icon().isNull());
}

void TestStartup::emptyPageIsLoaded()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QCOMPARE(form->promptstate.pagelines, emptypage(PageFont{QStringLiteral("Arial"), 24}));
    QVERIFY(form->wb1->isScriptPage());
    QCOMPARE(form->promptstate.pagebottom, 0);
    QCOMPARE(form->Header->toPlainText().split(QLatin1Char('\n')), pageheader());
    QCOMPARE(form->footer->toPlainText().split(QLatin1Char('\n')), pagefooter());
}

void TestStartup::specialTableLoaded()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QVERIFY(form->promptstate.specialtable.size() > 100);
}

void TestStartup::missingSpecialTableIsReportedOnce()
{
    QTemporaryDir empty;
    DataPaths::overrideSearchDirs({empty.path()});
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QCOMPARE(env.dialogs.messages(),
             QStringList{QStringLiteral(
                 "Unable to locate Specialchars.dat!\r\n\r\nConversion of special characters will "
                 "be unavialble.\n\rPlease reinstall Vantell.")});
    QVERIFY(form->promptstate.specialtable.isEmpty());
    QCOMPARE(form->Label4->text(), QStringLiteral("No Script."));
    QCOMPARE(form->Label1->text(), QStringLiteral("Paused..."));
}

void TestStartup::unreadableSpecialTableIsReportedAndIgnored()
{
    // A folder in its place cannot be read (as root, file permissions would not stop a read).
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("specialchars.dat")));
    DataPaths::overrideSearchDirs({dir.path()});
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QCOMPARE(env.dialogs.messages().size(), 1);
    QVERIFY(env.dialogs.messages().constFirst().contains(QStringLiteral("specialchars.dat")));
    QVERIFY(form->promptstate.specialtable.isEmpty());
    QCOMPARE(form->Label1->text(), QStringLiteral("Paused..."));
}

void TestStartup::germanCatalogueTranslatesTheWindow()
{
    qputenv("LANGUAGE", "de");
    ++_nl_msg_cat_cntr;
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QCOMPARE(form->Label1->text(), QStringLiteral("Angehalten..."));
    QCOMPARE(form->Label4->text(), QStringLiteral("Kein Skript."));
    QCOMPARE(form->Image4->toolTip(), QStringLiteral("Schneller"));
    QCOMPARE(form->OpenSimplescript1->text(), QStringLiteral("Einzelnes Skript &\u00f6ffnen"));
    // The page templates are never translated.
    QCOMPARE(form->promptstate.pagelines, emptypage(PageFont{QStringLiteral("Arial"), 24}));
}

void TestStartup::escapedExceptionIsShownAndTheProgramGoesOn()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    bool later = false;
    QTimer::singleShot(0, form, [] { throw std::runtime_error("Disk on fire."); });
    QTimer::singleShot(20, form, [&later] { later = true; });
    QTRY_VERIFY(later);
    QCOMPARE(env.dialogs.messages(), QStringList{QStringLiteral("Disk on fire.")});
    form->wb1KeyDown(Qt::Key_W);
    QCOMPARE(form->engine->scrollspeed(), 10);
}

void TestStartup::closingEmptiesTheQueue()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    windows().Form4->ListBox1->addItems({QStringLiteral("/a.txt"), QStringLiteral("/b.txt")});
    form->show();
    form->close();
    QCOMPARE(windows().Form4->ListBox1->count(), 0);
}

VANTELL_UI_TEST_MAIN(TestStartup)
#include "test_startup.moc"
