#include "settings/taboutform.h"

#include "platform/translation.h"
#include "stringtable.h"

Taboutform::Taboutform(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutform"));
    setWindowTitle(i18n(str::AboutCaption));
    setFixedSize(325, 151);
}
