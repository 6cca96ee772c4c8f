#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "mos/mosreplay.h"
#include "testsupport/testmain.h"

// Replays the newsroom fuzzing corpus (hand-written conversations of every message and the inputs
// that once broke the device) as the harness plays them.
class TestMosCorpus : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

void TestMosCorpus::replay_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(VANTELL_MOS_CORPUS));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    QVERIFY2(names.size() >= 10, qPrintable(corpus.path()));
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

void TestMosCorpus::replay()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(replaymos(bytes), QString());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

VANTELL_CORE_TEST_MAIN(TestMosCorpus)
#include "test_mos_corpus.moc"
