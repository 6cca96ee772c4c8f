#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "remote/oscreplay.h"
#include "remote/remotereplay.h"
#include "testsupport/testmain.h"

// Replays the fuzzing corpora of the remote controls' commands as their harnesses play them: JSON
// commands (hand-written commands of every kind, edge values, broken JSON, and the inputs that
// once went wrong) and OSC datagrams (commands, presses and releases, broken and truncated ones).
class TestRemoteCorpus : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

void TestRemoteCorpus::replay_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("osc");
    for (const bool osc : {false, true}) {
        const QDir corpus(QLatin1String(osc ? VANTELL_OSC_CORPUS : VANTELL_REMOTE_CORPUS));
        const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
        QVERIFY2(names.size() >= 10, qPrintable(corpus.path()));
        for (const QString &name : names)
            QTest::newRow(qPrintable(corpus.dirName() + QLatin1Char('/') + name))
                << corpus.filePath(name) << osc;
    }
}

void TestRemoteCorpus::replay()
{
    QFETCH(QString, path);
    QFETCH(bool, osc);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QElapsedTimer clock;
    clock.start();
    const QByteArray bytes = file.readAll();
    QCOMPARE(osc ? replayosc(bytes) : replayremote(bytes), QString());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

VANTELL_CORE_TEST_MAIN(TestRemoteCorpus)
#include "test_remote_corpus.moc"
