#include <QRect>
#include <QSettings>
#include <QTemporaryDir>

#include "core/settings/charsetnames.h"
#include "core/settings/colornames.h"
#include "core/settings/newsroomsettings.h"
#include "core/settings/optionssettings.h"
#include "core/settings/promptersettings.h"
#include "core/settings/serviceaddresses.h"
#include "core/settings/storedvalue.h"
#include "core/settings/windowplacement.h"
#include "testsupport/testmain.h"

// The stored form of the settings: identifier tables, tolerant reading, placement texts, and
// both windows' groups written and read back.
class TestSettingsValues : public QObject {
    Q_OBJECT
private slots:
    void init();

    void colorIdentifiers_data();
    void colorIdentifiers();
    void colorsFromValues();
    void charsetIdentifiers_data();
    void charsetIdentifiers();
    void integers_data();
    void integers();
    void booleans_data();
    void booleans();

    void placementTexts();
    void unreadableNormPosNumbersKeepTheCurrentEdges();
    void showCmdStates_data();
    void showCmdStates();

    void designValuesAreWrittenInFull();
    void boldArialIsStoredAsNamedValues();
    void colourWithoutANameIsStoredAsANumber();
    void prompterSettingsRoundTrip();
    void wrongValuesKeepTheirDesignValues();
    void heightAloneSetsTheSize();
    void placementFromAnotherPixelDensityIsIgnored();
    void negativeFormVersionReadsNothing();
    void corruptFileReadsAsDesignValues();
    void optionsRoundTripAndRanges();
    void minimizedOptionsWindowOpensNormal();
    void newsroomRoundTripAndWrongValues();

    void startPageAndHelpAddresses();

private:
    QSettings *store(const QByteArray &content = {});
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
    int m_files = 0;
};

namespace {
constexpr int ppi = 96;

QVariant value(QSettings &settings, const QString &key)
{
    return settings.value(key);
}
} // namespace

void TestSettingsValues::init()
{
    m_settings.reset();
}

QSettings *TestSettingsValues::store(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("store%1.conf").arg(++m_files));
    if (!content.isNull()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return nullptr;
        file.write(content);
    }
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    return m_settings.get();
}

void TestSettingsValues::colorIdentifiers_data()
{
    QTest::addColumn<QString>("ident");
    QTest::addColumn<quint32>("value");
    QTest::newRow("black") << "clBlack" << 0x000000u;
    QTest::newRow("red is the low byte") << "clRed" << 0x0000FFu;
    QTest::newRow("blue is the high byte") << "clBlue" << 0xFF0000u;
    QTest::newRow("white") << "clWhite" << 0xFFFFFFu;
    QTest::newRow("sky blue") << "clSkyBlue" << 0xF0CAA6u;
    QTest::newRow("system window text") << "clWindowText" << 0xFF000008u;
    QTest::newRow("system scroll bar, index 0") << "clScrollBar" << 0xFF000000u;
    QTest::newRow("3-D dark shadow") << "cl3DDkShadow" << 0xFF000015u;
    QTest::newRow("none") << "clNone" << 0x1FFFFFFFu;
    QTest::newRow("default") << "clDefault" << 0x20000000u;
}

void TestSettingsValues::colorIdentifiers()
{
    QFETCH(QString, ident);
    QFETCH(quint32, value);
    QCOMPARE(colorident(value), ident);
    QCOMPARE(identtocolor(ident), std::optional<quint32>(value));
    QCOMPARE(identtocolor(ident.toUpper()), std::optional<quint32>(value));
}

void TestSettingsValues::colorsFromValues()
{
    QCOMPARE(colorvalue(QColor(255, 128, 0)), 0x0080FFu);
    QCOMPARE(colorident(colorvalue(QColor(255, 128, 0))), QString());
    QCOMPARE(colorfromvalue(0x0080FF, {}), std::optional<QColor>(QColor(255, 128, 0)));
    QCOMPARE(identtocolor(QStringLiteral("clOrange")), std::nullopt);
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    QCOMPARE(colorfromvalue(0xFF000008, palette), std::optional<QColor>(QColor(1, 2, 3)));
    // Values that name no colour of their own leave the colour alone.
    QCOMPARE(colorfromvalue(0x1FFFFFFF, palette), std::nullopt);
    QCOMPARE(colorfromvalue(0x20000000, palette), std::nullopt);
    QCOMPARE(colorfromvalue(0xFF0000FE, palette), std::nullopt);
}

