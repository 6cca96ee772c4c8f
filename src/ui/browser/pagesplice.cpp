#include "ui/browser/pagesplice.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

#include "ui/browser/browser.h"
#include "ui/browser/pagescripts.h"

namespace {

QJsonObject changeObject(int at, int removed, const QStringList &lines)
{
    // A change that puts lines in place of lines keeps the first one's mark (editlines.js).
    const bool keep = removed != 0 && !lines.isEmpty();
    QString html = Browser::markedlines(lines);
    if (keep)
        html.remove(0, Browser::linemark().size());
    return QJsonObject{{QStringLiteral("at"), at},
                       {QStringLiteral("removed"), removed},
                       {QStringLiteral("keep"), keep},
                       {QStringLiteral("html"), html}};
}

using Done = std::function<void(const SpliceResult &)>;

void run(Browser &page, const QJsonArray &changes, int anchor, double readingY, int linesBefore,
         std::function<void(const QVariantList &)> answered, Done done)
{
    const QString script =
        pagescript(QStringLiteral("readingline")) + pagescript(QStringLiteral("editlines")) +
        // All at once: a script's text may hold "%2" itself.
        QStringLiteral("(%1, %2, %3, %4);")
            .arg(QString::fromUtf8(QJsonDocument(changes).toJson(QJsonDocument::Compact)),
                 QString::number(anchor), QString::number(readingY, 'f', 2), QString::number(linesBefore));
    page.evaluate(script, [answered, done](const QVariant &value) {
        const QVariantList answer = value.toList();
        if (answer.size() != 5)
            done({});
        else
            answered(answer);
    });
}

} // namespace

void splicepage(Browser &page, const PageEdit &edit, const QStringList &edited, double readingY,
                std::function<void(const SpliceResult &)> done)
{
    const int body = bodystart(edited);
    if (!page.isDocumentComplete() || !page.isScriptPage() || body < 0 ||
        edit.changes.size() != edit.lines.size()) {
        done({});
        return;
    }
    QJsonArray changes;
    for (qsizetype i = 0; i < edit.changes.size(); ++i)
        changes.append(changeObject(edit.changes.at(i).at, edit.changes.at(i).removed, edit.lines.at(i)));
    QPointer<Browser> self(&page);
    run(
        page, changes, edit.anchor, readingY, edit.linesBefore,
        [self, edit, edited, body, readingY, done](const QVariantList &answer) {
            const int failed = answer.at(0).toInt();
            SpliceResult result{true, answer.at(1).toInt(), answer.at(2).toDouble(), answer.at(3).toDouble(),
                                answer.at(4).toInt()};
            if (failed < 0) {
                done(result);
                return;
            }
            // The changes after the one refused are in; it is made with the rest of the page from its
            // first line, and those before it as they were.
            QJsonArray rest;
            for (int i = 0; i < failed; ++i)
                rest.append(
                    changeObject(edit.changes.at(i).at, edit.changes.at(i).removed, edit.lines.at(i)));
            const LineChange &refused = edit.changes.at(failed);
            rest.append(changeObject(refused.at, -1, edited.mid(body + refused.first)));
            int lines = edit.linesBefore;
            for (qsizetype i = failed + 1; i < edit.changes.size(); ++i)
                lines += edit.changes.at(i).count - edit.changes.at(i).removed;
            run(
                *self, rest, result.held, readingY, lines,
                [done, result](const QVariantList &second) {
                    SpliceResult made = result;
                    made.done = second.at(0).toInt() < 0;
                    made.held = second.at(1).toInt();
                    made.shift += second.at(2).toDouble();
                    made.still = second.at(3).toDouble();
                    done(made);
                },
                done);
        },
        done);
}
