#include "core/mos/storylines.h"

#include <vector>

#include <QHash>

#include "core/editlive/linechanges.h"

namespace {

// Instructions stand back from the text that is read: grey on the black page.
const QString dimmedStart = QStringLiteral("<span style=\"color:#808080\">");

// Paragraph counts beyond which the comparison of two versions takes only their common start and
// end, so that the work stays small whatever the newsroom sends.
constexpr qsizetype maxCompared = 1000;

QString runHtml(const MosTextRun &run)
{
    QString html = run.text.toHtmlEscaped();
    if (run.underline)
        html = QStringLiteral("<u>%1</u>").arg(html);
    if (run.italic)
        html = QStringLiteral("<i>%1</i>").arg(html);
    if (run.bold)
        html = QStringLiteral("<b>%1</b>").arg(html);
    if (run.instruction)
        html = dimmedStart + html + QStringLiteral("</span>");
    return html;
}

} // namespace

QString paragraphtext(const MosParagraph &paragraph)
{
    QString text;
    for (const MosTextRun &run : paragraph)
        text += run.text;
    return text;
}

QStringList storylines(const MosStoryText &text, InstructionDisplay display, const QList<int> &keys)
{
    QStringList lines;
    lines.reserve(text.paragraphs.size());
    for (qsizetype i = 0; i < text.paragraphs.size(); ++i) {
        const MosParagraph &paragraph = text.paragraphs.at(i);
        QString line = QStringLiteral("<span data-p=\"%1\"></span>").arg(keys.value(i, -1));
        bool spoken = paragraph.isEmpty(); // an empty paragraph is a gap the writer wanted
        for (const MosTextRun &run : paragraph) {
            if (run.instruction && display == InstructionDisplay::Hidden)
                continue;
            spoken = spoken || !run.instruction;
            line += runHtml(run);
        }
        if (spoken || display == InstructionDisplay::Dimmed)
            lines << line;
    }
    return lines;
}

FollowedParagraphs followparagraphs(const QStringList &before, const QList<int> &beforeKeys,
                                    const QStringList &after, int &nextKey)
{
    const qsizetype n = before.size();
    const qsizetype m = after.size();
    // The paragraphs that stay, in order.
    const std::vector<std::pair<qsizetype, qsizetype>> kept = keptlines(before, after, maxCompared);
    // Paragraphs compared by a number standing for their text, to find those moved elsewhere whole.
    const NumberedLines numbered = numberedlines(before, after);
    const std::vector<int> &was = numbered.before;
    const std::vector<int> &is = numbered.after;

    // Where each paragraph went: first the common run, then paragraphs moved elsewhere whole.
    std::vector<qsizetype> wentTo(n, -1), cameFrom(m, -1);
    for (const auto &[from, to] : kept) {
        wentTo[from] = to;
        cameFrom[to] = from;
    }
    QHash<int, QList<qsizetype>> unmatched;
    for (qsizetype from = 0; from < n; ++from)
        if (wentTo[from] < 0)
            unmatched[was[from]].append(from);
    for (qsizetype to = 0; to < m; ++to) {
        auto candidates = unmatched.find(is[to]);
        if (cameFrom[to] >= 0 || candidates == unmatched.end() || candidates->isEmpty())
            continue;
        const qsizetype from = candidates->takeFirst();
        wentTo[from] = to;
        cameFrom[to] = from;
    }

    FollowedParagraphs followed;
    followed.keys.resize(m, -1);
    for (qsizetype to = 0; to < m; ++to)
        followed.keys[to] = cameFrom[to] >= 0 ? beforeKeys.value(cameFrom[to], -1) : -1;
    for (int &key : followed.keys)
        if (key < 0)
            key = nextKey++;
    // A paragraph that went is replaced by the one after where the paragraph before it went.
    if (m == 0)
        return followed;
    qsizetype standIn = 0;
    for (qsizetype from = 0; from < n; ++from) {
        if (wentTo[from] >= 0)
            standIn = std::min(wentTo[from] + 1, m - 1);
        else
            followed.replacedBy.insert(beforeKeys.value(from, -1), followed.keys.at(standIn));
    }
    return followed;
}
