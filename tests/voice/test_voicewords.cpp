#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/voicesettings.h"
#include "testsupport/testmain.h"
#include "core/voice/scriptwords.h"
#include "core/voice/voicevocabulary.h"

// The words a speaker is expected to say, and what the recogniser is told to listen for.
class TestVoiceWords : public QObject {
    Q_OBJECT
private slots:
    void spokenForms_data();
    void spokenForms();
    void cuesAreNotSpoken();
    void anUnclosedBracketIsText();
    void markerLinesAreNotSpokenAndWordsKeepTheirLine();
    void vocabularyTakesTheDictionarysPronunciationsAndGuessesTheRest();
    void languageModelPairsTheScriptsWords();
    void missingDictionaryIsAnError();
    void spellingRules_data();
    void spellingRules();
    void onlyEnglishWordsGiveTheRecogniserSomethingToHear_data();
    void onlyEnglishWordsGiveTheRecogniserSomethingToHear();
    void settingsRoundTripAndDefaultOff();
};

void TestVoiceWords::spokenForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("punctuation") << "Hello,"
                                 << "hello";
    QTest::newRow("inner apostrophe") << "Don't"
                                      << "don't";
    QTest::newRow("typographic apostrophe") << QString::fromUtf8("it\u2019s") << "it's";
    QTest::newRow("quotes") << "'quoted'"
                            << "quoted";
    QTest::newRow("no letters") << "--"
                                << "";
    QTest::newRow("accents kept") << QString::fromUtf8("Café") << QString::fromUtf8("café");
}

void TestVoiceWords::spokenForms()
{
    QFETCH(QString, text);
    QFETCH(QString, spoken);
    QCOMPARE(spokenform(text), spoken);
}

static QStringList justwords(const QList<ScriptWord> &words)
{
    QStringList list;
    for (const ScriptWord &word : words)
        list.append(word.word);
    return list;
}

void TestVoiceWords::cuesAreNotSpoken()
{
    const QList<PageWord> page = {
        {"Good", 10},    {"evening.", 10},       {"[Cue:", 10},      {"lights", 40},    {"down]", 40},
        {"Welcome", 40}, {"back[pause]now", 70}, {"well-known", 70}, {"either/or", 70}, {"\u2014", 70}};
    const QList<ScriptWord> words = scriptwords(page);
    QCOMPARE(justwords(words),
             QStringList({"good", "evening", "welcome", "back", "now", "well", "known", "either", "or"}));
    QCOMPARE(words.at(2).top, 40);
    QCOMPARE(words.at(4).top, 70);
}

void TestVoiceWords::anUnclosedBracketIsText()
{
    // A stray "[" must not swallow the rest of the script.
    QList<PageWord> page = {{"see", 0}, {"[1", 0}};
    for (int i = 0; i < 60; ++i)
        page.append({QStringLiteral("word"), i});
    page.append({QStringLiteral("end]"), 99});
    const QList<ScriptWord> words = scriptwords(page);
    QCOMPARE(words.size(), 63);
    QCOMPARE(words.at(1).word, QStringLiteral("1"));
}

void TestVoiceWords::markerLinesAreNotSpokenAndWordsKeepTheirLine()
{
    const QStringList lines = {"<p>First line &amp; more</p>", "## Second story", "",
                               "<b>Last</b> [Cue: smile] line"};
    const QList<ScriptWord> words = scriptwords(lines);
    QCOMPARE(justwords(words), QStringList({"first", "line", "more", "last", "line"}));
    QCOMPARE(words.at(0).top, 0);
    QCOMPARE(words.at(3).top, 3);
}

