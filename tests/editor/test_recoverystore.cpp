#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/editor/recoverystore.h"
#include "testsupport/testmain.h"

// The quick editor's recovery file: its bytes, written whole, read back or refused, and what the
// offer to recover shows of it.
class TestRecoveryStore : public QObject {
    Q_OBJECT
private slots:
    void bytesRoundTrip();
    void notARecoveryFileIsRefused_data();
    void notARecoveryFileIsRefused();
    void storeSavesLoadsAndRemoves();
    void damagedFileIsReportedAndSetAside();
    void unwritableFolderIsReported();
    void previewShowsTheFirstLinesOnly();
};

namespace {
const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Good evening\\par}";
} // namespace

void TestRecoveryStore::bytesRoundTrip()
{
    const RecoveredText written{QStringLiteral("/srv/show/\u00e9t\u00e9 evening.vnr"),
                                QDateTime(QDate(2026, 12, 9), QTime(17, 4, 5, 120), Qt::UTC), rtf};
    const std::optional<RecoveredText> read = decoderecovery(encoderecovery(written));
    QVERIFY(read);
    QCOMPARE(read->documentName, written.documentName);
    QCOMPARE(read->keptAt, written.keptAt);
    QCOMPARE(read->rtf, rtf);

    // A name cannot break the file's lines.
    const RecoveredText twoLines{QStringLiteral("first\nsecond\rthird"), written.keptAt, rtf};
    QCOMPARE(decoderecovery(encoderecovery(twoLines))->documentName, QStringLiteral("first second third"));
}

void TestRecoveryStore::notARecoveryFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("a script") << rtf;
    QTest::newRow("other version") << QByteArray(
                                          "VANTELL-QUICKEDIT-RECOVERY 2\nname\n2026-12-09T17:04:05Z\n") +
                                          rtf;
    QTest::newRow("no time line") << QByteArray("VANTELL-QUICKEDIT-RECOVERY 1\nname");
    QTest::newRow("bad time") << QByteArray("VANTELL-QUICKEDIT-RECOVERY 1\nname\nyesterday\n") + rtf;
    QTest::newRow("no rtf") << QByteArray("VANTELL-QUICKEDIT-RECOVERY 1\nname\n2026-12-09T17:04:05Z\nplain");
}

void TestRecoveryStore::notARecoveryFileIsRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!decoderecovery(bytes));
}

void TestRecoveryStore::storeSavesLoadsAndRemoves()
{
    QTemporaryDir dir;
    // The folders are made as needed.
    const RecoveryStore store(dir.filePath(QStringLiteral("state/korvanex/vantell/quickedit.recovery")));
    QVERIFY(!store.exists());
    QVERIFY(!store.load());
    store.save(RecoveredText{QStringLiteral("one"), QDateTime::currentDateTimeUtc(), rtf});
    store.save(RecoveredText{QStringLiteral("two"), QDateTime::currentDateTimeUtc(), rtf});
    QCOMPARE(store.load()->documentName, QStringLiteral("two"));
    store.remove();
    QVERIFY(!store.exists());

    qputenv("XDG_STATE_HOME", dir.path().toLocal8Bit());
    QCOMPARE(RecoveryStore::defaultPath(),
             dir.filePath(QStringLiteral("korvanex/vantell/quickedit.recovery")));
    // A relative state folder is no state folder.
    qputenv("XDG_STATE_HOME", "relative/state");
    QVERIFY(RecoveryStore::defaultPath().endsWith(
        QLatin1String("/.local/state/korvanex/vantell/quickedit.recovery")));
    qunsetenv("XDG_STATE_HOME");
}

void TestRecoveryStore::damagedFileIsReportedAndSetAside()
{
    QTemporaryDir dir;
    const RecoveryStore store(dir.filePath(QStringLiteral("quickedit.recovery")));
    QFile file(store.path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("VANTELL-QUICKEDIT-RECOVERY 1\ncut sh");
    file.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, store.load());
    const QString aside = store.setAside();
    QVERIFY(!store.exists());
    QVERIFY(QFile::exists(aside));
    QVERIFY(!store.load());
}

void TestRecoveryStore::unwritableFolderIsReported()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // Its folder would have to be a file: nothing can be written, and the caller is told.
    const RecoveryStore store(dir.filePath(QStringLiteral("file/quickedit.recovery")));
    try {
        store.save(RecoveredText{QStringLiteral("x"), QDateTime::currentDateTimeUtc(), rtf});
        QFAIL("a recovery file was written under a file");
    } catch (const std::runtime_error &error) {
        QVERIFY(QString::fromUtf8(error.what()).contains(store.path()));
    }
}

void TestRecoveryStore::previewShowsTheFirstLinesOnly()
{
    QCOMPARE(recoverypreview(QStringLiteral("one\u2029two\u2028three")), QStringLiteral("one\ntwo\nthree"));
    QStringList many;
    for (int i = 1; i <= 20; ++i)
        many << QStringLiteral("line %1").arg(i);
    const QString lines = recoverypreview(many.join(QLatin1Char('\n')), 3);
    QCOMPARE(lines, QStringLiteral("line 1\nline 2\nline 3 \u2026"));
    const QString chars = recoverypreview(QString(1000, QLatin1Char('x')), 8, 10);
    QCOMPARE(chars, QString(10, QLatin1Char('x')) + QStringLiteral(" \u2026"));
    QCOMPARE(recoverypreview(QString()), QString());
}

VANTELL_CORE_TEST_MAIN(TestRecoveryStore)
#include "test_recoverystore.moc"
