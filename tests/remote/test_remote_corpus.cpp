#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "remote/remotereplay.h"
#include "testsupport/testmain.h"

// Replays the remote-command fuzzing corpus (hand-written commands of every kind, edge values,
// broken JSON, and the inputs that once went wrong) as the harness plays them.
class TestRemoteCorpus : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

void TestRemoteCorpus::replay_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(VANTELL_REMOTE_CORPUS));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    QVERIFY2(names.size() >= 10, qPrintable(corpus.path()));
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

void TestRemoteCorpus::replay()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(replayremote(file.readAll()), QString());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

VANTELL_CORE_TEST_MAIN(TestRemoteCorpus)
#include "test_remote_corpus.moc"
