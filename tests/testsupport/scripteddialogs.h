#pragma once

#include <QList>
#include <QQueue>
#include <QString>

#include "ui/toolkit/dialogs.h"

// Dialogs for tests: every text shown is recorded, and questions, file dialogs and font dialogs
// and text questions take their answers from queues filled by the test (No, cancelled and
// cancelled when empty);
// print previews keep their documents.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum Kind { Message, Question, OpenFile, SaveFile, Font, Text, PrintPreview } kind;
        QString text;    // message or question text; the dialog title for file dialogs
        QString caption; // question caption; the filter for file dialogs
        FileDialogRequest request;
        Answer byDefault = Answer::Yes; // of a question
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QList<Shown> shown;
    QQueue<bool> answers;
    QQueue<FileChoice> files;
    QQueue<std::optional<FontSpec>> fonts;
    QQueue<std::optional<QString>> texts;
    QList<QByteArray> previews; // the documents shown in print previews

    QStringList messages() const;
    void clear() { shown.clear(); }

    void message(const QString &text, Icon icon) override;
    bool question(const QString &text, const QString &caption, Icon icon, Answer byDefault) override;
    FileChoice openFile(const FileDialogRequest &request) override;
    FileChoice saveFile(const FileDialogRequest &request) override;
    std::optional<FontSpec> chooseFont(const FontSpec &initial) override;
    std::optional<QString> askText(const QString &caption, const QString &label,
                                   const QString &initial) override;
    void printPreview(const QByteArray &pdf, const QString &title) override;
};
