#include "ui/rundown/rundownpage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>

#include "ui/browser/browser.h"
#include "ui/browser/pagescripts.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/talentdisplay/talentdisplay.h"

namespace {

QJsonArray keylist(const QList<int> &keys)
{
    QJsonArray list;
    for (const int key : keys)
        list.append(key);
    return list;
}

// A story's lines as the page serves them: with the invisible block breaks that keep the layout
// time linear, as a whole page gets them.
QString servedmarkup(const QStringList &lines)
{
    const QString body = QStringLiteral("<body>");
    const QString served = QString::fromUtf8(Browser::pagebytes(QStringList{body} << lines));
    return served.mid(body.size() + 2);
}

QString json(const QJsonValue &value)
{
    // A JSON text is a JavaScript expression: the array around it comes off.
    const QString text = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    return text.mid(1, text.size() - 2);
}

QList<QList<int>> columns(const QVariant &value, int count)
{
    QList<QList<int>> read;
    const QVariantList answer = value.toList();
    for (int i = 0; i < count && i < answer.size(); ++i) {
        QList<int> column;
        for (const QVariant &number : answer.at(i).toList())
            column << number.toInt();
        read << column;
    }
    return read;
}

} // namespace

RundownPage::RundownPage(Browser &page, TalentDisplay &talent) : m_page(page), m_talent(talent) {}

void RundownPage::measure(std::function<void(const StoryLayout &)> done)
{
    m_page.evaluate(pagescript(QStringLiteral("stories")), [done](const QVariant &value) {
        const QVariantList answer = value.toList();
        const QList<QList<int>> read = columns(value, 5);
        if (answer.size() != 7 || read.size() != 5)
            return;
        StoryLayout layout;
        layout.keys = read.at(0);
        layout.bannerTops = read.at(1);
        layout.bannerBottoms = read.at(2);
        layout.storyTops = read.at(3);
        layout.storyBottoms = read.at(4);
        layout.viewHeight = answer.at(5).toInt();
        layout.bottom = answer.at(6).toInt();
        done(layout);
    });
}

bool RundownPage::change(const StoryPageChange &change, double readingLine, std::function<void()> done)
{
    QJsonObject stories;
    for (auto story = change.stories.cbegin(); story != change.stories.cend(); ++story)
        stories.insert(QString::number(story.key()), servedmarkup(*story));
    QJsonObject banners;
    for (auto banner = change.banners.cbegin(); banner != change.banners.cend(); ++banner)
        banners.insert(QString::number(banner.key()), *banner);
    QJsonObject replaced;
    for (auto story = change.replacedBy.cbegin(); story != change.replacedBy.cend(); ++story) {
        QJsonObject paragraphs;
        for (auto paragraph = story->cbegin(); paragraph != story->cend(); ++paragraph)
            paragraphs.insert(QString::number(paragraph.key()), paragraph.value());
        replaced.insert(QString::number(story.key()), paragraphs);
    }
    const QString script = pagescript(QStringLiteral("rundownchange")) +
                           QStringLiteral("(%1, %2, %3, %4, %5, %6, %7); ")
                               .arg(json(keylist(change.order)), json(keylist(change.removed)), json(stories),
                                    json(banners), json(keylist(change.staying)))
                               .arg(readingLine, 0, 'f', 6)
                               .arg(json(replaced));
    if (!m_page.changeScriptPage(script, std::move(done)))
        return false;
    if (OutputWindow *output = m_talent.window())
        if (!output->outputpage->changeScriptPage(script))
            m_talent.loadPage();
    return true;
}
