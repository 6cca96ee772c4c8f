#include "testsupport/scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::install(nullptr);
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const Shown &item : shown)
        if (item.kind == Shown::Message)
            texts << item.text;
    return texts;
}

void ScriptedDialogs::message(const QString &text, Icon)
{
    shown.append({Shown::Message, text, {}, {}});
}

bool ScriptedDialogs::question(const QString &text, const QString &caption, Icon, Answer byDefault)
{
    shown.append({Shown::Question, text, caption, {}, byDefault});
    return answers.isEmpty() ? false : answers.dequeue();
}

FileChoice ScriptedDialogs::openFile(const FileDialogRequest &request)
{
    shown.append({Shown::OpenFile, request.title, request.filter, request});
    return files.isEmpty() ? FileChoice{} : files.dequeue();
}

FileChoice ScriptedDialogs::saveFile(const FileDialogRequest &request)
{
    shown.append({Shown::SaveFile, request.title, request.filter, request});
    return files.isEmpty() ? FileChoice{} : files.dequeue();
}

std::optional<FontSpec> ScriptedDialogs::chooseFont(const FontSpec &initial)
{
    shown.append({Shown::Font, initial.name, {}, {}});
    return fonts.isEmpty() ? std::nullopt : fonts.dequeue();
}

std::optional<QString> ScriptedDialogs::askText(const QString &caption, const QString &label, const QString &)
{
    shown.append({Shown::Text, label, caption, {}});
    return texts.isEmpty() ? std::nullopt : texts.dequeue();
}

void ScriptedDialogs::printPreview(const QByteArray &pdf, const QString &title)
{
    shown.append({Shown::PrintPreview, title, {}, {}});
    previews.append(pdf);
}
