#include "support/framesampling.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include "support/benchprompter.h"

namespace bench {

namespace {
constexpr const char *startSampling = R"JS(
(function () {
    window.__samples = [];
    window.__sampling = true;
    const root = document.documentElement;
    const scale = window.__vantellScale || 1;
    const sample = (time) => {
        if (!window.__sampling) return;
        const transform = getComputedStyle(root).transform;
        const matrix = transform && transform !== 'none' ? new DOMMatrix(transform) : null;
        const shift = matrix ? -matrix.m42 : 0;
        window.__samples.push([performance.timeOrigin + time, (window.scrollY + shift) / scale]);
        requestAnimationFrame(sample);
    };
    requestAnimationFrame(sample);
    return 1;
})()
)JS";
} // namespace

void startFrameSampling(Browser *page)
{
    evaluate(page, QString::fromLatin1(startSampling));
}

QList<FrameSample> stopFrameSampling(Browser *page)
{
    const QJsonArray array =
        QJsonDocument::fromJson(
            evaluate(page, QStringLiteral("window.__sampling = false; JSON.stringify(window.__samples)"))
                .toString()
                .toUtf8())
            .array();
    QList<FrameSample> samples;
    for (const QJsonValue &value : array)
        samples << FrameSample{value.toArray().at(0).toDouble(), value.toArray().at(1).toDouble()};
    return samples;
}

QList<double> frameDifferences(const QList<FrameSample> &leader, const QList<FrameSample> &follower)
{
    QList<double> differences;
    qsizetype at = 0;
    for (const FrameSample &shown : follower) {
        while (at + 1 < leader.size() && leader.at(at + 1).time <= shown.time)
            ++at;
        if (!leader.isEmpty() && leader.at(at).time <= shown.time)
            differences << std::abs(shown.script - leader.at(at).script);
    }
    return differences;
}

double percentile(QList<double> values, double fraction)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(std::min<qsizetype>(values.size() - 1, qsizetype(fraction * values.size())));
}

} // namespace bench
