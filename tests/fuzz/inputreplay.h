#pragma once

#include <QSettings>
#include <QTemporaryFile>

#include "core/platform/textfile.h"
#include "core/render/miniawk.h"
#include "core/render/specialchars.h"
#include "core/controllers/controllermap.h"
#include "core/settings/controllersettings.h"
#include "core/settings/newsroomsettings.h"
#include "core/settings/optionssettings.h"
#include "core/settings/promptersettings.h"
#include "core/settings/storedvalue.h"

// What the fuzz harnesses of the files a user or another program hands the prompter play, and
// what must hold whatever their bytes are. Each returns the first fault found, or nothing; the
// harnesses abort on a fault, the corpus tests report it.

// Text files (scripts, queue files, specialchars.dat): decoded, split into lines, and, as a
// queue file is, written again and read back.
inline QString replaytextfile(const QByteArray &bytes)
{
    const QString text = decodetext(bytes);
    const QStringList lines = splitlines(text);
    for (const QString &line : lines)
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            return QStringLiteral("a line holds a line break");
    // Valid UTF-8 without a byte-order mark is read as it is.
    if (!bytes.startsWith("\xEF\xBB\xBF") && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
        const QString utf8 = QString::fromUtf8(bytes);
        if (utf8.toUtf8() == bytes && text != utf8)
            return QStringLiteral("valid UTF-8 read otherwise");
    }
    // Saved as a queue file (UTF-8, CR LF after every entry) and read again: the same entries,
    // unless an entry cannot be written as UTF-8 or the first would read as a byte-order mark.
    QByteArray saved;
    bool representable = lines.isEmpty() || !lines.first().startsWith(QChar(0xFEFF));
    for (const QString &line : lines) {
        const QByteArray encoded = line.toUtf8();
        representable = representable && QString::fromUtf8(encoded) == line;
        saved += encoded + "\r\n";
    }
    if (representable && splitlines(decodetext(saved)) != lines)
        return QStringLiteral("a queue does not read back as written");
    return {};
}

// The special characters table and its field splitter: the table's lines split at any separator
// the splitter knows, and scripts converted both ways with the table.
inline QString replayspecialchars(const QByteArray &bytes)
{
    const QStringList table = splitlines(decodetext(bytes));
    static const QStringList separators{QString(),
                                        QStringLiteral("\t"),
                                        QStringLiteral("^I"),
                                        QStringLiteral(","),
                                        QStringLiteral("^["),
                                        QStringLiteral("^z"),
                                        QStringLiteral("^~"),
                                        QStringLiteral("|")};
    TAwkParser parser;
    parser.Separator =
        separators.at(bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes.at(0)) % separators.size());
    const bool single = parser.Separator.size() == 1;
    for (const QString &line : table) {
        parser.Parse(line);
        if (parser.FieldCount > TAwkParser::MaxFields || parser.GetField(0) != line)
            return QStringLiteral("the splitter lost its line");
        if (!parser.GetField(-1).isEmpty() || !parser.GetField(int(parser.FieldCount) + 1).isEmpty())
            return QStringLiteral("a field beyond the line");
        // With one separator character and fewer fields than the splitter keeps, the fields joined
        // again are the line.
        if (single && parser.FieldCount > 0 && parser.FieldCount < TAwkParser::MaxFields) {
            QStringList fields;
            for (int n = 1; n <= parser.FieldCount; ++n)
                fields << parser.GetField(n);
            if (fields.join(parser.Separator) != line)
                return QStringLiteral("the fields do not make the line");
        }
    }
    // The table converts its own lines, as page lines and as editor lines.
    QStringList script = table.mid(0, 64);
    convertchars(QStringLiteral("page"), script, table);
    convertchars(QStringLiteral("editor"), script, table);
    for (const QString &line : script)
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            return QStringLiteral("a converted line holds a line break");
    return {};
}

// The settings file, whatever a person or another program wrote into it: every window's values
// are read within their ranges, or keep the values they had.
inline QString replaysettings(const QByteArray &bytes)
{
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size())
        return {};
    file.close();
    QSettings settings(file.fileName(), QSettings::IniFormat);
    for (const QString &key : settings.allKeys()) {
        const QVariant value = settings.value(key);
        storedtext(value);
        storedinteger(value);
        storedboolean(value);
    }
    PrompterSettings prompter;
    readpromptersettings(settings, prompter, 96, QPalette());
    if (prompter.coarseStep < 1 || prompter.coarseStep > 10 || prompter.tickInterval < 1 ||
        prompter.tickInterval > 301)
        return QStringLiteral("prompter settings out of range");
    OptionsSettings options;
    readoptionssettings(settings, options, 96);
    for (const int index :
         {options.allcaps, options.mainformlocation, options.smoothscroll, options.reloadscript})
        if (index < 0 || index > 1)
            return QStringLiteral("options out of range");
    NewsroomSettings newsroom;
    readnewsroomsettings(settings, newsroom);
    if (newsroom.lowerPort < 1 || newsroom.lowerPort > 65535 || newsroom.upperPort < 1 ||
        newsroom.upperPort > 65535)
        return QStringLiteral("newsroom ports out of range");
    // The controllers' bindings: whatever cannot be read is left out, and what is kept reads
    // back as it is written.
    ControllerSettings controllers;
    readcontrollersettings(settings, controllers);
    const ControllerMap map = ControllerMap::fromEntries(controllers.devices);
    for (const ControllerDevice &device : map.boundDevices()) {
        const ControllerBindings bindings = map.bindingsFor(device);
        for (const ControllerBinding &binding : bindings.bindings())
            if (binding.axis.deadZone < 0 || binding.axis.deadZone > AxisResponse::maxDeadZone ||
                binding.axis.topSpeed < AxisResponse::minTopSpeed || binding.axis.topSpeed > 300 ||
                binding.lines < 1 || binding.lines > ControllerBinding::maxLinesPerStep)
                return QStringLiteral("a controller's binding out of range");
    }
    if (ControllerMap::fromEntries(map.entries()) != map)
        return QStringLiteral("controllers' bindings do not read back as written");
    return {};
}