void TestSettingsValues::charsetIdentifiers_data()
{
    QTest::addColumn<QString>("ident");
    QTest::addColumn<int>("charset");
    QTest::newRow("ansi") << "ANSI_CHARSET" << 0;
    QTest::newRow("default") << "DEFAULT_CHARSET" << 1;
    QTest::newRow("mac") << "MAC_CHARSET" << 77;
    QTest::newRow("russian") << "RUSSIAN_CHARSET" << 204;
    QTest::newRow("east europe") << "EASTEUROPE_CHARSET" << 238;
    QTest::newRow("oem") << "OEM_CHARSET" << 255;
}

void TestSettingsValues::charsetIdentifiers()
{
    QFETCH(QString, ident);
    QFETCH(int, charset);
    QCOMPARE(charsetident(charset), ident);
    QCOMPARE(identtocharset(ident.toLower()), std::optional<int>(charset));
    QCOMPARE(charsetident(3), QString());
}

void TestSettingsValues::integers_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<qint64>("number");
    QTest::newRow("decimal") << QVariant(QStringLiteral("24")) << true << 24ll;
    QTest::newRow("blanks and sign") << QVariant(QStringLiteral(" -32 ")) << true << -32ll;
    QTest::newRow("plus sign") << QVariant(QStringLiteral("+7")) << true << 7ll;
    QTest::newRow("dollar hex") << QVariant(QStringLiteral("$FF000008")) << true << 0xFF000008ll;
    QTest::newRow("0x hex") << QVariant(QStringLiteral("0x1f")) << true << 31ll;
    QTest::newRow("unsigned DWORD") << QVariant(QStringLiteral("4294967295")) << true << 4294967295ll;
    QTest::newRow("a number already") << QVariant(300) << true << 300ll;
    QTest::newRow("empty") << QVariant(QString()) << false << 0ll;
    QTest::newRow("word") << QVariant(QStringLiteral("big")) << false << 0ll;
    QTest::newRow("fraction") << QVariant(QStringLiteral("1.5")) << false << 0ll;
    QTest::newRow("two signs") << QVariant(QStringLiteral("--5")) << false << 0ll;
    QTest::newRow("split by commas") << QVariant(QStringList{"1", "2"}) << false << 0ll;
    QTest::newRow("not text") << QVariant(QRect(1, 2, 3, 4)) << false << 0ll;
    QTest::newRow("missing") << QVariant() << false << 0ll;
}

void TestSettingsValues::integers()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, readable);
    QFETCH(qint64, number);
    QCOMPARE(storedinteger(stored), readable ? std::optional<qint64>(number) : std::nullopt);
}

void TestSettingsValues::booleans_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected"); // -1 unreadable
    for (const char *yes : {"TRUE", "true", "Yes", "y", "1", "-1"})
        QTest::newRow(yes) << QString::fromLatin1(yes) << 1;
    for (const char *no : {"FALSE", "False", "NO", "n", "0"})
        QTest::newRow(no) << QString::fromLatin1(no) << 0;
    for (const char *neither : {"maybe", "", "T", "yess"})
        QTest::newRow(neither[0] ? neither : "empty") << QString::fromLatin1(neither) << -1;
}

void TestSettingsValues::booleans()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    const std::optional<bool> read = storedboolean(stored);
    QCOMPARE(read.has_value(), expected >= 0);
    if (read)
        QCOMPARE(*read, expected == 1);
}

void TestSettingsValues::placementTexts()
{
    WindowPlacement placement;
    placement.maxPosition = QPoint(-8, -8);
    QCOMPARE(minmaxpostext(placement), QStringLiteral("-1,-1,-8,-8"));
    QCOMPARE(normpostext(QRect(10, 20, 981, 250)), QStringLiteral("10,20,991,270"));
    WindowPlacement read;
    readminmaxpos(QStringLiteral("3,x,5"), read);
    QCOMPARE(read.minPosition, QPoint(3, 0));
    QCOMPARE(read.maxPosition, QPoint(5, 0));
    QCOMPARE(readnormpos(QStringLiteral("10,20,991,270"), {}), QRect(10, 20, 981, 250));
}

void TestSettingsValues::unreadableNormPosNumbersKeepTheCurrentEdges()
{
    // Each unreadable number keeps that edge of the current rectangle (its right and bottom, not
    // its width and height, which would be coordinates of another kind).
    const QRect current(100, 50, 400, 300);
    QCOMPARE(readnormpos(QStringLiteral("10,20,x,"), current), QRect(QPoint(10, 20), QPoint(499, 349)));
    QCOMPARE(readnormpos(QStringLiteral("?,?,600,400"), current), QRect(QPoint(100, 50), QPoint(599, 399)));
}

