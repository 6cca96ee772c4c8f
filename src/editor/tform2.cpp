#include "editor/tform2.h"

#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/translation.h"
#include "stringtable.h"

TForm2::TForm2(QWidget *parent) : QDialog(parent), re1(new QTextEdit(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(i18n(str::EditorCaption));
    resize(783, 481);
    re1->setObjectName(QStringLiteral("re1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(re1);
}
