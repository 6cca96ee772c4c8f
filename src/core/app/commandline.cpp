#include "core/app/commandline.h"

#include <algorithm>
#include <stdexcept>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QPair>
#include <QTextStream>

#include "core/platform/datapaths.h"
#include "core/platform/translation.h"
#include "core/queue/queuefile.h"
#include "core/remote/followerlink.h"
#include "core/remote/leaderlist.h"
#include "core/render/scripttext.h"
#include "core/settings/settingsstore.h"
#include "stringtable.h"

namespace {

enum OptionIndex {
    HelpOptionIndex,
    VersionOptionIndex,
    QueueOptionIndex,
    PrintTextOptionIndex,
    RemoteOptionIndex,
    FollowOptionIndex,
    StandbyOptionIndex,
    PortOptionIndex,
    TokenOptionIndex,
    MirrorOptionIndex,
    RotateOptionIndex
};

constexpr int fileUnreadable = 1;
constexpr int wrongCommandLine = 2;
// The OSC port is the one after the control API's.
constexpr int highestPort = 65534;

bool isQueueFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("vnq"), Qt::CaseInsensitive) == 0;
}

QString dashed(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// "-q, --queue <file>"
QString optionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << dashed(name);
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <") + option.valueName() + QLatin1Char('>');
    return text;
}