void TestSettingsValues::showCmdStates_data()
{
    QTest::addColumn<int>("showCmd");
    QTest::addColumn<int>("state");
    for (int normal : {1, 5, 9, 0, 4, 8, 10, -1})
        QTest::addRow("%d normal", normal) << normal << int(WindowPlacement::Normal);
    for (int minimized : {2, 6, 7})
        QTest::addRow("%d minimized", minimized) << minimized << int(WindowPlacement::Minimized);
    QTest::newRow("3 maximized") << 3 << int(WindowPlacement::Maximized);
}

void TestSettingsValues::showCmdStates()
{
    QFETCH(int, showCmd);
    QFETCH(int, state);
    QCOMPARE(showcmdstate(showCmd), state);
}

void TestSettingsValues::designValuesAreWrittenInFull()
{
    QSettings *settings = store();
    PrompterSettings design;
    design.placement.normal = QRect(0, 0, 981, 356);
    writepromptersettings(*settings, design, ppi);
    settings->sync();
    const QList<std::pair<const char *, QString>> expected{
        {"Form1/FormVersion", "0"},
        {"Form1/Flags", "0"},
        {"Form1/PixelsPerInch", "96"},
        {"Form1/MinMaxPos", "-1,-1,-1,-1"},
        {"Form1/NormPos", "0,0,981,356"},
        {"Form1/FontDialog1_Font/Charset", "DEFAULT_CHARSET"},
        {"Form1/FontDialog1_Font/Color", "clWhite"},
        {"Form1/FontDialog1_Font/Height", "-32"},
        {"Form1/FontDialog1_Font/Name", "Arial"},
        {"Form1/FontDialog1_Font/Orientation", "0"},
        {"Form1/FontDialog1_Font/Pitch", "fpDefault"},
        {"Form1/FontDialog1_Font/Size", "24"},
        {"Form1/FontDialog1_Font/Style/fsBold", "FALSE"},
        {"Form1/FontDialog1_Font/Style/fsItalic", "FALSE"},
        {"Form1/FontDialog1_Font/Style/fsUnderline", "FALSE"},
        {"Form1/FontDialog1_Font/Style/fsStrikeOut", "FALSE"},
        {"Form1/speedmod_Value", "1"},
        {"Form1/Timer1_Interval", "300"},
        {"Form1/outputscreen_Name", ""},
    };
    // Read back from the file as another program would see it.
    QSettings file(settings->fileName(), QSettings::IniFormat);
    QStringList keys = file.allKeys();
    for (const auto &[key, text] : expected) {
        QCOMPARE(storedtext(file.value(QLatin1String(key))).value_or(QStringLiteral("<missing>")), text);
        keys.removeOne(QLatin1String(key));
    }
    QCOMPARE(keys, QStringList());
}

void TestSettingsValues::boldArialIsStoredAsNamedValues()
{
    QSettings *settings = store();
    PrompterSettings values;
    values.font.name = QStringLiteral("Arial");
    values.font.size = 24;
    values.font.bold = true;
    values.font.color = Qt::white;
    writepromptersettings(*settings, values, ppi);
    settings->beginGroup(QStringLiteral("Form1/FontDialog1_Font"));
    QCOMPARE(value(*settings, QStringLiteral("Name")).toString(), QStringLiteral("Arial"));
    QCOMPARE(value(*settings, QStringLiteral("Size")).toInt(), 24);
    QCOMPARE(value(*settings, QStringLiteral("Color")).toString(), QStringLiteral("clWhite"));
    QCOMPARE(value(*settings, QStringLiteral("Style/fsBold")).toString(), QStringLiteral("TRUE"));
    for (const char *other : {"Style/fsItalic", "Style/fsUnderline", "Style/fsStrikeOut"})
        QCOMPARE(value(*settings, QLatin1String(other)).toString(), QStringLiteral("FALSE"));
}

void TestSettingsValues::colourWithoutANameIsStoredAsANumber()
{
    QSettings *settings = store();
    PrompterSettings values;
    values.font.color = QColor(255, 128, 0);
    values.font.charset = 3;
    writepromptersettings(*settings, values, ppi);
    settings->sync();
    QSettings file(settings->fileName(), QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("Form1/FontDialog1_Font/Color")).toString(), QStringLiteral("33023"));
    QCOMPARE(file.value(QStringLiteral("Form1/FontDialog1_Font/Charset")).toString(), QStringLiteral("3"));
}

