#include <csignal>
#include <cstdio>
#include <random>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "core/queue/queuefile.h"
#include "core/settings/settingsstore.h"

// The settings file and queue files are replaced whole or not at all: a program killed (SIGKILL)
// at any point of writing them leaves the old file or the new one, never a broken one. The
// writer is this test program started again as a child, writing both in a loop, each generation
// of a different length, until it is killed at a random moment.
class TestWriteKill : public QObject {
    Q_OBJECT
private slots:
    void killedWritesLeaveTheOldOrTheNewFile();
};

namespace {

const QString writerPart = QStringLiteral("--writer-child");
constexpr int kills = 40;
constexpr int settingsKeys = 60;

// What generation `g` writes: its number in every entry, and more entries the later it is.
QStringList queueEntries(int generation)
{
    QStringList entries;
    const int count = 100 + generation % 97;
    for (int i = 0; i < count; ++i)
        entries << QStringLiteral("/srv/show/g%1/script-%2 \u00e9t\u00e9.vnr").arg(generation).arg(i);
    return entries;
}

int runWriter(const QString &folder)
{
    SettingsStore store;
    std::puts("writing");
    std::fflush(stdout);
    for (int generation = 1;; ++generation) {
        QSettings &settings = store.settings();
        settings.beginGroup(QStringLiteral("Show"));
        settings.setValue(QStringLiteral("Generation"), generation);
        // Lengths that change with the generation, so that a cut file could not pass for whole.
        for (int key = 0; key < settingsKeys; ++key)
            settings.setValue(QStringLiteral("Key%1").arg(key),
                              QString(1 + (generation + key) % 40, QLatin1Char('x')) +
                                  QString::number(generation));
        settings.endGroup();
        store.commit(QStringLiteral("Show"));
        savequeuefile(folder + QStringLiteral("/show.vnq"), queueEntries(generation));
    }
}

// Whether the settings file holds one whole generation; tells what it found.
bool settingsWhole(const QString &path, QString &found)
{
    QSettings settings(path, QSettings::NativeFormat);
    if (settings.status() != QSettings::NoError) {
        found = QStringLiteral("unreadable settings");
        return false;
    }
    bool number = false;
    const int generation = settings.value(QStringLiteral("Show/Generation")).toInt(&number);
    if (!number) {
        found = QStringLiteral("settings without a generation");
        return false;
    }
    for (int key = 0; key < settingsKeys; ++key) {
        const QString expected =
            QString(1 + (generation + key) % 40, QLatin1Char('x')) + QString::number(generation);
        if (settings.value(QStringLiteral("Show/Key%1").arg(key)).toString() != expected) {
            found = QStringLiteral("settings of generation %1 with key %2 broken").arg(generation).arg(key);
            return false;
        }
    }
    return true;
}

bool queueWhole(const QString &path, QString &found)
{
    const QStringList entries = loadqueuefile(path);
    if (entries.isEmpty()) {
        found = QStringLiteral("an empty queue");
        return false;
    }
    const QString first = entries.first();
    const int generation = first.section(QLatin1Char('/'), 3, 3).mid(1).toInt();
    if (entries != queueEntries(generation)) {
        found = QStringLiteral("a queue of %1 entries, broken (generation %2)")
                    .arg(entries.size())
                    .arg(generation);
        return false;
    }
    return true;
}

} // namespace

void TestWriteKill::killedWritesLeaveTheOldOrTheNewFile()
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> after(1, 400);
    int checkedSettings = 0, checkedQueues = 0;
    for (int run = 0; run < kills; ++run) {
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        QProcess writer;
        writer.setProcessEnvironment(environment);
        writer.start(QCoreApplication::applicationFilePath(), {writerPart, home.path()});
        QVERIFY(writer.waitForReadyRead(10000));
        QTest::qSleep(after(random));
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(10000));
        QString found;
        const QString settingsPath = home.path() + QStringLiteral("/korvanex/vantell.conf");
        if (QFile::exists(settingsPath)) {
            QVERIFY2(settingsWhole(settingsPath, found),
                     qPrintable(QStringLiteral("run %1: %2").arg(run).arg(found)));
            ++checkedSettings;
        }
        const QString queuePath = home.path() + QStringLiteral("/show.vnq");
        if (QFile::exists(queuePath)) {
            QVERIFY2(queueWhole(queuePath, found),
                     qPrintable(QStringLiteral("run %1: %2").arg(run).arg(found)));
            ++checkedQueues;
        }
    }
    qInfo("killed %d writers: %d settings files and %d queue files, all whole", kills, checkedSettings,
          checkedQueues);
    // Most kills come long after the first files were written.
    QVERIFY(checkedSettings > kills / 2);
    QVERIFY(checkedQueues > kills / 2);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && QString::fromLocal8Bit(argv[1]) == writerPart)
        return runWriter(QString::fromLocal8Bit(argv[2]));
    TestWriteKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_writekill.moc"
