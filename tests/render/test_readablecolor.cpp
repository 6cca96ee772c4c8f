#include "core/render/readablecolor.h"
#include "testsupport/testmain.h"

// Which colours a page can show its text in, and which it must replace by its own foreground.
class TestReadableColor : public QObject {
    Q_OBJECT
private slots:
    void contrastRatios_data();
    void contrastRatios();
    void unreadableColoursBecomeTheForeground_data();
    void unreadableColoursBecomeTheForeground();
};

void TestReadableColor::contrastRatios_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black and white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("either way round") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("the same") << QColor(0x12, 0x34, 0x56) << QColor(0x12, 0x34, 0x56) << 1.0;
    QTest::newRow("mid grey on black") << QColor(0x80, 0x80, 0x80) << QColor(Qt::black) << 5.32;
}

void TestReadableColor::contrastRatios()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrastratio(a, b) - ratio) < 0.01, qPrintable(QString::number(contrastratio(a, b))));
}

void TestReadableColor::unreadableColoursBecomeTheForeground_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("shown");
    const QColor black(Qt::black), white(Qt::white);
    QTest::newRow("black on black") << black << black << white;
    QTest::newRow("navy on black") << QColor(0, 0, 0x80) << black << white;
    QTest::newRow("dark red on black is kept") << QColor(0x80, 0, 0) << black << QColor(0x80, 0, 0);
    QTest::newRow("orange on black is kept") << QColor(0xFF, 0xB0, 0) << black << QColor(0xFF, 0xB0, 0);
    QTest::newRow("white on white") << white << white << black;
    QTest::newRow("yellow on white") << QColor(Qt::yellow) << white << black;
}

void TestReadableColor::unreadableColoursBecomeTheForeground()
{
    QFETCH(QColor, colour);
    QFETCH(QColor, background);
    QFETCH(QColor, shown);
    const QColor foreground = qGray(background.rgb()) < 128 ? QColor(Qt::white) : QColor(Qt::black);
    QCOMPARE(readablecolor(colour, background, foreground), shown);
}

VANTELL_CORE_TEST_MAIN(TestReadableColor)
#include "test_readablecolor.moc"