void TestSettingsValues::prompterSettingsRoundTrip()
{
    QSettings *settings = store();
    PrompterSettings written;
    written.placement.normal = QRect(40, 60, 800, 250);
    written.placement.maxPosition = QPoint(0, 0);
    written.font = {QStringLiteral("Liberation Serif"),
                    48,
                    QColor(255, 128, 0),
                    true,
                    true,
                    true,
                    true,
                    204,
                    FontSpec::Pitch::Fixed,
                    900};
    written.coarseStep = 7;
    written.tickInterval = 41;
    written.outputScreen = QStringLiteral("HDMI-2");
    writepromptersettings(*settings, written, ppi);
    PrompterSettings read;
    QVERIFY(readpromptersettings(*settings, read, ppi, {}));
    QCOMPARE(read, written);
}

void TestSettingsValues::wrongValuesKeepTheirDesignValues()
{
    QSettings *settings = store("[Form1]\n"
                                "speedmod_Value=11\n"
                                "Timer1_Interval=0\n"
                                "outputscreen_Name=@Rect(1 2 3 4)\n"
                                "NormPos=\"1,2,3\"\n"
                                "[Form1/FontDialog1_Font]\n"
                                "Charset=NO_SUCH_CHARSET\n"
                                "Color=clNotAColour\n"
                                "Name=\n"
                                "Pitch=fpWobbly\n"
                                "Size=big\n"
                                "Orientation=@Rect(1 2 3 4)\n"
                                "[Form1/FontDialog1_Font/Style]\n"
                                "fsBold=maybe\n"
                                "fsItalic=yes\n");
    PrompterSettings read;
    const PrompterSettings design;
    QVERIFY(!readpromptersettings(*settings, read, ppi, {}));
    FontSpec expected = design.font;
    expected.italic = true; // the one readable value
    QCOMPARE(read.font, expected);
    QCOMPARE(read.coarseStep, 1);
    QCOMPARE(read.tickInterval, 300);
    QCOMPARE(read.outputScreen, QString());
}

void TestSettingsValues::heightAloneSetsTheSize()
{
    QSettings *settings = store("[Form1/FontDialog1_Font]\nHeight=-64\n");
    PrompterSettings read;
    readpromptersettings(*settings, read, ppi, {});
    QCOMPARE(read.font.size, 48);
    QSettings *both = store("[Form1/FontDialog1_Font]\nHeight=-64\nSize=30\n");
    readpromptersettings(*both, read, ppi, {});
    QCOMPARE(read.font.size, 30);
}

void TestSettingsValues::placementFromAnotherPixelDensityIsIgnored()
{
    PrompterSettings current;
    current.placement.normal = QRect(0, 0, 981, 356);
    QSettings *other = store("[Form1]\nPixelsPerInch=144\nNormPos=\"10,20,410,320\"\nspeedmod_Value=4\n");
    PrompterSettings read = current;
    QVERIFY(!readpromptersettings(*other, read, ppi, {}));
    QCOMPARE(read.placement.normal, current.placement.normal);
    QCOMPARE(read.coarseStep, 4); // the properties are read all the same
    QSettings *same = store("[Form1]\nPixelsPerInch=96\nNormPos=\"10,20,410,320\"\n");
    read = current;
    QVERIFY(readpromptersettings(*same, read, ppi, {}));
    QCOMPARE(read.placement.normal, QRect(10, 20, 400, 300));
    QSettings *backwards = store("[Form1]\nPixelsPerInch=96\nNormPos=\"410,20,10,320\"\n");
    read = current;
    QVERIFY(!readpromptersettings(*backwards, read, ppi, {}));
}

void TestSettingsValues::negativeFormVersionReadsNothing()
{
    QSettings *settings = store("[Form1]\nFormVersion=-1\nspeedmod_Value=4\n");
    PrompterSettings read;
    readpromptersettings(*settings, read, ppi, {});
    QCOMPARE(read.coarseStep, 1);
}

void TestSettingsValues::corruptFileReadsAsDesignValues()
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    QSettings *settings = store(garbage);
    PrompterSettings read;
    readpromptersettings(*settings, read, ppi, {});
    QCOMPARE(read, PrompterSettings());
    OptionsSettings options;
    readoptionssettings(*settings, options, ppi);
    QCOMPARE(options, OptionsSettings());
}

