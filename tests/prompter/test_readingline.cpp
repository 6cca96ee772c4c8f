#include <QAction>
#include <QMenu>

#include "ui/browser/browser.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/tform1.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/toolimage.h"
#include "testsupport/features.h"
#include "ui/readingaids/readingaids.h"

// The reading line by pixels on both displays: where it is drawn, in its colour, and that the
// text keeps clear of it.
class TestReadingLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void offByDefaultAndTheTextUsesTheWholeWidth();
    void arrowOnThePrompterAtAThirdOfThePage();
    void bandOnTheTalentDisplayOnly();
    void keptBetweenRuns();

private:
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

namespace {

// The cue's colour as it shows over the black page at the cue's opacity.
QColor overBlack(const ReadingLine &line)
{
    const double alpha = line.opacity / 100.0;
    return QColor(int(line.colour.red() * alpha), int(line.colour.green() * alpha),
                  int(line.colour.blue() * alpha));
}

bool isCue(QColor c, QColor cue)
{
    return std::abs(c.red() - cue.red()) < 40 && std::abs(c.green() - cue.green()) < 40 &&
           std::abs(c.blue() - cue.blue()) < 40 && c != Qt::black;
}

// The rows (from the top) where column range [x0, x1) of `image` shows the cue's colour.
QList<int> cueRows(const QImage &image, int x0, int x1, QColor cue)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x)
            if (isCue(image.pixelColor(x, y), cue)) {
                rows << y;
                break;
            }
    return rows;
}

// The leftmost column with text (bright pixels) in `image`, or -1.
int textStart(const QImage &image)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) > 200)
                return x;
    return -1;
}

QImage shown(QWidget *widget)
{
    runEventsFor(300); // the next frame of the page, with the cue over it
    return widget->grab().toImage();
}

} // namespace

void TestReadingLine::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QStringList script;
    for (int i = 0; i < 200; ++i)
        script << QStringLiteral("Line %1 of the script for the reading line").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
}

void TestReadingLine::cleanupTestCase()
{
    delete m_env;
}

void TestReadingLine::offByDefaultAndTheTextUsesTheWholeWidth()
{
    QVERIFY(!feature<ReadingAids>(m_form).values().readingLine.onPrompter);
    const QImage page = shown(m_form->wb1);
    QVERIFY(cueRows(page, 0, 40, overBlack(feature<ReadingAids>(m_form).values().readingLine)).isEmpty());
    QVERIFY(textStart(page) < ReadingLine::gutter);
}

void TestReadingLine::arrowOnThePrompterAtAThirdOfThePage()
{
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_F12);
    QVERIFY(feature<ReadingAids>(m_form).values().readingLine.onPrompter);
    QVERIFY(named<QAction>(m_form, "CueOnPrompter1")->isChecked());
    const QColor cue = overBlack(feature<ReadingAids>(m_form).values().readingLine);
    QImage page;
    // The page gives its margins to the cue: the text moves right, clear of it.
    WAIT_VERIFY(textStart(page = shown(m_form->wb1)) >= ReadingLine::gutter);
    const QList<int> rows = cueRows(page, 0, ReadingLine::gutter, cue);
    QVERIFY(!rows.isEmpty());
    const int middle = (rows.first() + rows.last()) / 2;
    QVERIFY2(std::abs(middle - page.height() / 3) <= 2, qPrintable(QString::number(middle)));
    // Nowhere outside the gutter.
    QVERIFY(cueRows(page, ReadingLine::gutter, page.width(), cue).isEmpty());
    // A half way down cue from the menu.
    named<QAction>(m_form, "CueHalf1")->trigger();
    const QList<int> half = cueRows(shown(m_form->wb1), 0, ReadingLine::gutter, cue);
    QVERIFY(!half.isEmpty());
    QVERIFY(std::abs((half.first() + half.last()) / 2 - page.height() / 2) <= 2);
    named<QAction>(m_form, "CueThird1")->trigger();
}

void TestReadingLine::bandOnTheTalentDisplayOnly()
{
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_F12); // off on the prompter
    QVERIFY(!feature<ReadingAids>(m_form).values().readingLine.onPrompter);
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    Browser *talent = m_form->outputwindow()->outputpage;
    WAIT_VERIFY(talent->isDocumentComplete());
    named<QAction>(m_form, "CueOnTalent1")->trigger();
    named<QAction>(m_form, "CueBand1")->trigger();
    const QList<QAction *> colours = named<QMenu>(m_form, "CueColour1")->actions();
    colours.at(4)->trigger(); // cyan
    QCOMPARE(feature<ReadingAids>(m_form).values().readingLine.colour, QColor(64, 208, 255));
    const QColor cue = overBlack(feature<ReadingAids>(m_form).values().readingLine);
    const int gutter = int(ReadingLine::gutter * talent->pageScale());
    QImage page;
    WAIT_VERIFY(textStart(page = shown(talent)) >= gutter);
    const QList<int> left = cueRows(page, 0, gutter, cue);
    const QList<int> right = cueRows(page, page.width() - gutter, page.width(), cue);
    QVERIFY(!left.isEmpty());
    QCOMPARE(left, right);
    QVERIFY(std::abs((left.first() + left.last()) / 2 - page.height() / 3) <= 2);
    QVERIFY(cueRows(page, gutter, page.width() - gutter, cue).isEmpty());
    // The prompter shows none, but keeps the same margins so both break their lines alike.
    const QImage prompter = shown(m_form->wb1);
    QVERIFY(cueRows(prompter, 0, prompter.width(), cue).isEmpty());
    QVERIFY(textStart(prompter) >= ReadingLine::gutter);
}

void TestReadingLine::keptBetweenRuns()
{
    const ReadingLine before = feature<ReadingAids>(m_form).values().readingLine;
    m_form->close();
    m_env->stop();
    m_form = m_env->start();
    QCOMPARE(feature<ReadingAids>(m_form).values().readingLine, before);
    QVERIFY(named<QAction>(m_form, "CueBand1")->isChecked());
    QVERIFY(named<QAction>(m_form, "CueOnTalent1")->isChecked());
    QVERIFY(!named<QAction>(m_form, "CueOnPrompter1")->isChecked());
}

VANTELL_UI_TEST_MAIN(TestReadingLine)
#include "test_readingline.moc"
