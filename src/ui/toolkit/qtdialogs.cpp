#include "ui/toolkit/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "core/platform/filefilter.h"
#include "ui/toolkit/fontdialog.h"
#include "ui/toolkit/printpreviewdialog.h"

namespace {

QMessageBox::Icon toMessageBoxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

FileChoice runFileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

} // namespace

void QtDialogs::message(const QString &text, Icon icon)
{
    QMessageBox box(toMessageBoxIcon(icon), QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::question(const QString &text, const QString &caption, Icon icon, Answer byDefault)
{
    QMessageBox box(toMessageBoxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(byDefault == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

FileChoice QtDialogs::openFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

FileChoice QtDialogs::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<FontSpec> QtDialogs::chooseFont(const FontSpec &initial)
{
    FontDialog dialog(initial, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QString> QtDialogs::askText(const QString &caption, const QString &label,
                                          const QString &initial)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, label,
                                               QLineEdit::Normal, initial, &accepted);
    if (!accepted)
        return std::nullopt;
    return text;
}

void QtDialogs::printPreview(const QByteArray &pdf, const QString &title)
{
    PrintPreviewDialog dialog(pdf, title, QApplication::activeWindow());
    dialog.exec();
}
