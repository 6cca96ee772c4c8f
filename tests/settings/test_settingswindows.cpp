#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSettings>

#include "testsupport/programwindows.h"
#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "ui/options/optionswindowsettings.h"
#include "ui/options/tform4.h"
#include "ui/settings/settingsgroup.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/stepslider.h"

// The two windows' settings in the settings file, across restarts.
class TestSettingsWindows : public QObject {
    Q_OBJECT
private slots:
    void firstRunWritesEveryValue();
    void fontAndCoarseStepSurviveARestart();
    void optionsSurviveARestart();
    void placementFromAnotherPixelDensityIsIgnored();
    void damagedFileStartsWithDesignValues();
    void unwritableFileIsReportedOnce();
};

namespace {

QString settingsPath(const UiTestEnvironment &env)
{
    return env.configDir.filePath(QStringLiteral("korvanex/vantell.conf"));
}

QString stored(const UiTestEnvironment &env, const QString &key)
{
    QSettings file(settingsPath(env), QSettings::IniFormat);
    const QVariant value = file.value(key);
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                    : value.toString();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

void TestSettingsWindows::firstRunWritesEveryValue()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QVERIFY(!QFile::exists(settingsPath(env)));
    form->close();
    // The options window, never shown, writes its settings as it goes at exit.
    env.stop();
    QSettings file(settingsPath(env), QSettings::IniFormat);
    QStringList keys = file.allKeys();
    keys.sort();
    QCOMPARE(keys, (QStringList{"Form1/Flags",
                                "Form1/FontDialog1_Font/Charset",
                                "Form1/FontDialog1_Font/Color",
                                "Form1/FontDialog1_Font/Height",
                                "Form1/FontDialog1_Font/Name",
                                "Form1/FontDialog1_Font/Orientation",
                                "Form1/FontDialog1_Font/Pitch",
                                "Form1/FontDialog1_Font/Size",
                                "Form1/FontDialog1_Font/Style/fsBold",
                                "Form1/FontDialog1_Font/Style/fsItalic",
                                "Form1/FontDialog1_Font/Style/fsStrikeOut",
                                "Form1/FontDialog1_Font/Style/fsUnderline",
                                "Form1/FormVersion",
                                "Form1/MinMaxPos",
                                "Form1/NormPos",
                                "Form1/PixelsPerInch",
                                "Form1/Timer1_Interval",
                                "Form1/outputscreen_Name",
                                "Form1/speedmod_Value",
                                "Form4/Flags",
                                "Form4/FormVersion",
                                "Form4/MinMaxPos",
                                "Form4/NormPos",
                                "Form4/PixelsPerInch",
                                "Form4/ShowCmd",
                                "Form4/allcaps_ItemIndex",
                                "Form4/mainformlocation_ItemIndex",
                                "Form4/reloadscript_ItemIndex",
                                "Form4/smoothscroll_ItemIndex",
                                "ReadingAids/ClocksOnTalent",
                                "ReadingAids/Countdown",
                                "ReadingAids/CountdownSeconds",
                                "ReadingAids/CueColour",
                                "ReadingAids/CueHeight",
                                "ReadingAids/CueOnPrompter",
                                "ReadingAids/CueOnTalent",
                                "ReadingAids/CueOpacity",
                                "ReadingAids/CueStyle",
                                "ReadingAids/FlashMessages",
                                "ReadingAids/HideMarkers",
                                "ReadingAids/JumpLines",
                                "ReadingAids/WordsPerMinute",
                                "Voice/Enabled",
                                "Voice/Microphone"}));
    QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Name")), QStringLiteral("Arial"));
    QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Height")),
             QString::number(-qRound(24 * screenPixelsPerInch() / 72.0)));
    QCOMPARE(stored(env, QStringLiteral("Form1/Timer1_Interval")), QStringLiteral("300"));
    QCOMPARE(stored(env, QStringLiteral("Form1/PixelsPerInch")), QString::number(screenPixelsPerInch()));
    QCOMPARE(stored(env, QStringLiteral("Form4/ShowCmd")), QStringLiteral("1"));
    QCOMPARE(stored(env, QStringLiteral("Form4/allcaps_ItemIndex")), QStringLiteral("0"));
    QVERIFY(env.dialogs.messages().isEmpty());
}

