#pragma once

#include <QList>

class Browser;

// Where a page stands on each of its display frames, recorded in the page itself: the
// wall-clock time of the frame (milliseconds since the epoch) and the script position it shows
// (its scroll position plus the smooth motion's shift, over the page's scale).
namespace bench {

struct FrameSample {
    double time;
    double script;
};

void startFrameSampling(Browser *page);
QList<FrameSample> stopFrameSampling(Browser *page);

// How far apart two pages stood in the script: each frame of `follower` against the last frame
// of `leader` before it.
QList<double> frameDifferences(const QList<FrameSample> &leader, const QList<FrameSample> &follower);

// The sample at `fraction` (0.5: the median, 1: the largest) of `values`; 0 when there is none.
double percentile(QList<double> values, double fraction);

} // namespace bench
