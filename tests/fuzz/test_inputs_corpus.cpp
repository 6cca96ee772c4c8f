#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "fuzz/inputreplay.h"
#include "testsupport/testmain.h"

// Replays the corpora of the text file, special characters and settings harnesses (hand-written
// samples and the inputs the fuzzers found) as the harnesses play them.
class TestInputsCorpus : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

void TestInputsCorpus::replay_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("path");
    for (const QString &kind :
         {QStringLiteral("textfile"), QStringLiteral("charactertable"), QStringLiteral("settings")}) {
        const QDir corpus(QStringLiteral(VANTELL_FUZZ_CORPUS "/") + kind);
        const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
        QVERIFY2(names.size() >= 5, qPrintable(corpus.path()));
        for (const QString &name : names)
            QTest::newRow(qPrintable(kind + QLatin1Char('/') + name)) << kind << corpus.filePath(name);
    }
}

void TestInputsCorpus::replay()
{
    QFETCH(QString, kind);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QElapsedTimer clock;
    clock.start();
    const QString fault = kind == QLatin1String("textfile")         ? replaytextfile(bytes)
                          : kind == QLatin1String("charactertable") ? replayspecialchars(bytes)
                                                                    : replaysettings(bytes);
    QCOMPARE(fault, QString());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

VANTELL_CORE_TEST_MAIN(TestInputsCorpus)
#include "test_inputs_corpus.moc"