static QString writedictionary(QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("test.dict"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(
        "a AH\na(2) EY\ngood G UH D\nevening IY V N IH NG\nevenings IY V N IH NG Z\nwelcome W EH L K AH M\n");
    return path;
}

void TestVoiceWords::vocabularyTakesTheDictionarysPronunciationsAndGuessesTheRest()
{
    QTemporaryDir dir;
    const QString path = writedictionary(dir);
    VoiceVocabulary vocabulary;
    QString error;
    QVERIFY(vocabulary.build({"good", "evening", "a", "zorblat", "good", "1999"}, path, &error));
    const QByteArray dictionary = vocabulary.dictionary();
    QVERIFY(dictionary.contains("a AH\na(2) EY\n"));
    QVERIFY(dictionary.contains("evening IY V N IH NG\n"));
    QVERIFY(!dictionary.contains("evenings"));
    QVERIFY(dictionary.contains("zorblat Z AO R B L AE T\n"));
    // Digits are not pronounced by rule: the follower takes them as any word.
    QVERIFY(!dictionary.contains("1999"));
    QCOMPARE(vocabulary.guessed(), QStringList({"zorblat"}));
}

void TestVoiceWords::languageModelPairsTheScriptsWords()
{
    QTemporaryDir dir;
    const QString path = writedictionary(dir);
    VoiceVocabulary vocabulary;
    QString error;
    QVERIFY(vocabulary.build({"good", "evening", "good", "welcome"}, path, &error));
    const QString model = QString::fromUtf8(vocabulary.languageModel());
    // <s>, </s> and three words; pairs: <s> good, good evening, good welcome, evening good,
    // welcome </s>.
    QVERIFY(model.contains("ngram 1=5\n"));
    QVERIFY(model.contains("ngram 2=5\n"));
    QVERIFY(model.contains("-0.4559 good evening\n")); // 0.7 shared by the two words after "good"
    QVERIFY(model.contains("-0.1549 welcome </s>\n"));
    QVERIFY(model.contains("-99 <s> "));
    QVERIFY(model.endsWith("\\end\\\n"));
}

void TestVoiceWords::missingDictionaryIsAnError()
{
    VoiceVocabulary vocabulary;
    QString error;
    QVERIFY(!vocabulary.build({"good"}, QStringLiteral("/nonexistent/dict"), &error));
    QVERIFY(error.contains(QLatin1String("/nonexistent/dict")));
}

void TestVoiceWords::spellingRules_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("phones");
    QTest::newRow("silent e") << "make"
                              << "M AE K";
    QTest::newRow("lone e sounds") << "he"
                                   << "HH EH";
    QTest::newRow("digraphs") << "shipping"
                              << "SH IH P IH NG";
    QTest::newRow("tion") << "nation"
                          << "N AE SH AH N";
    QTest::newRow("y as consonant") << "yak"
                                    << "Y AE K";
    QTest::newRow("y as vowel") << "my"
                                << "M IY";
    QTest::newRow("no letters") << "'"
                                << "";
}

void TestVoiceWords::spellingRules()
{
    QFETCH(QString, word);
    QFETCH(QString, phones);
    QCOMPARE(VoiceVocabulary::pronounce(word), phones);
}

void TestVoiceWords::onlyEnglishWordsGiveTheRecogniserSomethingToHear_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("english");
    QTest::newRow("english") << "Good evening" << true;
    QTest::newRow("accented english") << QString::fromUtf8("Caf\u00e9 au lait") << true;
    QTest::newRow("arabic") << QString::fromUtf8("\u0645\u0631\u062d\u0628\u0627 \u0628\u0643\u0645")
                            << false;
    QTest::newRow("hebrew") << QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd") << false;
    QTest::newRow("hindi") << QString::fromUtf8("\u0928\u092e\u0938\u094d\u0924\u0947") << false;
    QTest::newRow("greek") << QString::fromUtf8("\u039a\u03b1\u03bb\u03b7\u03c3\u03c0\u03ad\u03c1\u03b1")
                           << false;
    QTest::newRow("chinese") << QString::fromUtf8("\u4f60\u597d") << false;
    // Words with digits are left to the follower: they give the recogniser nothing either.
    QTest::newRow("numbers and arabic")
        << QString::fromUtf8("2024 4th \u0645\u0631\u062d\u0628\u0627") << false;
    QTest::newRow("one english word among hebrew")
        << QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd BBC \u05e2\u05d5\u05dc\u05dd") << true;
}

void TestVoiceWords::onlyEnglishWordsGiveTheRecogniserSomethingToHear()
{
    QFETCH(QString, line);
    QFETCH(bool, english);
    QStringList spoken;
    for (const ScriptWord &word : scriptwords(QStringList{line}))
        spoken << word.word;
    QVERIFY(!spoken.isEmpty());
    QCOMPARE(VoiceVocabulary::holdsEnglish(spoken), english);
}

void TestVoiceWords::settingsRoundTripAndDefaultOff()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("v.ini")), QSettings::IniFormat);
    QCOMPARE(readvoicesettings(settings), VoiceSettings());
    QVERIFY(!VoiceSettings().enabled);
    const VoiceSettings chosen{true, QByteArray("alsa_input.usb-mic")};
    writevoicesettings(settings, chosen);
    QCOMPARE(readvoicesettings(settings), chosen);
    writevoicesettings(settings, VoiceSettings());
    QCOMPARE(readvoicesettings(settings), VoiceSettings());
}

VANTELL_CORE_TEST_MAIN(TestVoiceWords)
#include "test_voicewords.moc"
