#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "core/queue/queuefile.h"
#include "testsupport/testmain.h"

class TestQueueFile : public QObject {
    Q_OBJECT
private slots:
    void savedQueueIsExactBytes();
    void reading_data();
    void reading();
    void roundTripKeepsEveryPath();
    void oddFilesLoad();
    void millionLinesLoadQuickly();
    void failuresThrow();

private:
    QString write(const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TestQueueFile::write(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(QStringLiteral("q%1.vnq").arg(++m_files));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void TestQueueFile::savedQueueIsExactBytes()
{
    const QString path = m_dir.filePath(QStringLiteral("two.vnq"));
    savequeuefile(path,
                  {QStringLiteral("/home/ann/one.txt"), QStringLiteral("/home/ann/t\u00e9l\u00e9.vnr")});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("/home/ann/one.txt\r\n/home/ann/t\xc3\xa9l\xc3\xa9.vnr\r\n"));
    QCOMPARE(loadqueuefile(path), (QStringList{QStringLiteral("/home/ann/one.txt"),
                                               QStringLiteral("/home/ann/t\u00e9l\u00e9.vnr")}));
}

void TestQueueFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("LF only") << QByteArray("/a.txt\n/b.txt\n") << QStringList{"/a.txt", "/b.txt"};
    QTest::newRow("CR only") << QByteArray("/a.txt\r/b.txt") << QStringList{"/a.txt", "/b.txt"};
    QTest::newRow("mixed") << QByteArray("/a\r\n/b\r/c\n/d") << QStringList{"/a", "/b", "/c", "/d"};
    QTest::newRow("empty line is an entry") << QByteArray("/a\r\n\r\n/b\r\n") << QStringList{"/a", "", "/b"};
    QTest::newRow("final line end adds nothing") << QByteArray("/a\r\n") << QStringList{"/a"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("a single line end") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF/caf\xc3\xa9.txt\r\n")
                                << QStringList{"/caf\u00e9.txt"};
    QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE/\0\xe9\0\r\0\n\0", 10) << QStringList{"/\u00e9"};
    QTest::newRow("UTF-16 BE mark") << QByteArray("\xFE\xFF\0/\0\xe9\0\n", 8) << QStringList{"/\u00e9"};
    QTest::newRow("old 8-bit file") << QByteArray("/caf\xe9 \x80.txt\n")
                                    << QStringList{"/caf\u00e9 \u20ac.txt"};
}

void TestQueueFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(loadqueuefile(write(bytes)), entries);
}

void TestQueueFile::roundTripKeepsEveryPath()
{
    const QStringList entries{QStringLiteral("/x/\u041f\u0440\u0438.vnr"), QString(),
                              QStringLiteral("C:\\old\\win.txt"), QStringLiteral("/\u6f22\u5b57/a b.rtf")};
    const QString path = m_dir.filePath(QStringLiteral("round.vnq"));
    savequeuefile(path, entries);
    QCOMPARE(loadqueuefile(path), entries);
}

void TestQueueFile::oddFilesLoad()
{
    QByteArray binary;
    for (int i = 0; i < 5000; ++i)
        binary.append(char((i * 7919 + 13) % 256));
    QVERIFY(!loadqueuefile(write(binary)).isEmpty());
    const QStringList withNul = loadqueuefile(write(QByteArray("/a\0b.txt\n/c.txt\n", 16)));
    QCOMPARE(withNul.size(), 2);
    QCOMPARE(withNul.at(0), QStringLiteral("/a") + QChar(0) + QStringLiteral("b.txt"));
}

void TestQueueFile::millionLinesLoadQuickly()
{
    QByteArray bytes;
    bytes.reserve(40 * 1000000);
    for (int i = 0; i < 1000000; ++i)
        bytes += "/home/operator/show/script" + QByteArray::number(i) + ".txt\r\n";
    const QString path = write(bytes);
    QElapsedTimer clock;
    clock.start();
    const QStringList entries = loadqueuefile(path);
    QCOMPARE(entries.size(), 1000000);
    QCOMPARE(entries.constLast(), QStringLiteral("/home/operator/show/script999999.txt"));
    // Time in the square of the length would take hours here; a minute tells the two apart even
    // under the sanitizers on a busy machine.
    QVERIFY2(clock.elapsed() < 60000, qPrintable(QString::number(clock.elapsed())));
}

void TestQueueFile::failuresThrow()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             loadqueuefile(m_dir.filePath(QStringLiteral("missing.vnq"))));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, loadqueuefile(m_dir.path()));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, savequeuefile(m_dir.path(), {QStringLiteral("/a")}));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, savequeuefile(m_dir.filePath(QStringLiteral("no/dir/q.vnq")),
                                                               {QStringLiteral("/a")}));
}

VANTELL_CORE_TEST_MAIN(TestQueueFile)
#include "test_queuefile.moc"
