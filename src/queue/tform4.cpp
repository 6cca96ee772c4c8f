#include "queue/tform4.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include "platform/radiogroup.h"
#include "platform/translation.h"
#include "stringtable.h"

namespace {
RadioGroup *radioGroup(const char *name, QWidget *parent)
{
    auto *group = new RadioGroup(parent);
    group->setObjectName(QLatin1String(name));
    return group;
}
} // namespace

TForm4::TForm4(QWidget *parent)
    : QDialog(parent), ListBox1(new QListWidget(this)), mainformlocation(radioGroup("mainformlocation", this)),
      allcaps(radioGroup("allcaps", this)), mtype(radioGroup("mtype", this)), rtype(radioGroup("rtype", this))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(i18n(str::OptionsCaption));
    resize(501, 422);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    mainformlocation->setItems({i18n(str::AlignTop), i18n(str::AlignBottom)});
    allcaps->setItems({i18n(str::No), i18n(str::Yes)});
    for (RadioGroup *target : {mtype, rtype})
        target->setItems({i18n(str::Local), i18n(str::Remote), i18n(str::Both)});
    for (RadioGroup *group : {mainformlocation, allcaps, mtype, rtype})
        group->setItemIndex(0);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    auto *options = new QVBoxLayout;
    for (RadioGroup *group : {mainformlocation, allcaps, mtype, rtype})
        options->addWidget(group);
    layout->addLayout(options);
}

void TForm4::clearQueue()
{
    ListBox1->clear();
}
