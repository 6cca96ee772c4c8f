#include "core/editor/replaceall.h"

#include <QTextCursor>
#include <QTextDocument>

int replaceall(QTextDocument *document, const QString &find, const QString &replace)
{
    if (find.isEmpty())
        return 0;
    int count = 0;
    QTextCursor editor(document);
    QTextCursor match = document->find(find, 0);
    while (!match.isNull()) {
        if (count == 0)
            editor.beginEditBlock();
        editor.setPosition(match.selectionStart());
        editor.setPosition(match.selectionEnd(), QTextCursor::KeepAnchor);
        editor.insertText(replace);
        ++count;
        match = document->find(find, editor.position());
    }
    if (count > 0)
        editor.endEditBlock();
    return count;
}
