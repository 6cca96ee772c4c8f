#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTextEdit>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/editor/findreplacedialog.h"
#include "ui/editor/tform2.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "ui/render/tform7.h"
#include "ui/settings/taboutform.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"

extern "C" int _nl_msg_cat_cntr; // glibc: bumping it makes gettext look at LANGUAGE again

// Screen readers and automation tools find every control of every window by a name: its caption,
// its hint or its own text.
class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyControlHasAName_data();
    void everyControlHasAName();
    void namesComeFromHintsAndCaptions();
    void everyMenuItemHasAText();
    void germanNamesFollowTheCatalogue();
    void toolbarImagesArePushButtons();
    void theLogoOpensTheMenuOnItsFirstCommand();
    void onlyShownWindowsAreListed();
    void windowsHaveTheRolesOfWindows();

private:
    static QString spokenName(QWidget *widget);
    static QString readText(QWidget *widget);
    // The visible controls under `widget`: not the panels that only hold them, nor the inner
    // parts of a control (a list's scroll bars, the browser's drawing surface), nor the size grip.
    static void collectControls(QWidget *widget, QList<QWidget *> &controls);
    QWidget *window(const QString &name) const;

    UiTestEnvironment *m_env = nullptr;
};

void TestAccessibility::initTestCase()
{
    m_env = new UiTestEnvironment;
    QVERIFY(m_env->start());
}

void TestAccessibility::cleanupTestCase()
{
    delete m_env;
}

QString TestAccessibility::readText(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QAccessibleTextInterface *text = accessible ? accessible->textInterface() : nullptr;
    return text ? text->text(0, text->characterCount()) : QString();
}

QString TestAccessibility::spokenName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

void TestAccessibility::collectControls(QWidget *widget, QList<QWidget *> &controls)
{
    for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible() || child->isWindow())
            continue;
        const bool panel = child->metaObject() == &QWidget::staticMetaObject ||
                           child->metaObject() == &QFrame::staticMetaObject ||
                           qobject_cast<QStatusBar *>(child) || qobject_cast<QMenuBar *>(child) ||
                           qobject_cast<QSizeGrip *>(child);
        // A label that shows nothing (a document name before there is a document) says nothing.
        auto *label = qobject_cast<QLabel *>(child);
        const bool blank = label && label->text().isEmpty() && label->pixmap().isNull();
        if (!panel && !blank)
            controls << child;
        const bool whole = qobject_cast<QAbstractScrollArea *>(child) || qobject_cast<Browser *>(child);
        if (!whole)
            collectControls(child, controls);
    }
}

QWidget *TestAccessibility::window(const QString &name) const
{
    const Windows &w = windows();
    if (name == QLatin1String("find"))
        return w.Form2->FindDialog1;
    if (name == QLatin1String("replace"))
        return w.Form2->ReplaceDialog1;
    for (QWidget *form : std::initializer_list<QWidget *>{w.Form1, w.Form2, w.Form4, w.Form7, w.aboutform})
        if (form->objectName() == name)
            return form;
    return nullptr;
}

void TestAccessibility::everyControlHasAName_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("atLeast"); // controls that must be found, against a walk that finds none
    QTest::newRow("prompter") << "Form1" << 25;
    QTest::newRow("quick editor") << "Form2" << 9;
    QTest::newRow("options") << "Form4" << 20;
    QTest::newRow("progress") << "Form7" << 2;
    QTest::newRow("about") << "aboutform" << 6;
    QTest::newRow("find") << "find" << 5;
    QTest::newRow("replace") << "replace" << 6;
}

