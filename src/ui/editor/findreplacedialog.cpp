#include "ui/editor/findreplacedialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

QPushButton *button(const char *name, const char *text, QWidget *parent)
{
    auto *push = new QPushButton(i18n(text), parent);
    push->setObjectName(QLatin1String(name));
    push->setAutoDefault(false);
    return push;
}

} // namespace

FindReplaceDialog::FindReplaceDialog(Kind kind, QWidget *parent) : QDialog(parent)
{
    setObjectName(QLatin1String(kind == Find ? "FindDialog1" : "ReplaceDialog1"));
    setWindowTitle(i18n(kind == Find ? str::FindTitle : str::ReplaceTitle));
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *fields = new QFormLayout;
    FindText = new QLineEdit(this);
    FindText->setObjectName(QStringLiteral("FindText"));
    auto *findLabel = new QLabel(i18n(str::FindWhat), this);
    findLabel->setBuddy(FindText);
    fields->addRow(findLabel, FindText);
    if (kind == Replace) {
        ReplaceText = new QLineEdit(this);
        ReplaceText->setObjectName(QStringLiteral("ReplaceText"));
        auto *replaceLabel = new QLabel(i18n(str::ReplaceWith), this);
        replaceLabel->setBuddy(ReplaceText);
        fields->addRow(replaceLabel, ReplaceText);
    }
    MatchCase = new QCheckBox(i18n(str::MatchCase), this);
    MatchCase->setObjectName(QStringLiteral("MatchCase"));

    auto *options = new QHBoxLayout;
    options->addWidget(MatchCase, 0, Qt::AlignBottom);
    if (kind == Replace) {
        auto *direction = new QGroupBox(i18n(str::Direction), this);
        auto *choices = new QHBoxLayout(direction);
        Up = new QRadioButton(i18n(str::DirectionUp), direction);
        Up->setObjectName(QStringLiteral("Up"));
        Down = new QRadioButton(i18n(str::DirectionDown), direction);
        Down->setObjectName(QStringLiteral("Down"));
        Down->setChecked(true);
        choices->addWidget(Up);
        choices->addWidget(Down);
        options->addWidget(direction);
    }
    options->addStretch();

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();

    auto *buttons = new QVBoxLayout;
    FindNext = button("FindNext", str::FindNext, this);
    FindNext->setDefault(true);
    buttons->addWidget(FindNext);
    connect(FindNext, &QPushButton::clicked, this, &FindReplaceDialog::findNextClicked);
    if (kind == Replace) {
        ReplaceButton = button("Replace", str::ReplaceButton, this);
        ReplaceAllButton = button("ReplaceAll", str::ReplaceAllButton, this);
        buttons->addWidget(ReplaceButton);
        buttons->addWidget(ReplaceAllButton);
        connect(ReplaceButton, &QPushButton::clicked, this, [this] { emit replaceClicked(false); });
        connect(ReplaceAllButton, &QPushButton::clicked, this, [this] { emit replaceClicked(true); });
    }
    CancelButton = button("Cancel", str::Cancel, this);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(FindText, &QLineEdit::textChanged, this, &FindReplaceDialog::offerButtons);
    offerButtons();
}

QString FindReplaceDialog::findText() const
{
    return FindText->text();
}

QString FindReplaceDialog::replaceText() const
{
    return ReplaceText ? ReplaceText->text() : QString();
}

bool FindReplaceDialog::matchCase() const
{
    return MatchCase->isChecked();
}

void FindReplaceDialog::offerButtons()
{
    const bool hasText = !FindText->text().isEmpty();
    for (QPushButton *action : {FindNext, ReplaceButton, ReplaceAllButton})
        if (action)
            action->setEnabled(hasText);
}
