#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "core/platform/fontspec.h"

// What a file dialog is asked for. The filter is written "Description|*.a;*.b|Description|*.c".
struct FileDialogRequest {
    QString title;
    QString filter;
    QString defaultSuffix; // added to a name typed without one; no dot
    QString fileName;      // the name proposed by a save dialog
    QString directory;     // the folder the dialog starts in; empty: wherever the dialog likes
    bool confirmOverwrite = true;
};

// The file chosen, and which filter of the request was chosen (from 1); an empty path means cancelled.
struct FileChoice {
    QString path;
    int filterIndex = 1;
    bool accepted() const { return !path.isEmpty(); }
};

// Every modal interaction of the program goes through this interface, so that tests can answer
// the questions and read the exact texts shown.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Error };
    enum class Answer { Yes, No };

    virtual ~Dialogs() = default;

    // A plain message with an OK button, captioned with the application's title.
    virtual void message(const QString &text, Icon icon = Icon::None) = 0;
    // A question with Yes and No; true for Yes. Enter gives `byDefault`: No where Yes loses
    // something.
    virtual bool question(const QString &text, const QString &caption, Icon icon,
                          Answer byDefault = Answer::Yes) = 0;
    virtual FileChoice openFile(const FileDialogRequest &request) = 0;
    virtual FileChoice saveFile(const FileDialogRequest &request) = 0;
    // Face, style, size, underline, strike-out and colour; nothing when cancelled.
    virtual std::optional<FontSpec> chooseFont(const FontSpec &initial) = 0;
    // A line of text typed in answer to `label` (starting from `initial`); nothing when cancelled.
    virtual std::optional<QString> askText(const QString &caption, const QString &label,
                                           const QString &initial) = 0;
    // The print preview of a PDF document, from which the operator may print it.
    virtual void printPreview(const QByteArray &pdf, const QString &title) = 0;

    // The dialogs in use: the installed ones, or the real ones.
    static Dialogs &current();
    // Installs `dialogs` (not owned); nullptr puts the real ones back.
    static void install(Dialogs *dialogs);
};