// Indented rows of two columns, the second one aligned.
QString table(const QList<QPair<QString, QString>> &rows)
{
    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    QString text;
    for (const auto &[left, right] : rows)
        text += QStringLiteral("  ") + left.leftJustified(width + 2) + right + QLatin1Char('\n');
    return text;
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
    : m_programName(arguments.isEmpty() ? QStringLiteral("vantell")
                                        : QFileInfo(arguments.first()).fileName()),
      m_options{
          {{QStringLiteral("h"), QStringLiteral("help")}, i18n(str::HelpOption)},
          {{QStringLiteral("v"), QStringLiteral("version")}, i18n(str::VersionOption)},
          {{QStringLiteral("q"), QStringLiteral("queue")}, i18n(str::QueueOption), i18n(str::QueueValueName)},
          {{QStringLiteral("print-text")}, i18n(str::PrintTextOption), i18n(str::QueueValueName)},
          {{QStringLiteral("remote")}, i18n(str::RemoteOption)},
          {{QStringLiteral("follow")}, i18n(str::FollowOption), i18n(str::FollowValueName)},
          {{QStringLiteral("standby")}, i18n(str::StandbyOption), i18n(str::FollowValueName)},
          {{QStringLiteral("port")}, i18n(str::PortOption), i18n(str::PortValueName)},
          {{QStringLiteral("token")}, i18n(str::TokenOption), i18n(str::TokenValueName)},
          {{QStringLiteral("mirror")}, i18n(str::MirrorOption)},
          {{QStringLiteral("rotate")}, i18n(str::RotateOption)}}
{
    QCommandLineParser parser;
    parser.addOptions(m_options);
    if (!parser.parse(arguments.isEmpty() ? QStringList{m_programName} : arguments)) {
        QStringList unknown = parser.unknownOptionNames();
        std::transform(unknown.begin(), unknown.end(), unknown.begin(), dashed);
        refuse(unknown.isEmpty() ? i18n(str::WrongCommandLine).arg(parser.errorText())
                                 : i18n(str::UnknownOption).arg(unknown.join(QStringLiteral(", "))),
               wrongCommandLine);
        return;
    }
    if (parser.isSet(m_options.at(HelpOptionIndex))) {
        m_request = Request::ShowHelp;
        return;
    }
    if (parser.isSet(m_options.at(VersionOptionIndex))) {
        m_request = Request::ShowVersion;
        return;
    }
    const QStringList scripts = parser.positionalArguments();
    if (parser.isSet(m_options.at(PrintTextOptionIndex))) {
        if (!scripts.isEmpty() || parser.isSet(m_options.at(QueueOptionIndex)))
            refuse(i18n(str::PrintTextAlone), wrongCommandLine);
        else
            m_request = Request::PrintText;
        m_printPath = parser.value(m_options.at(PrintTextOptionIndex));
        return;
    }
    m_remote = parser.isSet(m_options.at(RemoteOptionIndex));
    const bool follows = parser.isSet(m_options.at(FollowOptionIndex));
    const bool standsBy = parser.isSet(m_options.at(StandbyOptionIndex));
    if (!follows && !standsBy &&
        (parser.isSet(m_options.at(TokenOptionIndex)) || parser.isSet(m_options.at(MirrorOptionIndex)) ||
         parser.isSet(m_options.at(RotateOptionIndex)))) {
        refuse(i18n(str::FollowOnly), wrongCommandLine);
        return;
    }
    if (follows) {
        takeFollower(parser);
        return;
    }
    if (standsBy && !takeStandby(parser))
        return;
    if (parser.isSet(m_options.at(PortOptionIndex))) {
        const QString text = parser.value(m_options.at(PortOptionIndex));
        bool number = false;
        const int port = text.toInt(&number);
        if (!number || port < 1 || port > highestPort) {
            refuse(i18n(str::BadPort).arg(text), wrongCommandLine);
            return;
        }
        m_port = port;
    }
    const bool queueOption = parser.isSet(m_options.at(QueueOptionIndex));
    if (scripts.size() > 1)
        refuse(i18n(str::OneScriptOnly).arg(scripts.join(QStringLiteral(", "))), wrongCommandLine);
    else if (queueOption && !scripts.isEmpty())
        refuse(i18n(str::ScriptAndQueue), wrongCommandLine);
    else if (queueOption)
        takeQueue(parser.value(m_options.at(QueueOptionIndex)));
    else if (!scripts.isEmpty() && isQueueFile(scripts.first()))
        takeQueue(scripts.first());
    else if (!scripts.isEmpty())
        m_scriptPath = scripts.first();
}

void CommandLine::refuse(const QString &text, int exitStatus)
{
    m_request = Request::Mistake;
    m_exitStatus = exitStatus;
    m_mistake = m_programName + QStringLiteral(": ") + text;
    if (exitStatus == wrongCommandLine)
        m_mistake += QLatin1Char('\n') + i18n(str::TryHelp).arg(m_programName);
}

void CommandLine::takeFollower(const QCommandLineParser &parser)
{
    const QString addresses = parser.value(m_options.at(FollowOptionIndex));
    const std::optional<QList<QUrl>> leaders =
        LeaderList::parse(addresses, parser.value(m_options.at(TokenOptionIndex)));
    if (!leaders) {
        refuse(i18n(str::BadLeaderAddress).arg(addresses), wrongCommandLine);
        return;
    }
    if (!parser.positionalArguments().isEmpty() || parser.isSet(m_options.at(QueueOptionIndex)) || m_remote ||
        parser.isSet(m_options.at(PortOptionIndex)) || parser.isSet(m_options.at(StandbyOptionIndex))) {
        refuse(i18n(str::FollowAlone), wrongCommandLine);
        return;
    }
    m_leaders = *leaders;
    m_mirrorFollower = parser.isSet(m_options.at(MirrorOptionIndex));
    m_rotateFollower = parser.isSet(m_options.at(RotateOptionIndex));
}

bool CommandLine::takeStandby(const QCommandLineParser &parser)
{
    const QString address = parser.value(m_options.at(StandbyOptionIndex));
    const std::optional<QUrl> prompter = leaderaddress(address, parser.value(m_options.at(TokenOptionIndex)));
    if (!prompter) {
        refuse(i18n(str::BadLeaderAddress).arg(address), wrongCommandLine);
        return false;
    }
    // The standby's page is its prompter's: a script, a queue or a turned display of its own
    // would be replaced at once.
    if (!parser.positionalArguments().isEmpty() || parser.isSet(m_options.at(QueueOptionIndex)) ||
        parser.isSet(m_options.at(MirrorOptionIndex)) || parser.isSet(m_options.at(RotateOptionIndex))) {
        refuse(i18n(str::StandbyAlone), wrongCommandLine);
        return false;
    }
    m_standbyOf = *prompter;
    return true;
}

void CommandLine::takeQueue(const QString &path)
{
    try {
        m_queueEntries = loadqueuefile(path);
        m_startsQueue = true;
    } catch (const std::exception &error) {
        refuse(QString::fromUtf8(error.what()), fileUnreadable);
    }
}

QString CommandLine::helpText() const
{
    QList<QPair<QString, QString>> options;
    for (const QCommandLineOption &option : m_options)
        options.append({optionNames(option), option.description()});
    const QString settingsFile = QDir::toNativeSeparators(SettingsStore().settings().fileName());
    const QString specialChars = DataPaths::find(QStringLiteral("specialchars.dat"));
    const QString specialCharsFile = specialChars.isEmpty()
                                         ? i18n(str::FileNotFound).arg(QStringLiteral("specialchars.dat"))
                                         : QDir::toNativeSeparators(specialChars);

    return i18n(str::UsageLine).arg(m_programName) + QLatin1Char('\n') + i18n(str::CommandLineDescription) +
           QStringLiteral("\n\n") + i18n(str::OptionsHeading) + QLatin1Char('\n') + table(options) +
           QLatin1Char('\n') + i18n(str::ArgumentsHeading) + QLatin1Char('\n') +
           table({{i18n(str::ScriptArgumentName), i18n(str::ScriptArgument)}}) + QLatin1Char('\n') +
           i18n(str::FilesHeading) + QLatin1Char('\n') +
           table({{i18n(str::SettingsFile), settingsFile}, {i18n(str::SpecialCharsFile), specialCharsFile}});
}

int CommandLine::printText(QTextStream &out, QTextStream &errors) const
{
    // The script is read only now, when the text is asked for: read whole before a line is written.
    QStringList lines;
    try {
        lines = scripttextlines(m_printPath);
    } catch (const std::exception &error) {
        errors << m_programName << QStringLiteral(": ") << QString::fromUtf8(error.what()) << '\n';
        errors.flush();
        return fileUnreadable;
    }
    out.setEncoding(QStringConverter::Utf8);
    for (const QString &line : lines)
        out << line << '\n';
    out.flush();
    return 0;
}

QString CommandLine::versionText() const
{
    return i18n(str::ProgramVersion).arg(QStringLiteral(VANTELL_VERSION));
}

int CommandLine::answer(QTextStream &out, QTextStream &errors) const
{
    switch (m_request) {
    case Request::ShowHelp:
        out << helpText();
        break;
    case Request::ShowVersion:
        out << versionText() << '\n';
        break;
    case Request::PrintText:
        return printText(out, errors);
    case Request::Mistake:
        errors << m_mistake << '\n';
        break;
    case Request::Run:
        break;
    }
    out.flush();
    errors.flush();
    return m_exitStatus;
}