void TestAccessibility::everyControlHasAName()
{
    QFETCH(QString, window);
    QFETCH(int, atLeast);
    QWidget *form = this->window(window);
    QVERIFY(form);
    const bool wasVisible = form->isVisible();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QVERIFY(!spokenName(form).isEmpty());
    QList<QWidget *> controls;
    collectControls(form, controls);
    QStringList unnamed;
    for (QWidget *control : controls) {
        if (spokenName(control).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 (%2)").arg(control->objectName(),
                                                     QLatin1String(control->metaObject()->className()));
    }
    if (!wasVisible)
        form->hide();
    QVERIFY2(controls.size() >= atLeast, qPrintable(QString::number(controls.size())));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

void TestAccessibility::namesComeFromHintsAndCaptions()
{
    const Windows &w = windows();
    QCOMPARE(w.Form1->Image4->accessibleName(), QStringLiteral("Increase Speed"));
    QCOMPARE(w.Form1->Image3->accessibleName(), QStringLiteral("Toggle Dual Display"));
    QCOMPARE(w.Form1->slidera->accessibleName(), QStringLiteral("Speed"));
    QCOMPARE(w.Form1->speedmod->accessibleName(), QStringLiteral("Coarse:"));
    QCOMPARE(w.Form1->Image1->accessibleName(), QStringLiteral("Right click for menu."));
    QCOMPARE(w.Form1->wb1->accessibleName(), QStringLiteral("Script page"));
    QCOMPARE(w.Form2->Image9->accessibleName(), QStringLiteral("Font properties"));
    QCOMPARE(w.Form2->re1->accessibleName(), QStringLiteral("Script text"));
    QCOMPARE(w.Form4->ListBox1->accessibleName(), QStringLiteral("Queue"));
    QCOMPARE(w.Form4->mtype->accessibleName(), QStringLiteral("Display to Mirror"));
    QCOMPARE(w.Form7->ProgressBar1->accessibleName(), QStringLiteral("Converting to Script"));
    QCOMPARE(w.Form7->accessibleName(), QStringLiteral("Converting to Script"));
    QCOMPARE(w.Form4->Image6->accessibleName(), QStringLiteral("Add Script"));
    // A read-out keeps its name and reads what it shows as it changes, not the text it had at
    // start.
    w.Form1->Label1->setText(QStringLiteral("Speed 40"));
    QCOMPARE(spokenName(w.Form1->Label1), QStringLiteral("Current speed"));
    QCOMPARE(readText(w.Form1->Label1), QStringLiteral("Speed 40"));
    w.Form1->dopause();
    QCOMPARE(readText(w.Form1->Label1), QStringLiteral("Paused..."));
    QCOMPARE(spokenName(w.Form1->timespentlabel), QStringLiteral("Elapsed time"));
    QCOMPARE(spokenName(w.Form1->timeleftlabel), QStringLiteral("Remaining time"));
}

void TestAccessibility::everyMenuItemHasAText()
{
    const Windows &w = windows();
    QList<QMenu *> menus{w.Form1->JvPopupMenu1, w.Form2->PopupMenu1};
    for (QAction *action : w.Form2->JvMainMenu1->actions()) {
        QVERIFY(!action->text().isEmpty());
        menus << action->menu();
    }
    int items = 0;
    for (QMenu *menu : menus) {
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            ++items;
            QVERIFY2(!action->text().remove(QLatin1Char('&')).trimmed().isEmpty(),
                     qPrintable(action->objectName()));
        }
    }
    QVERIFY(items >= 30);
}

void TestAccessibility::germanNamesFollowTheCatalogue()
{
    // The names are the translated texts: a window made in German names its controls in German.
    qputenv("LANGUAGE", "de");
    ++_nl_msg_cat_cntr;
    TForm7 progress(nullptr);
    qputenv("LANGUAGE", "");
    ++_nl_msg_cat_cntr;
    QCOMPARE(progress.ProgressBar1->accessibleName(), progress.Label1->text());
    QVERIFY(progress.Label1->text() != QStringLiteral("Converting to Script"));
}

