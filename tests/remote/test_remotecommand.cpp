#include <QJsonDocument>
#include <QJsonObject>

#include "core/remote/remotecommand.h"
#include "testsupport/testmain.h"

// Commands from the wire: every name, its argument checked, and nonsense refused with a reason.
class TestRemoteCommand : public QObject {
    Q_OBJECT
private slots:
    void commandsAndTheirArguments_data();
    void commandsAndTheirArguments();
    void wrongArgumentsAreRefused_data();
    void wrongArgumentsAreRefused();
    void malformedMessagesAreRefused_data();
    void malformedMessagesAreRefused();
    void scriptsComeWithTheirText();
    void showEndsAreTimesOfDay();
    void everyNameIsKnown();
    void commandsPassedOnArriveAsGiven();
};

void TestRemoteCommand::commandsAndTheirArguments_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("on"); // -1: flip
    const auto row = [](const char *message, RemoteAction action, int value = 0, int on = -1) {
        QTest::newRow(message) << QByteArray(message) << int(action) << value << on;
    };
    row(R"({"command":"speed-up"})", RemoteAction::SpeedUp);
    row(R"({"command":"speed-down","value":null})", RemoteAction::SpeedDown);
    row(R"({"command":"speed","value":120})", RemoteAction::SetSpeed, 120);
    row(R"({"command":"speed","value":-300})", RemoteAction::SetSpeed, -300);
    row(R"({"command":"speed","value":2.0})", RemoteAction::SetSpeed, 2);
    row(R"({"command":"coarse","value":10})", RemoteAction::SetCoarse, 10);
    row(R"({"command":"toggle-pause"})", RemoteAction::TogglePause);
    row(R"({"command":"queue-entry","value":0})", RemoteAction::OpenQueueEntry, 0);
    row(R"({"command":"mirror"})", RemoteAction::Mirror);
    row(R"({"command":"rotate","value":true})", RemoteAction::Rotate, 0, 1);
    row(R"({"command":"blackout","value":false})", RemoteAction::Blackout, 0, 0);
    row(R"({"command":"voice-following","value":true})", RemoteAction::VoiceFollowing, 0, 1);
    row(R"({"command":"jump-lines","value":-12})", RemoteAction::JumpLines, -12);
    row(R"({"command":"position","value":4800, "id": 7})", RemoteAction::SetPosition, 4800);
    row(R"({"command":"continuous","value":true})", RemoteAction::Continuous, 0, 1);
    row(R"({"command":"continuous"})", RemoteAction::Continuous);
    row(R"({"command":"next-story"})", RemoteAction::NextStory);
    row(R"({"command":"story","value":0})", RemoteAction::JumpToStory, 0);
    row(R"({"command":"prompt-from-here"})", RemoteAction::PromptFromHere);
}

void TestRemoteCommand::commandsAndTheirArguments()
{
    QFETCH(QByteArray, message);
    QFETCH(int, on);
    const ParsedCommand parsed = parsecommandmessage(message);
    QVERIFY2(parsed.command, qPrintable(parsed.error));
    QTEST(int(parsed.command->action), "action");
    QTEST(parsed.command->value, "value");
    QCOMPARE(parsed.command->on.has_value() ? int(*parsed.command->on) : -1, on);
}

void TestRemoteCommand::wrongArgumentsAreRefused_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("says");
    QTest::newRow("speed too high") << QByteArray(R"({"command":"speed","value":301})") << "from -300 to 300";
    QTest::newRow("coarse 0") << QByteArray(R"({"command":"coarse","value":0})") << "from 1 to 10";
    QTest::newRow("fraction") << QByteArray(R"({"command":"speed","value":1.5})") << "whole number";
    QTest::newRow("number as text") << QByteArray(R"({"command":"speed","value":"120"})") << "whole number";
    QTest::newRow("missing number") << QByteArray(R"({"command":"jump-pixels"})") << "whole number";
    QTest::newRow("huge") << QByteArray(R"({"command":"position","value":1e300})") << "must lie";
    QTest::newRow("negative queue entry")
        << QByteArray(R"({"command":"queue-entry","value":-1})") << "must lie";
    QTest::newRow("value where none is taken")
        << QByteArray(R"({"command":"pause","value":1})") << "takes no value";
    QTest::newRow("switch with a number") << QByteArray(R"({"command":"mirror","value":1})") << "true, false";
    QTest::newRow("unknown") << QByteArray(R"({"command":"self-destruct"})") << "unknown command";
    QTest::newRow("negative story") << QByteArray(R"({"command":"story","value":-1})") << "from 0";
    QTest::newRow("show end not a text")
        << QByteArray(R"({"command":"show-end","value":1830})") << "HH:MM:SS";
    QTest::newRow("show end at hour 24")
        << QByteArray(R"({"command":"show-end","value":"24:00:00"})") << "from 00:00:00 to 23:59:59";
    QTest::newRow("show end without seconds")
        << QByteArray(R"({"command":"show-end","value":"18:30"})") << "not \"18:30\"";
}

void TestRemoteCommand::wrongArgumentsAreRefused()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, says);
    const ParsedCommand parsed = parsecommandmessage(message);
    QVERIFY(!parsed.command);
    QVERIFY2(parsed.error.contains(says), qPrintable(parsed.error));
}

