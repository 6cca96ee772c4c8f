#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "testsupport/testmain.h"
#include "ui/toolkit/accessiblenames.h"

class TestAccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void captionNamesItsControl();
    void hintNamesAControl();
    void captionWinsOverHint();
    void givenNamesAreKept();
    void mnemonicsAndMarkupAreNotSpoken();
    void textsOfTheirOwnStayLive();
    void controlsWithoutCaptionOrHintStayUnnamed();
};

void TestAccessibleNames::captionNamesItsControl()
{
    QWidget window;
    auto *caption = new QLabel(QStringLiteral("Speed "), &window);
    auto *slider = new QSlider(&window);
    caption->setBuddy(slider);
    nameControlsAccessibly(&window);
    QCOMPARE(slider->accessibleName(), QStringLiteral("Speed"));
}

void TestAccessibleNames::hintNamesAControl()
{
    QWidget window;
    auto *picture = new QLabel(&window);
    picture->setPixmap(QPixmap(21, 15));
    picture->setToolTip(QStringLiteral("Increase Speed"));
    nameControlsAccessibly(&window);
    QCOMPARE(picture->accessibleName(), QStringLiteral("Increase Speed"));
    QCOMPARE(QAccessible::queryAccessibleInterface(picture)->text(QAccessible::Name),
             QStringLiteral("Increase Speed"));
}

void TestAccessibleNames::captionWinsOverHint()
{
    QWidget window;
    auto *caption = new QLabel(QStringLiteral("Coarse: "), &window);
    auto *slider = new QSlider(&window);
    slider->setToolTip(QStringLiteral("Drag to change"));
    caption->setBuddy(slider);
    nameControlsAccessibly(&window);
    QCOMPARE(slider->accessibleName(), QStringLiteral("Coarse:"));
}

void TestAccessibleNames::givenNamesAreKept()
{
    QWidget window;
    auto *slider = new QSlider(&window);
    slider->setAccessibleName(QStringLiteral("Speed of the page"));
    slider->setToolTip(QStringLiteral("Speed"));
    auto *caption = new QLabel(QStringLiteral("Speed"), &window);
    caption->setBuddy(slider);
    nameControlsAccessibly(&window);
    QCOMPARE(slider->accessibleName(), QStringLiteral("Speed of the page"));
    // A second call changes nothing either.
    nameControlsAccessibly(&window);
    QCOMPARE(slider->accessibleName(), QStringLiteral("Speed of the page"));
}

void TestAccessibleNames::mnemonicsAndMarkupAreNotSpoken()
{
    QWidget window;
    auto *caption = new QLabel(QStringLiteral("Fi&nd && replace:"), &window);
    auto *slider = new QSlider(&window);
    caption->setBuddy(slider);
    auto *picture = new QLabel(&window);
    picture->setToolTip(QStringLiteral("<b>Bold</b> &amp; <i>italic</i>"));
    window.setToolTip(QStringLiteral("Window hint"));
    nameControlsAccessibly(&window);
    QCOMPARE(slider->accessibleName(), QStringLiteral("Find & replace:"));
    QCOMPARE(picture->accessibleName(), QStringLiteral("Bold & italic"));
    // The window itself is named from its hint as well.
    QCOMPARE(window.accessibleName(), QStringLiteral("Window hint"));
}

void TestAccessibleNames::textsOfTheirOwnStayLive()
{
    QWidget window;
    auto *readout = new QLabel(QStringLiteral("Paused..."), &window);
    auto *button = new QPushButton(QStringLiteral("&Ok"), &window);
    nameControlsAccessibly(&window);
    QVERIFY(readout->accessibleName().isEmpty());
    QVERIFY(button->accessibleName().isEmpty());
    readout->setText(QStringLiteral("Speed 10"));
    QCOMPARE(QAccessible::queryAccessibleInterface(readout)->text(QAccessible::Name),
             QStringLiteral("Speed 10"));
    QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), QStringLiteral("Ok"));
}

void TestAccessibleNames::controlsWithoutCaptionOrHintStayUnnamed()
{
    QWidget window;
    auto *slider = new QSlider(&window);
    auto *caption = new QLabel(QString(), &window);
    caption->setBuddy(slider);
    nameControlsAccessibly(&window);
    QVERIFY(slider->accessibleName().isEmpty());
}

VANTELL_CORE_TEST_MAIN(TestAccessibleNames)
#include "test_accessiblenames.moc"