void TestSettingsValues::optionsRoundTripAndRanges()
{
    QSettings *settings = store();
    OptionsSettings written;
    written.placement.normal = QRect(300, 200, 501, 422);
    written.placement.showCmd = WindowPlacement::Maximized;
    written.allcaps = 1;
    written.mainformlocation = 1;
    written.reloadscript = 1;
    writeoptionssettings(*settings, written, ppi);
    QCOMPARE(settings->value(QStringLiteral("Form4/ShowCmd")).toInt(), 3);
    OptionsSettings read;
    QVERIFY(readoptionssettings(*settings, read, ppi));
    QCOMPARE(read, written);

    QSettings *outOfRange =
        store("[Form4]\nallcaps_ItemIndex=2\nmainformlocation_ItemIndex=-1\nreloadscript_ItemIndex=yes\n");
    OptionsSettings kept;
    readoptionssettings(*outOfRange, kept, ppi);
    QCOMPARE(kept.allcaps, 0);
    QCOMPARE(kept.mainformlocation, 0);
    QCOMPARE(kept.reloadscript, 0);
}

void TestSettingsValues::minimizedOptionsWindowOpensNormal()
{
    QSettings *settings = store("[Form4]\nShowCmd=2\n");
    OptionsSettings read;
    readoptionssettings(*settings, read, ppi);
    QCOMPARE(read.placement.showCmd, int(WindowPlacement::Normal));
}

void TestSettingsValues::newsroomRoundTripAndWrongValues()
{
    QSettings *settings = store();
    NewsroomSettings written;
    written.enabled = true;
    written.lowerPort = 20540;
    written.upperPort = 20541;
    written.deviceId = QStringLiteral("PROMPTER.STUDIO2");
    written.hideInstructions = true;
    written.listenAddress = QStringLiteral("127.0.0.1");
    written.ncsId = QStringLiteral("NCS.NEWSROOM");
    written.allowedAddresses = QStringLiteral("10.0.0.5, 10.0.0.6, ::1");
    written.ncsPort = 30540;
    writenewsroomsettings(*settings, written);
    NewsroomSettings read;
    readnewsroomsettings(*settings, read);
    QCOMPARE(read, written);

    // Ports out of range or the same, an empty or overlong ID: the defaults stay.
    QSettings *wrong =
        store("[Newsroom]\nEnabled=maybe\nLowerPort=0\nUpperPort=70000\nDeviceID=\nNcsPort=65536\n");
    NewsroomSettings kept;
    readnewsroomsettings(*wrong, kept);
    QCOMPARE(kept, NewsroomSettings());
    QSettings *same =
        store("[Newsroom]\nLowerPort=9000\nUpperPort=9000\nDeviceID=" + QByteArray(129, 'x') + "\n");
    readnewsroomsettings(*same, kept);
    QCOMPARE(kept, NewsroomSettings());
    QSettings *yes = store("[Newsroom]\nEnabled=YES\nHideInstructions=1\n");
    readnewsroomsettings(*yes, kept);
    QVERIFY(kept.enabled && kept.hideInstructions);
    // Without them, any newsroom system from any address, as before they were there.
    QCOMPARE(kept.ncsId, QString());
    QCOMPARE(kept.allowedAddresses, QString());

    // Written by hand without quotes, the store splits the list at its commas: it is read whole.
    QSettings *byHand = store("[Newsroom]\nNcsID= NCS1 \nAllowedAddresses=10.0.0.5, 10.0.0.6,::1\n");
    readnewsroomsettings(*byHand, kept);
    QCOMPARE(kept.ncsId, QStringLiteral("NCS1"));
    QCOMPARE(kept.allowedAddresses.split(QLatin1Char(',')).size(), 3);
    QVERIFY(kept.allowedAddresses.contains(QLatin1String("10.0.0.6")));
}

void TestSettingsValues::startPageAndHelpAddresses()
{
    QCOMPARE(webquery(QStringLiteral("2.2.1"), QStringLiteral("H")), QStringLiteral("?v=2.2.1&t=H"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("korvanex"),
                       QStringLiteral("vantell"));
        user.setValue(QStringLiteral("Service/SiteUrl"), QStringLiteral("https://site.test/prefix/"));
        user.setValue(QStringLiteral("Service/HelpUrl"), QStringLiteral("not an address"));
    }
    qputenv("VANTELL_PROBE_URL", "http://127.0.0.1:1/");
    const ServiceAddresses addresses = ServiceAddresses::load();
    qunsetenv("VANTELL_PROBE_URL");
    QCOMPARE(addresses.startpage(QStringLiteral("?v=2.2.1&t=H")),
             QUrl(QStringLiteral("https://site.test/vantell/cgi/vn2.cgi?v=2.2.1&t=H")));
    // An address that is none falls back to the program's own service.
    QCOMPARE(addresses.helppage(), QUrl(QStringLiteral("http://127.0.0.1:8467/help/")));
    QCOMPARE(addresses.probe, QUrl(QStringLiteral("http://127.0.0.1:1/")));
}

VANTELL_CORE_TEST_MAIN(TestSettingsValues)
#include "test_settingsvalues.moc"
