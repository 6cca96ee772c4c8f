#include <QTest>

#include "core/rundown/storyplaces.h"
#include "testsupport/testmain.h"

// Where the stories of a continuous page stand: which one the reading line is in, where a jump
// to a story goes, and how much of the show is left to read, upright and turned.
class TestStoryPlaces : public QObject {
    Q_OBJECT
private slots:
    void theStoryOnAirIsTheOneTheReadingLineIsIn();
    void jumpsPutTheBannerAtTheReadingLine();
    void nextAndPreviousGoFromStoryToStory();
    void turnedPagesRunUpwards();
    void wordsLeftCountTheRestOfTheStoryAndAllAfter();
    void aPageWithoutStories();
};

namespace {

// Three stories of 400, 200 and 600 pixels, each banner 30 pixels high, in a view 300 pixels
// high over a page of 1,200 pixels and its tail.
StoryLayout upright()
{
    StoryLayout layout;
    layout.keys = {10, 11, 12};
    layout.bannerTops = {0, 400, 600};
    layout.bannerBottoms = {30, 430, 630};
    layout.storyTops = {0, 400, 600};
    layout.storyBottoms = {400, 600, 1200};
    layout.viewHeight = 300;
    layout.bottom = 1200;
    return layout;
}

// The same show on a page turned upside down: the show starts at the bottom, each story's banner
// at the bottom of its element.
StoryLayout turned()
{
    StoryLayout layout = upright();
    const int height = 1500;
    for (int i = 0; i < layout.count(); ++i) {
        layout.bannerTops[i] = height - upright().bannerBottoms.at(i);
        layout.bannerBottoms[i] = height - upright().bannerTops.at(i);
        layout.storyTops[i] = height - upright().storyBottoms.at(i);
        layout.storyBottoms[i] = height - upright().storyTops.at(i);
    }
    return layout;
}

const ReadingView third{1.0 / 3, false};
const ReadingView thirdTurned{1.0 / 3, true};

} // namespace

void TestStoryPlaces::theStoryOnAirIsTheOneTheReadingLineIsIn()
{
    const StoryLayout layout = upright();
    // The reading line stands 100 pixels down the view.
    QCOMPARE(readingline(layout, 0, third), 100);
    QCOMPARE(storyatreadingline(layout, 0, third), 0);
    QCOMPARE(storyatreadingline(layout, 296, third), 0);
    // Crossing a banner puts its story on air, a pixel or two of layout rounding included.
    QCOMPARE(storyatreadingline(layout, 298, third), 1);
    QCOMPARE(storyatreadingline(layout, 300, third), 1);
    QCOMPARE(storyatreadingline(layout, 499, third), 2);
    QCOMPARE(storyatreadingline(layout, 1200, third), 2);
    // Above the first banner (a page scrolled back past its start) the first story is on air.
    StoryLayout late = layout;
    late.bannerTops = {200, 400, 600};
    QCOMPARE(storyatreadingline(late, 0, third), 0);
}

void TestStoryPlaces::jumpsPutTheBannerAtTheReadingLine()
{
    const StoryLayout layout = upright();
    QCOMPARE(storyposition(layout, 0, third), 0); // within the page: not above its top
    QCOMPARE(storyposition(layout, 1, third), 300);
    QCOMPARE(storyposition(layout, 2, third), 500);
    // A jump's place is the story on air once the page stands there.
    for (int i = 0; i < layout.count(); ++i)
        QCOMPARE(storyatreadingline(layout, storyposition(layout, i, third), third), i);
}

void TestStoryPlaces::nextAndPreviousGoFromStoryToStory()
{
    const StoryLayout layout = upright();
    QCOMPARE(nextstory(layout, 0, third, true), 1);
    QCOMPARE(nextstory(layout, 300, third, true), 2); // at a banner: on to the next
    QCOMPARE(nextstory(layout, 500, third, true), -1);
    QCOMPARE(nextstory(layout, 500, third, false), 1);
    QCOMPARE(nextstory(layout, 420, third, false), 1); // inside a story: back to its start
    QCOMPARE(nextstory(layout, 300, third, false), 0);
    QCOMPARE(nextstory(layout, 0, third, false), -1);
}

void TestStoryPlaces::turnedPagesRunUpwards()
{
    const StoryLayout layout = turned();
    // The reading line is a third of the view from the reader's top, the view's bottom.
    QCOMPARE(readingline(layout, 1200, thirdTurned), 1400);
    QCOMPARE(storyatreadingline(layout, 1200, thirdTurned), 0);
    for (int i = 0; i < layout.count(); ++i)
        QCOMPARE(storyatreadingline(layout, storyposition(layout, i, thirdTurned), thirdTurned), i);
    const int second = storyposition(layout, 1, thirdTurned);
    QCOMPARE(second, 1500 - 400 - 200);
    QCOMPARE(nextstory(layout, second, thirdTurned, true), 2);
    QCOMPARE(nextstory(layout, second, thirdTurned, false), 0);
    // Half of the second story read: half of it is left, as upright.
    QCOMPARE(storyshareleft(upright(), 1, 400, third), 0.5);
    QCOMPARE(storyshareleft(layout, 1, second - 100, thirdTurned), 0.5);
}

void TestStoryPlaces::wordsLeftCountTheRestOfTheStoryAndAllAfter()
{
    const StoryLayout layout = upright();
    const QList<int> words{100, 50, 300};
    QCOMPARE(wordsleft(layout, words, 0, third), 100 * 0.75 + 50 + 300);
    QCOMPARE(wordsleft(layout, words, 400, third), 25.0 + 300);
    QCOMPARE(wordsleft(layout, words, 1100, third), 0.0);
    QCOMPARE(wordsleft(turned(), words, storyposition(turned(), 1, thirdTurned), thirdTurned), 50.0 + 300);
}

void TestStoryPlaces::aPageWithoutStories()
{
    const StoryLayout none;
    QCOMPARE(storyatreadingline(none, 0, third), -1);
    QCOMPARE(nextstory(none, 0, third, true), -1);
    QCOMPARE(wordsleft(none, {}, 0, third), 0.0);
    QCOMPARE(storyshareleft(none, 0, 0, third), 0.0);
}

VANTELL_CORE_TEST_MAIN(TestStoryPlaces)
#include "test_storyplaces.moc"
