#include "core/render/page.h"
#include "testsupport/testmain.h"

// Scripts of every writing system on the page: capitals change the letters that have capitals and
// leave the writing systems without case exactly as written, marks and joiners included, so that
// they still draw and shape as the script has them.
class TestWritingSystems : public QObject {
    Q_OBJECT
private slots:
    void capitalsLeaveScriptsWithoutCaseAlone_data();
    void capitalsLeaveScriptsWithoutCaseAlone();
    void capitalsStillRaiseTheScriptsWithCase_data();
    void capitalsStillRaiseTheScriptsWithCase();
};

namespace {
const PageFont font{QStringLiteral("Arial"), 24};

// The page line that `line` becomes with capitals on, without its line break.
QString inCapitals(const QString &line)
{
    QStringList script{line};
    const QStringList page = buildpage(script, {}, font, true, false, false);
    const qsizetype body = page.indexOf(QStringLiteral("<body>"));
    QString shown = page.value(body + 1);
    shown.chop(QStringLiteral("<br>").size());
    return shown;
}
} // namespace

void TestWritingSystems::capitalsLeaveScriptsWithoutCaseAlone_data()
{
    QTest::addColumn<QString>("text");
    // With their vowel marks, viramas, nuktas and joiners: a change to any would break the shaping.
    QTest::newRow("arabic with harakat")
        << QStringLiteral("\u0645\u064e\u0631\u0652\u062d\u064e\u0628\u064b\u0627");
    QTest::newRow("persian with zwnj") << QStringLiteral("\u0645\u06cc\u200c\u062e\u0648\u0627\u0647\u0645");
    QTest::newRow("hebrew with niqqud") << QStringLiteral("\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd");
    QTest::newRow("syriac") << QStringLiteral("\u072b\u0720\u0721\u0710");
    QTest::newRow("thaana") << QStringLiteral("\u078b\u07a8\u0788\u07ac\u0780\u07a8");
    QTest::newRow("devanagari") << QStringLiteral("\u0928\u092e\u0938\u094d\u0924\u0947 \u0915\u093c");
    QTest::newRow("bengali") << QStringLiteral("\u09ac\u09be\u0982\u09b2\u09be");
    QTest::newRow("tamil") << QStringLiteral("\u0bb5\u0ba3\u0b95\u0bcd\u0b95\u0bae\u0bcd");
    QTest::newRow("thai") << QStringLiteral("\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35");
    QTest::newRow("hangul") << QStringLiteral("\uc548\ub155\ud558\uc138\uc694");
    QTest::newRow("han and kana") << QStringLiteral(
        "\u4f60\u597d \u3053\u3093\u306b\u3061\u306f \u30ab\u30bf\u30ab\u30ca");
    QTest::newRow("ethiopic") << QStringLiteral("\u1230\u120b\u121d");
    QTest::newRow("emoji sequence") << QStringLiteral("\U0001f469\u200d\U0001f4bb");
}

void TestWritingSystems::capitalsLeaveScriptsWithoutCaseAlone()
{
    QFETCH(QString, text);
    QCOMPARE(inCapitals(text), text);
    // Among English words, only the English changes.
    QCOMPARE(inCapitals(QStringLiteral("news ") + text + QStringLiteral(" today")),
             QStringLiteral("NEWS ") + text + QStringLiteral(" TODAY"));
}

void TestWritingSystems::capitalsStillRaiseTheScriptsWithCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("capitals");
    QTest::newRow("greek") << QStringLiteral("\u03ba\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1")
                           << QStringLiteral("\u039a\u0391\u039b\u0397\u039c\u0388\u03a1\u0391");
    QTest::newRow("cyrillic") << QStringLiteral("\u043f\u0440\u0438\u0432\u0435\u0442")
                              << QStringLiteral("\u041f\u0420\u0418\u0412\u0415\u0422");
    QTest::newRow("armenian") << QStringLiteral("\u0562\u0561\u0580\u0587")
                              << QStringLiteral("\u0532\u0531\u0550\u0535\u0552");
}

void TestWritingSystems::capitalsStillRaiseTheScriptsWithCase()
{
    QFETCH(QString, text);
    QFETCH(QString, capitals);
    QCOMPARE(inCapitals(text), capitals);
}

VANTELL_CORE_TEST_MAIN(TestWritingSystems)
#include "test_writingsystems.moc"
