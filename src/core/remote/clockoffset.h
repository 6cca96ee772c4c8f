#pragma once

#include <QList>
#include <QtGlobal>

// How far another machine's clock runs ahead of ours, from the times of round trips: a request
// leaves at `sent` (our clock), arrives at `received` and is answered at `answered` (its clock),
// and the answer is back at `returned` (ours). The round trip with the shortest delay among the
// recent ones gives the estimate: its network delays are the most nearly equal.
class ClockOffset {
public:
    static constexpr int kept = 8;

    void add(double sent, double received, double answered, double returned);
    bool known() const { return !m_samples.isEmpty(); }
    // Milliseconds to add to our clock to read the other's.
    double offset() const;
    // The network delay of the round trip the estimate comes from.
    double delay() const;

private:
    struct Sample {
        double offset;
        double delay;
    };
    const Sample *best() const;

    QList<Sample> m_samples;
};
