#pragma once

#include "ui/toolkit/dialogs.h"

// The real dialogs: message boxes, file dialogs and the font dialog, over the active window.
class QtDialogs : public Dialogs {
public:
    void message(const QString &text, Icon icon) override;
    bool question(const QString &text, const QString &caption, Icon icon, Answer byDefault) override;
    FileChoice openFile(const FileDialogRequest &request) override;
    FileChoice saveFile(const FileDialogRequest &request) override;
    std::optional<FontSpec> chooseFont(const FontSpec &initial) override;
    std::optional<QString> askText(const QString &caption, const QString &label,
                                   const QString &initial) override;
    void printPreview(const QByteArray &pdf, const QString &title) override;
};
