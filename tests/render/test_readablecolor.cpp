#include "core/render/readablecolor.h"
#include "testsupport/testmain.h"

// Which colours a page shows its text in: the document's own where they read, the same hue lighter
// (on the black page) or darker (on paper) where they do not, and the page's foreground for greys.
class TestReadableColor : public QObject {
    Q_OBJECT
private slots:
    void contrastRatios_data();
    void contrastRatios();
    void coloursOfPaperOnTheBlackPage_data();
    void coloursOfPaperOnTheBlackPage();
    void lightColoursOnPaper_data();
    void lightColoursOnPaper();
};

namespace {
const QColor black(Qt::black), white(Qt::white);

// What the rule promises of `shown`, the colour `colour` is shown in on `background`: it reads,
// and a colour that read already, or a hue, is kept.
void checkShown(const QColor &colour, const QColor &background, const QColor &shown, const QColor &foreground)
{
    QVERIFY2(contrastratio(shown, background) >= readableContrast,
             qPrintable(QStringLiteral("%1 shown as %2: contrast %3")
                            .arg(colour.name(), shown.name())
                            .arg(contrastratio(shown, background))));
    if (contrastratio(colour, background) >= readableContrast) {
        QCOMPARE(shown, colour);
    } else if (colour.toHsl().hslSaturationF() < 0.12) {
        QCOMPARE(shown, foreground);
    } else {
        QVERIFY2(qAbs(shown.toHsl().hslHueF() - colour.toHsl().hslHueF()) < 0.01,
                 qPrintable(QStringLiteral("%1 shown as %2").arg(colour.name(), shown.name())));
        // Just as much as it needs: a step less would not read.
        QColor less = shown.toHsl();
        const float lightness = less.lightnessF() + (qGray(background.rgb()) < 128 ? -0.02f : 0.02f);
        less.setHslF(less.hslHueF(), less.hslSaturationF(), lightness);
        QVERIFY(contrastratio(less, background) < readableContrast);
    }
}
} // namespace

void TestReadableColor::contrastRatios_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black and white") << black << white << 21.0;
    QTest::newRow("either way round") << white << black << 21.0;
    QTest::newRow("the same") << QColor(0x12, 0x34, 0x56) << QColor(0x12, 0x34, 0x56) << 1.0;
    QTest::newRow("mid grey on black") << QColor(0x80, 0x80, 0x80) << black << 5.32;
    QTest::newRow("pure blue on black") << QColor(Qt::blue) << black << 2.44;
}

void TestReadableColor::contrastRatios()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrastratio(a, b) - ratio) < 0.01, qPrintable(QString::number(contrastratio(a, b))));
}

void TestReadableColor::coloursOfPaperOnTheBlackPage_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("pure blue is a lighter blue") << QColor(Qt::blue) << QColor(0x5E, 0x5E, 0xFF);
    QTest::newRow("navy the same light blue") << QColor(0, 0, 0x80) << QColor(0x5E, 0x5E, 0xFF);
    QTest::newRow("Word's dark title blue") << QColor(0x1F, 0x38, 0x64) << QColor();
    QTest::newRow("dark green a green") << QColor(0, 0x64, 0) << QColor();
    QTest::newRow("dark red a red") << QColor(0x80, 0, 0) << QColor();
    QTest::newRow("yellow is kept") << QColor(Qt::yellow) << QColor(Qt::yellow);
    QTest::newRow("orange is kept") << QColor(0xFF, 0xB0, 0) << QColor(0xFF, 0xB0, 0);
    QTest::newRow("white is kept") << white << white;
    QTest::newRow("black is the foreground") << black << white;
    QTest::newRow("dark grey is the foreground") << QColor(0x40, 0x40, 0x40) << white;
    QTest::newRow("light grey is kept") << QColor(0xC0, 0xC0, 0xC0) << QColor(0xC0, 0xC0, 0xC0);
}

void TestReadableColor::coloursOfPaperOnTheBlackPage()
{
    QFETCH(QColor, colour);
    QFETCH(QColor, shown);
    const QColor onPage = readablecolor(colour, black, white);
    if (shown.isValid())
        QVERIFY2(qAbs(onPage.red() - shown.red()) <= 3 && qAbs(onPage.green() - shown.green()) <= 3 &&
                     qAbs(onPage.blue() - shown.blue()) <= 3,
                 qPrintable(onPage.name()));
    checkShown(colour, black, onPage, white);
}

void TestReadableColor::lightColoursOnPaper_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::newRow("yellow") << QColor(Qt::yellow);
    QTest::newRow("light cyan") << QColor(0xA0, 0xFF, 0xFF);
    QTest::newRow("orange") << QColor(0xFF, 0xB0, 0);
    QTest::newRow("white") << white;
    QTest::newRow("black is kept") << black;
    QTest::newRow("pure blue is kept") << QColor(Qt::blue);
}

void TestReadableColor::lightColoursOnPaper()
{
    QFETCH(QColor, colour);
    checkShown(colour, white, readablecolor(colour, white, black), black);
}

VANTELL_CORE_TEST_MAIN(TestReadableColor)
#include "test_readablecolor.moc"