void TestRemoteCommand::malformedMessagesAreRefused_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("speed-up");
    QTest::newRow("cut off") << QByteArray(R"({"command":"speed","val)");
    QTest::newRow("array") << QByteArray(R"(["speed-up"])");
    QTest::newRow("name not a string") << QByteArray(R"({"command":5})");
    QTest::newRow("no name") << QByteArray(R"({"value":5})");
    QTest::newRow("nul bytes") << QByteArray("{\"command\":\"pause\0\"}", 20);
}

void TestRemoteCommand::malformedMessagesAreRefused()
{
    QFETCH(QByteArray, message);
    const ParsedCommand parsed = parsecommandmessage(message);
    QVERIFY(!parsed.command);
    QVERIFY(!parsed.error.isEmpty());
}

void TestRemoteCommand::scriptsComeWithTheirText()
{
    const ParsedCommand parsed = parsecommandmessage(
        R"({"command":"script","name":" Evening news ","text":"Good evening.\nHere is the news."})");
    QVERIFY2(parsed.command, qPrintable(parsed.error));
    QCOMPARE(parsed.command->action, RemoteAction::LoadScript);
    QCOMPARE(parsed.command->name, QStringLiteral("Evening news"));
    QCOMPARE(parsed.command->text, QStringLiteral("Good evening.\nHere is the news."));
    QVERIFY(!parsecommandmessage(R"({"command":"script","text":5})").command);
    QCOMPARE(parsecommandmessage(R"({"command":"script","text":""})").command->name,
             QStringLiteral("remote script"));
    const QString tooLong(maxRemoteScriptBytes / 2 + 1, QChar(0x00e9)); // two bytes each in UTF-8
    QVERIFY(!remotecommand(QStringLiteral("script"), QJsonObject{{QStringLiteral("text"), tooLong}}).command);

    // A message for the talent: a short text, trimmed; empty dismisses it.
    const ParsedCommand message = parsecommandmessage(R"({"command":"talent-message","value":" Wrap up "})");
    QVERIFY2(message.command, qPrintable(message.error));
    QCOMPARE(message.command->text, QStringLiteral("Wrap up"));
    QCOMPARE(parsecommandmessage(R"({"command":"talent-message","value":""})").command->text, QString());
    QVERIFY(!parsecommandmessage(R"({"command":"talent-message"})").command);
    QVERIFY(!remotecommand(QStringLiteral("talent-message"),
                           QString(maxTalentMessageLength + 1, QLatin1Char('x')))
                 .command);
}

void TestRemoteCommand::showEndsAreTimesOfDay()
{
    // The show's planned end: a time of day, written as the state shows it; empty for none.
    const ParsedCommand end = parsecommandmessage(R"({"command":"show-end","value":" 7:05:00 "})");
    QVERIFY2(end.command, qPrintable(end.error));
    QCOMPARE(end.command->action, RemoteAction::ShowEnd);
    QCOMPARE(end.command->text, QStringLiteral("07:05:00"));
    const ParsedCommand none = parsecommandmessage(R"({"command":"show-end","value":""})");
    QVERIFY2(none.command, qPrintable(none.error));
    QCOMPARE(none.command->text, QString());
    QVERIFY(!parsecommandmessage(R"({"command":"show-end"})").command);
}

void TestRemoteCommand::everyNameIsKnown()
{
    const QStringList names = remotecommandnames();
    QVERIFY(names.contains(QStringLiteral("speed")));
    for (const QString &name : names)
        QVERIFY2(!remotecommand(name, QJsonValue()).error.startsWith(QLatin1String("unknown")),
                 qPrintable(name));
}

void TestRemoteCommand::commandsPassedOnArriveAsGiven()
{
    // A standby passes its operator's commands on as messages: the prompter must read each back
    // as the same command, for every kind of argument.
    const auto command = [](RemoteAction action) {
        RemoteCommand made;
        made.action = action;
        return made;
    };
    QList<RemoteCommand> commands{command(RemoteAction::Resume), command(RemoteAction::Mirror)};
    RemoteCommand speed = command(RemoteAction::SetSpeed);
    speed.value = -140;
    RemoteCommand blackout = command(RemoteAction::Blackout);
    blackout.on = false;
    RemoteCommand message = command(RemoteAction::TalentMessage);
    message.text = QStringLiteral("Wrap up \"now\"");
    RemoteCommand showEnd = command(RemoteAction::ShowEnd);
    showEnd.text = QStringLiteral("18:30:00");
    RemoteCommand script = command(RemoteAction::LoadScript);
    script.name = QStringLiteral("late news");
    script.text = QStringLiteral("First line\nSecond line");
    commands << speed << blackout << message << showEnd << script;
    for (const RemoteCommand &sent : commands) {
        const QByteArray bytes = QJsonDocument(commandmessage(sent)).toJson();
        const ParsedCommand parsed = parsecommandmessage(bytes);
        QVERIFY2(parsed.command, qPrintable(parsed.error));
        QVERIFY2(*parsed.command == sent, bytes.constData());
    }
}

VANTELL_CORE_TEST_MAIN(TestRemoteCommand)
#include "test_remotecommand.moc"