void TestAccessibility::toolbarImagesArePushButtons()
{
    TForm1 *form = windows().Form1;
    form->doreset();
    form->engine->setSpeed(0);
    QAccessibleInterface *increase = QAccessible::queryAccessibleInterface(form->Image4);
    QCOMPARE(increase->role(), QAccessible::Button);
    QAccessibleActionInterface *actions = increase->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList{"W"});
    // A press is one step, as a quick click is; it runs once the tool has had its answer.
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(form->engine->scrollspeed(), 0);
    QTRY_COMPARE(form->engine->scrollspeed(), 10);
    QVERIFY(!form->mousedowntimer->isActive());
    // Every image of the toolbar has its key, and those without a letter act by it on the page.
    for (ToolImage *image : form->Panel5->findChildren<ToolImage *>())
        QVERIFY2(!image->shortcut().isEmpty(), qPrintable(image->objectName()));
    const int coarse = form->speedmod->value();
    form->wb1->focusPage();
    QTest::keyClick(form->wb1->focusProxy(), Qt::Key_Plus);
    // Once: the browser hands the keys the page does not use back to the window, later.
    runEventsFor(500);
    QCOMPARE(form->speedmod->value(), qMin(coarse + 1, 10));
    QTest::keyClick(form->wb1->focusProxy(), Qt::Key_Minus);
    QCOMPARE(form->speedmod->value(), coarse);
    // A letter pressed while a slider has the focus acts as on the page, once.
    form->slidera->setFocus();
    QTest::keyClick(form->slidera, Qt::Key_W);
    QCOMPARE(form->engine->scrollspeed(), 20);
    QTest::keyClick(form->slidera, Qt::Key_Escape);
    QCOMPARE(form->focusWidget(), form->wb1->focusProxy());
    form->dopause();
}

void TestAccessibility::theLogoOpensTheMenuOnItsFirstCommand()
{
    TForm1 *form = windows().Form1;
    QAccessibleInterface *logo = QAccessible::queryAccessibleInterface(form->Image1);
    QCOMPARE(logo->role(), QAccessible::Button);
    QVERIFY(logo->state().hasPopup);
    QVERIFY(logo->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    logo->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QTRY_VERIFY(form->JvPopupMenu1->isVisible());
    QCOMPARE(form->JvPopupMenu1->activeAction(), form->OpenSimplescript1);
    form->JvPopupMenu1->close();
    // The keys that open a context menu open it from the page as well.
    form->wb1->focusPage();
    QTest::keyClick(form->wb1->focusProxy(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_VERIFY(form->JvPopupMenu1->isVisible());
    QCOMPARE(form->JvPopupMenu1->activeAction(), form->OpenSimplescript1);
    form->JvPopupMenu1->close();
    QTest::keyClick(form->wb1->focusProxy(), Qt::Key_Menu);
    QTRY_VERIFY(form->JvPopupMenu1->isVisible());
    form->JvPopupMenu1->close();
}

void TestAccessibility::onlyShownWindowsAreListed()
{
    const auto listed = [] {
        QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
        QList<QObject *> windows;
        for (int i = 0; i < application->childCount(); ++i) {
            QAccessibleInterface *window = application->child(i);
            windows << window->object();
            if (application->indexOfChild(window) != i)
                return QList<QObject *>{};
        }
        return windows;
    };
    const Windows &w = windows();
    // The browser's drawing surface and the windows shown before and hidden since are left out.
    w.Form7->begin(3);
    w.Form7->end();
    QCOMPARE(listed(), QList<QObject *>{w.Form1});
    w.Form4->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Form4));
    QCOMPARE(listed(), (QList<QObject *>{w.Form1, w.Form4}));
    w.Form4->hide();
    QCOMPARE(listed(), QList<QObject *>{w.Form1});
}

void TestAccessibility::windowsHaveTheRolesOfWindows()
{
    const Windows &w = windows();
    const auto role = [](QObject *object) { return QAccessible::queryAccessibleInterface(object)->role(); };
    QCOMPARE(role(w.Form1), QAccessible::Window);
    QCOMPARE(role(w.Form7), QAccessible::Window);
    QCOMPARE(role(w.Form4), QAccessible::Dialog);
    QCOMPARE(role(w.Form1->JvPopupMenu1), QAccessible::PopupMenu);
    QCOMPARE(role(w.Form1->Panel1), QAccessible::Client);
    QCOMPARE(role(w.Form1->timespentlabel), QAccessible::StatusBar);
    QCOMPARE(role(w.Form1->Label12), QAccessible::StaticText);
}

VANTELL_UI_TEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
