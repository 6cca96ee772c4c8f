#include <QSet>
#include <QTest>

#include "core/commands/commandmap.h"
#include "core/remote/remotecommand.h"
#include "testsupport/testmain.h"

class TestCommandMap : public QObject {
    Q_OBJECT
private slots:
    void everyCommandHasOneBinding();
    void bindingsAreUnambiguous();
    void theOriginalKeysKeepTheirCommands();
    void onlyRemoteCommandsCanBeSent();
    void theHelpPageListsEveryKey();
};

void TestCommandMap::everyCommandHasOneBinding()
{
    QSet<int> actions;
    for (const CommandBinding &binding : commandbindings()) {
        QVERIFY2(!actions.contains(int(binding.action)), binding.name);
        actions << int(binding.action);
    }
    for (int action = 0; action <= int(RemoteAction::ClearTalentMessage); ++action)
        QVERIFY2(actions.contains(action), qPrintable(QString::number(action)));
    QCOMPARE(commandfor(RemoteAction::NextMarker).name, "next-marker");
}

void TestCommandMap::bindingsAreUnambiguous()
{
    // A key, a clicker button, an image, a menu entry or a click that meant two commands would
    // do one of them, depending on the table's order.
    QSet<QString> names, images, entries;
    QSet<int> keys, clicks;
    for (const CommandBinding &binding : commandbindings()) {
        QVERIFY2(!names.contains(QLatin1String(binding.name)), binding.name);
        names << QLatin1String(binding.name);
        for (const auto &[value, seen] : {std::pair{binding.key, &keys}, std::pair{binding.clickerKey, &keys},
                                          std::pair{binding.mouseButton, &clicks}}) {
            if (value == 0)
                continue;
            QVERIFY2(!seen->contains(value), binding.name);
            *seen << value;
        }
        if (binding.toolImage) {
            QVERIFY2(!images.contains(QLatin1String(binding.toolImage)), binding.name);
            images << QLatin1String(binding.toolImage);
        }
        if (binding.menuEntry) {
            QVERIFY2(!entries.contains(QLatin1String(binding.menuEntry)), binding.name);
            entries << QLatin1String(binding.menuEntry);
        }
        // A key the help page lists says what it does.
        if (binding.key || binding.clickerKey)
            QVERIFY2(binding.help && *binding.help, binding.name);
    }
    QCOMPARE(images.size(), 13);
}

void TestCommandMap::theOriginalKeysKeepTheirCommands()
{
    const std::pair<int, RemoteAction> original[] = {
        {Qt::Key_Q, RemoteAction::TogglePause},    {Qt::Key_W, RemoteAction::SpeedUp},
        {Qt::Key_S, RemoteAction::SpeedDown},      {Qt::Key_E, RemoteAction::Reverse},
        {Qt::Key_A, RemoteAction::PreviousScript}, {Qt::Key_D, RemoteAction::NextScript},
        {Qt::Key_F, RemoteAction::Reset}};
    for (const auto &[key, action] : original)
        QCOMPARE(commandforkey(key)->action, action);
    QCOMPARE(commandforclick(Qt::LeftButton)->action, RemoteAction::TogglePause);
    QCOMPARE(commandforclick(Qt::RightButton)->action, RemoteAction::Reverse);
    QCOMPARE(commandforclicker(Qt::Key_PageDown)->action, RemoteAction::NextScript);
    QVERIFY(!commandforkey(Qt::Key_B));
    QVERIFY(!commandforkey(0));
    // Only the letters that speed up, slow down or reverse apply the speed after they act.
    QVERIFY(changesspeed(RemoteAction::Reverse));
    QVERIFY(!changesspeed(RemoteAction::NextScript));
}

void TestCommandMap::onlyRemoteCommandsCanBeSent()
{
    // What opens a dialog or ends the program on the operator's screen is not a remote
    // control's to do.
    for (const char *local : {"exit", "options", "open-script", "quick-edit", "about", "marker-list"}) {
        const ParsedCommand parsed = remotecommand(QLatin1String(local), QJsonValue());
        QVERIFY2(!parsed.command, local);
        QVERIFY(parsed.error.startsWith(QLatin1String("unknown command")));
        QVERIFY(!remotecommandnames().contains(QLatin1String(local)));
    }
    for (const char *remote : {"forward-lines", "back-lines", "show-clock", "reading-line"})
        QVERIFY2(remotecommand(QLatin1String(remote), QJsonValue()).command, remote);
    QCOMPARE(remotecommand(QStringLiteral("reading-line"), false).command->on, std::optional<bool>(false));
}

void TestCommandMap::theHelpPageListsEveryKey()
{
    const QString keys = keytablerows();
    const QString clicker = clickertablerows();
    for (const CommandBinding &binding : commandbindings()) {
        if (binding.key)
            QCOMPARE(keys.count(QStringLiteral("<kbd>%1</kbd>").arg(keyname(binding.key))), 1);
        if (binding.clickerKey)
            QVERIFY2(
                clicker.contains(QStringLiteral("<td><kbd>%1</kbd></td>").arg(keyname(binding.clickerKey))),
                binding.name);
    }
    // A clicker's button that does what a key does says which key.
    QVERIFY(clicker.contains(QStringLiteral("Load the next script of the queue, as <kbd>D</kbd>.")));
    QCOMPARE(keyname(Qt::Key_PageDown), QStringLiteral("Page Down"));
    QCOMPARE(keyname(Qt::Key_F11), QStringLiteral("F11"));
}

VANTELL_CORE_TEST_MAIN(TestCommandMap)
#include "test_commandmap.moc"
