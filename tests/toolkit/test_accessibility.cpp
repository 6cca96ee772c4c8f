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

#include "app/windows.h"
#include "browser/browser.h"
#include "editor/findreplacedialog.h"
#include "editor/tform2.h"
#include "prompter/tform1.h"
#include "queue/tform4.h"
#include "render/tform7.h"
#include "settings/taboutform.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "toolkit/application.h"
#include "toolkit/radiogroup.h"
#include "toolkit/stepslider.h"
#include "toolkit/toolimage.h"

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

private:
    static QString spokenName(QWidget *widget);
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
    // A read-out reports its text as it changes, not the text it had at start.
    w.Form1->Label1->setText(QStringLiteral("Speed 40"));
    QCOMPARE(spokenName(w.Form1->Label1), QStringLiteral("Speed 40"));
    w.Form1->dopause();
    QCOMPARE(spokenName(w.Form1->Label1), QStringLiteral("Paused..."));
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

VANTELL_UI_TEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
