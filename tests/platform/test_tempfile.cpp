#include <stdexcept>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/platform/tempfile.h"
#include "testsupport/testmain.h"

// Temporary transfer files: named "~…" in the temporary directory, removed on every path.
class TestTempFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyTildeFileRemovedAtTheEnd();
    void removedWhenTheStepThrows();
    void missingTemporaryDirectoryIsReported();

private:
    QStringList leftOver() const;
    QTemporaryDir m_tmp;
    QByteArray m_savedTmp;
};

void TestTempFile::init()
{
    m_savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
}

void TestTempFile::cleanup()
{
    qputenv("TMPDIR", m_savedTmp);
}

QStringList TestTempFile::leftOver() const
{
    return QDir(m_tmp.path()).entryList(QDir::Files | QDir::Hidden);
}

void TestTempFile::emptyTildeFileRemovedAtTheEnd()
{
    {
        const TempFile file;
        const QFileInfo info(file.path());
        QVERIFY(info.exists());
        QCOMPARE(info.size(), 0);
        QCOMPARE(info.absolutePath(), QFileInfo(m_tmp.path()).absoluteFilePath());
        QVERIFY(info.fileName().startsWith(QLatin1Char('~')));
        const TempFile other;
        QVERIFY(other.path() != file.path());
    }
    QCOMPARE(leftOver(), QStringList{});
}

void TestTempFile::removedWhenTheStepThrows()
{
    try {
        const TempFile file;
        QFile written(file.path());
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write("data");
        written.close();
        throw std::runtime_error("the step failed");
    } catch (const std::runtime_error &) {
    }
    QCOMPARE(leftOver(), QStringList{});
}

void TestTempFile::missingTemporaryDirectoryIsReported()
{
    const QString missing = m_tmp.filePath(QStringLiteral("gone"));
    qputenv("TMPDIR", missing.toLocal8Bit());
    try {
        const TempFile file;
        QFAIL("a file was created in a missing directory");
    } catch (const std::runtime_error &error) {
        QVERIFY(QString::fromUtf8(error.what()).contains(missing));
    }
}

VANTELL_CORE_TEST_MAIN(TestTempFile)
#include "test_tempfile.moc"
