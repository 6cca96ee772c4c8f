#include "testsupport/documentprobe.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "core/import/listlabel.h"

QStringList paragraphtexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

QTextCharFormat formatof(const QTextDocument &document, const QString &text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().text().contains(text))
                return fragment.fragment().charFormat();
        }
    }
    [&text] { QFAIL(qPrintable(QStringLiteral("no run holds \"%1\"").arg(text))); }();
    return QTextCharFormat();
}

QStringList listmarks(const QTextDocument &document)
{
    QStringList marks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        marks << listlabel(block);
    return marks;
}

QTextBlock paragraphof(const QTextDocument &document, const QString &text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().contains(text))
            return block;
    }
    return QTextBlock();
}
