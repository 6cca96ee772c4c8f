// The quick editor's editing commands: undo and redo, the clipboard, delete, select all, the
// date and time, the font command, and the hover pictures of the toolbar.
#include <QDateTime>
#include <QTextCursor>
#include <QTextEdit>

#include "core/editor/datetimetext.h"
#include "ui/editor/tform2.h"
#include "ui/toolkit/toolimage.h"

namespace {

QTextCharFormat charFormatOf(const FontSpec &font)
{
    QTextCharFormat format;
    format.setFontFamilies({font.name});
    format.setFontPointSize(font.size);
    format.setFontWeight(font.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic);
    format.setFontUnderline(font.underline);
    format.setFontStrikeOut(font.strikeOut);
    format.setForeground(font.color);
    return format;
}

} // namespace

void TForm2::Undo1Click()
{
    re1->undo();
}

void TForm2::Redo1Click()
{
    re1->redo();
}

void TForm2::Cut1Click()
{
    re1->cut();
}

void TForm2::Copy1Click()
{
    re1->copy();
}

void TForm2::Paste1Click()
{
    re1->paste();
}

void TForm2::Delete1Click()
{
    re1->textCursor().removeSelectedText();
}

void TForm2::SelectAll1Click()
{
    re1->selectAll();
}

void TForm2::DateTime1Click()
{
    re1->insertPlainText(localdatetimetext(QDateTime::currentDateTime()));
}

void TForm2::Image9Click()
{
    Font1Click();
}

void TForm2::Font1Click()
{
    const QColor controlColor = re1->palette().color(QPalette::Text);
    FontSpec initial = FontSpec::fromQFont(re1->font(), controlColor);
    const QTextCursor selection = re1->textCursor();
    if (selection.hasSelection()) {
        // The format of the selection's first character.
        QTextCursor first(re1->document());
        first.setPosition(selection.selectionStart() + 1);
        const QTextCharFormat format = first.charFormat();
        const QBrush brush = format.foreground();
        initial = FontSpec::fromQFont(format.font().resolve(re1->font()),
                                      brush.style() == Qt::NoBrush ? controlColor : brush.color());
    }
    const std::optional<FontSpec> chosen = Dialogs::current().chooseFont(initial);
    if (!chosen)
        return;
    if (re1->textCursor().hasSelection()) {
        re1->textCursor().mergeCharFormat(charFormatOf(*chosen));
    } else {
        // The control's own font: what its text is drawn in, and what the prompter takes as
        // the display font of the script.
        re1->setFont(chosen->toQFont());
        QPalette text = re1->palette();
        text.setColor(QPalette::Text, chosen->color);
        re1->setPalette(text);
        QTextCursor all(re1->document());
        all.select(QTextCursor::Document);
        all.mergeCharFormat(charFormatOf(*chosen));
    }
    editmodified = true;
}

void TForm2::domouseover(ToolImage *image, int index)
{
    image->setPixmap(ImageList2.picture(index, devicePixelRatioF()));
}

void TForm2::domouseout(ToolImage *image, int index)
{
    image->setPixmap(ImageList1.picture(index, devicePixelRatioF()));
}
