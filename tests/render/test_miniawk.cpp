#include "core/render/miniawk.h"
#include "testsupport/testmain.h"

class TestMiniAwk : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void separatorSettings_data();
    void separatorSettings();
    void getFieldOutsideTheLine();
    void longLinesKeepTheirFirst255Fields();
    void reparsingForgetsTheOldLine();
};

void TestMiniAwk::fields_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three texts, tabs") << "\t"
                                       << "a\tbb\tccc" << QStringList{"a", "bb", "ccc"};
    QTest::newRow("adjacent tabs give an empty field") << "\t"
                                                       << "a\t\tc" << QStringList{"a", "", "c"};
    QTest::newRow("leading tab: empty first field") << "\t"
                                                    << "\tb" << QStringList{"", "b"};
    QTest::newRow("trailing tab: empty last field") << "\t"
                                                    << "a\t" << QStringList{"a", ""};
    QTest::newRow("two tabs only") << "\t"
                                   << "\t\t" << QStringList{"", "", ""};
    QTest::newRow("empty line has no fields") << "\t"
                                              << "" << QStringList{};
    QTest::newRow("blanks inside a tab field stay") << "\t"
                                                    << "a b\tc" << QStringList{"a b", "c"};
    QTest::newRow("blank mode collapses runs") << ""
                                               << "  one   two three  " << QStringList{"one", "two", "three"};
    QTest::newRow("blank mode, only blanks") << ""
                                             << "    " << QStringList{};
    QTest::newRow("blank mode, one word") << ""
                                          << "word" << QStringList{"word"};
    QTest::newRow("comma separator") << ","
                                     << "x,,y" << QStringList{"x", "", "y"};
    QTest::newRow("only the first character counts") << ",;"
                                                     << "x;y,z" << QStringList{"x;y", "z"};
}

void TestMiniAwk::fields()
{
    QFETCH(QString, separator);
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    TAwkParser parser;
    parser.Separator = separator;
    parser.Parse(line);
    QCOMPARE(int(parser.FieldCount), expected.size());
    for (int n = 1; n <= expected.size(); ++n)
        QCOMPARE(parser.GetField(n), expected.at(n - 1));
    QCOMPARE(parser.GetField(0), line);
    QCOMPARE(parser.GetField(expected.size() + 1), QString());
}

void TestMiniAwk::separatorSettings_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QChar>("character");
    QTest::newRow("^I is the tab") << "^I" << QChar(9);
    QTest::newRow("^i is the tab too") << "^i" << QChar(9);
    QTest::newRow("^[ is escape") << "^[" << QChar(27);
    QTest::newRow("^A") << "^A" << QChar(1);
    QTest::newRow("^1 is the caret itself") << "^1" << QChar(u'^');
    QTest::newRow("a lone caret is a caret") << "^" << QChar(u'^');
}

void TestMiniAwk::separatorSettings()
{
    QFETCH(QString, separator);
    QFETCH(QChar, character);
    TAwkParser parser;
    parser.Separator = separator;
    parser.Parse(QStringLiteral("left") + character + QStringLiteral("right"));
    QCOMPARE(int(parser.FieldCount), 2);
    QCOMPARE(parser.GetField(1), QStringLiteral("left"));
    QCOMPARE(parser.GetField(2), QStringLiteral("right"));
}

void TestMiniAwk::getFieldOutsideTheLine()
{
    TAwkParser parser;
    parser.Separator = QStringLiteral("\t");
    parser.Parse(QStringLiteral("a\tb"));
    QCOMPARE(parser.GetField(-1), QString());
    QCOMPARE(parser.GetField(3), QString());
    QCOMPARE(parser.GetField(255), QString());
    QCOMPARE(parser.GetField(100000), QString());
}

void TestMiniAwk::longLinesKeepTheirFirst255Fields()
{
    QStringList parts;
    for (int i = 1; i <= 300; ++i)
        parts << QString::number(i);
    for (const QString &separator : {QStringLiteral("\t"), QString()}) {
        TAwkParser parser;
        parser.Separator = separator;
        parser.Parse(parts.join(separator.isEmpty() ? QStringLiteral(" ") : separator));
        QCOMPARE(int(parser.FieldCount), 255);
        QCOMPARE(parser.GetField(1), QStringLiteral("1"));
        QCOMPARE(parser.GetField(255), QStringLiteral("255"));
        QCOMPARE(parser.GetField(256), QString());
    }
    // Exactly 255 fields, and 256 where the last one is empty.
    TAwkParser parser;
    parser.Separator = QStringLiteral("\t");
    parser.Parse(parts.mid(0, 255).join(QLatin1Char('\t')));
    QCOMPARE(int(parser.FieldCount), 255);
    QCOMPARE(parser.GetField(255), QStringLiteral("255"));
    parser.Parse(parts.mid(0, 255).join(QLatin1Char('\t')) + QLatin1Char('\t'));
    QCOMPARE(int(parser.FieldCount), 255);
}

void TestMiniAwk::reparsingForgetsTheOldLine()
{
    TAwkParser parser;
    parser.Separator = QStringLiteral("\t");
    parser.Parse(QStringLiteral("a\tb\tc\td"));
    parser.Parse(QStringLiteral("x"));
    QCOMPARE(int(parser.FieldCount), 1);
    QCOMPARE(parser.GetField(2), QString());
    parser.Parse(QString());
    QCOMPARE(int(parser.FieldCount), 0);
    QCOMPARE(parser.GetField(1), QString());
}

VANTELL_CORE_TEST_MAIN(TestMiniAwk)
#include "test_miniawk.moc"
