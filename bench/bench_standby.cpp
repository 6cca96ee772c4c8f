#include <algorithm>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include "support/benchsupport.h"
#include "testsupport/prompterprocess.h"

// A standby prompter against its prompter, both as processes on loopback (the built program,
// offscreen): how far the standby's page stands from the prompter's at rest and while it moves,
// how long after the prompter's death (SIGKILL) the standby acts on commands, and how far its page
// stood from where the prompter's motion had brought it when it took over. BENCH_SECONDS sets how
// long each mirror is sampled, BENCH_ROUNDS how many takeovers are made.
namespace {

QJsonObject report(const QJsonObject &state)
{
    return state.value(QLatin1String("standby")).toObject();
}

int setting(const char *name, int fallback)
{
    bool number = false;
    const int value = qEnvironmentVariableIntValue(name, &number);
    return number && value > 0 ? value : fallback;
}

// The standby's own measure of how far its page stands from the prompter's, sampled for `seconds`.
QList<double> mirrorErrors(const PrompterProcess &standby, int seconds)
{
    QList<double> errors;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        errors << report(standby.state()).value(QLatin1String("errorPx")).toDouble();
        // The standby measures four times a second.
        QTest::qWait(250);
    }
    return errors;
}

double percentile(QList<double> samples, double share)
{
    std::sort(samples.begin(), samples.end());
    return samples.isEmpty() ? 0
                             : samples.at(std::min(samples.size() - 1, qsizetype(share * samples.size())));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = setting("BENCH_SECONDS", 10);
    const int rounds = setting("BENCH_ROUNDS", 3);
    const int speed = 120;
    QTemporaryDir folder;
    const QString script = PrompterProcess::numberedScript(folder.path(), 600);
    QList<double> rest;
    QList<double> moving;
    QList<double> takeoverMs;
    QList<double> takeoverErrors;
    for (int round = 0; round < rounds; ++round) {
        PrompterProcess prompter(PrompterProcess::freePort(), {script});
        prompter.waitForState(
            [](const QJsonObject &state) { return state.value(QLatin1String("pageBottom")).toInt() > 0; },
            60000);
        PrompterProcess standby(
            PrompterProcess::freePort(),
            {QStringLiteral("--standby"), QStringLiteral("127.0.0.1:%1").arg(prompter.port())});
        standby.waitForState(
            [](const QJsonObject &state) {
                return report(state).value(QLatin1String("connected")).toBool() &&
                       state.value(QLatin1String("pageBottom")).toInt() > 0;
            },
            60000);
        prompter.command(R"({"command":"jump-lines","value":20})");
        QTest::qWait(1000);
        rest << mirrorErrors(standby, seconds / 2 + 1);
        prompter.command(QStringLiteral(R"({"command":"speed","value":%1})").arg(speed).toUtf8());
        prompter.command(R"({"command":"resume"})");
        QTest::qWait(1000);
        moving << mirrorErrors(standby, seconds);

        // From the signal on: the program's end is reaped a while after it.
        QElapsedTimer sinceDeath;
        sinceDeath.start();
        prompter.kill();
        // Acting on commands: the standby answers as the prompter, and a pause is carried out here.
        standby.waitForState(
            [](const QJsonObject &state) {
                return state.value(QLatin1String("role")).toString() == QLatin1String("prompter");
            },
            10000);
        takeoverMs << double(sinceDeath.elapsed());
        QJsonObject tookOver;
        standby.waitForState(
            [&tookOver](const QJsonObject &state) {
                tookOver = report(state).value(QLatin1String("tookOver")).toObject();
                return tookOver.contains(QLatin1String("positionErrorPx"));
            },
            5000);
        takeoverErrors << tookOver.value(QLatin1String("positionErrorPx")).toDouble();
    }
    const QJsonObject inputs{{QStringLiteral("speed"), speed},
                             {QStringLiteral("rounds"), rounds},
                             {QStringLiteral("seconds"), seconds},
                             {QStringLiteral("takeoverLimitMs"), 500}};
    bench::report(QStringLiteral("standby_mirror_rest_median"), bench::median(rest), QStringLiteral("px"),
                  inputs);
    bench::report(QStringLiteral("standby_mirror_rest_max"), percentile(rest, 1), QStringLiteral("px"),
                  inputs);
    bench::report(QStringLiteral("standby_mirror_moving_median"), bench::median(moving), QStringLiteral("px"),
                  inputs);
    bench::report(QStringLiteral("standby_mirror_moving_p95"), percentile(moving, 0.95), QStringLiteral("px"),
                  inputs);
    bench::report(QStringLiteral("standby_takeover_time_median"), bench::median(takeoverMs),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("standby_takeover_time_max"), percentile(takeoverMs, 1),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("standby_takeover_error_median"), bench::median(takeoverErrors),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("standby_takeover_error_max"), percentile(takeoverErrors, 1),
                  QStringLiteral("px"), inputs);
    return 0;
}