void TestSettingsWindows::fontAndCoarseStepSurviveARestart()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    form->displayfont = FontSpec{};
    form->displayfont.bold = true;
    form->speedmod->setValue(6);
    form->close();
    QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Name")), QStringLiteral("Arial"));
    QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Size")), QStringLiteral("24"));
    QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Color")), QStringLiteral("clWhite"));
    QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Style/fsBold")), QStringLiteral("TRUE"));
    for (const char *style : {"fsItalic", "fsUnderline", "fsStrikeOut"})
        QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Style/") + QLatin1String(style)),
                 QStringLiteral("FALSE"));
    QCOMPARE(stored(env, QStringLiteral("Form1/speedmod_Value")), QStringLiteral("6"));
    env.stop();

    form = env.start();
    QVERIFY(form->displayfont.bold);
    QCOMPARE(form->speedmod->value(), 6);
    QCOMPARE(form->coarselabel->text(), QStringLiteral("Coarse: 6"));
    // A colour without a name goes in as a number and comes back as the same colour.
    form->displayfont.name = QStringLiteral("Liberation Serif");
    form->displayfont.size = 40;
    form->displayfont.color = QColor(255, 128, 0);
    form->close();
    QCOMPARE(stored(env, QStringLiteral("Form1/FontDialog1_Font/Color")), QStringLiteral("33023"));
    env.stop();

    form = env.start();
    QCOMPARE(form->displayfont.color, QColor(255, 128, 0));
    // The first page is built with the restored font.
    QVERIFY(form->promptstate.pagelines.contains(QStringLiteral("font-size: 40px;")));
    QVERIFY(form->promptstate.pagelines.contains(QStringLiteral("font-family: Liberation Serif;")));
}

void TestSettingsWindows::optionsSurviveARestart()
{
    UiTestEnvironment env;
    env.start();
    TForm4 *options = windows().Form4;
    options->allcaps->setItemIndex(1);
    options->mainformlocation->setItemIndex(1);
    options->smoothscroll->setItemIndex(1);
    options->reloadscript->setItemIndex(1);
    options->setGeometry(120, 90, 521, 720);
    saveSettings(options);
    QCOMPARE(stored(env, QStringLiteral("Form4/NormPos")), QStringLiteral("120,90,641,810"));
    env.stop();

    env.start();
    options = windows().Form4; // restored as it is created
    QCOMPARE(options->allcaps->itemIndex(), 1);
    QCOMPARE(options->mainformlocation->itemIndex(), 1);
    QCOMPARE(options->smoothscroll->itemIndex(), 1);
    QCOMPARE(options->reloadscript->itemIndex(), 1);
    QVERIFY(windows().Form1->displaymodes.smoothScrolling);
    QVERIFY(windows().Form1->displaymodes.reloadChangedScript);
    QCOMPARE(windows().Form1->displaymodes.docking, Docking::Bottom);
    QVERIFY(windows().Form1->displaymodes.capitals);
    QCOMPARE(options->geometry(), QRect(120, 90, 521, 720));
}

void TestSettingsWindows::placementFromAnotherPixelDensityIsIgnored()
{
    UiTestEnvironment env;
    const QByteArray placement = "[Form4]\nNormPos=\"10,20,410,320\"\nPixelsPerInch=";
    QVERIFY(writeFile(settingsPath(env), placement + QByteArray::number(screenPixelsPerInch() + 48) + '\n'));
    env.start();
    restoreSettings(windows().Form4);
    QVERIFY(windows().Form4->geometry().topLeft() != QPoint(10, 20));
    env.stop();

    QVERIFY(writeFile(settingsPath(env), placement + QByteArray::number(screenPixelsPerInch()) + '\n'));
    env.start();
    restoreSettings(windows().Form4);
    QCOMPARE(windows().Form4->geometry().topLeft(), QPoint(10, 20)); // the window's size is fixed
}

void TestSettingsWindows::damagedFileStartsWithDesignValues()
{
    UiTestEnvironment env;
    QByteArray garbage(
        "[Form1]\nspeedmod_Value=@Rect(1 2 3 4)\n[Form1/FontDialog1_Font\nSize=\x01\x02\xff\n");
    for (int i = 0; i < 2048; ++i)
        garbage.append(static_cast<char>((i * 131) % 256));
    QVERIFY(writeFile(settingsPath(env), garbage));
    TForm1 *form = env.start();
    QCOMPARE(form->displayfont, FontSpec());
    QCOMPARE(form->speedmod->value(), 1);
    QCOMPARE(form->Timer1->interval(), 300);
    QVERIFY(env.dialogs.messages().isEmpty());
    form->speedmod->setValue(3);
    form->close();
    QVERIFY(env.dialogs.messages().isEmpty());
    env.stop();
    form = env.start();
    QCOMPARE(form->speedmod->value(), 3);
}

void TestSettingsWindows::unwritableFileIsReportedOnce()
{
    UiTestEnvironment env;
    // A folder where the file should be: it can be neither read nor replaced (even by root).
    QVERIFY(QDir().mkpath(settingsPath(env)));
    TForm1 *form = env.start();
    QCOMPARE(form->displayfont, FontSpec());
    restoreSettings(windows().Form4);
    windows().Form4->ListBox1->addItem(QStringLiteral("/a.txt"));
    form->close();
    const QString expected = QStringLiteral("Unable to create key '%1 [Form1]'").arg(settingsPath(env));
    QCOMPARE(env.dialogs.messages(), QStringList{expected});
    // Closing went on: the queue was emptied all the same.
    QCOMPARE(windows().Form4->ListBox1->count(), 0);
    saveSettings(windows().Form4);
    env.stop();
    QCOMPARE(env.dialogs.messages(), QStringList{expected});
}

VANTELL_UI_TEST_MAIN(TestSettingsWindows)
#include "test_settingswindows.moc"
