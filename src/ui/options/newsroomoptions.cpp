#include "ui/options/newsroomoptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/mos/mosadmission.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QSpinBox *portBox(const char *name, QWidget *parent)
{
    auto *box = named(new QSpinBox(parent), name);
    box->setRange(1, 65535);
    box->setFixedWidth(64);
    // A port is typed, not stepped to.
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return box;
}

// Only the roles set here: the rest comes from the window's light on dark. The placeholder says
// what an empty field means, and a field that holds a mistake shows it in red.
QPalette fieldPalette(bool mistaken)
{
    QPalette look;
    look.setColor(QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0));
    if (mistaken)
        look.setColor(QPalette::Text, QColor(0xff, 0x60, 0x60));
    return look;
}

// A field of the admission with its caption, as a new row of `rows`.
QLineEdit *admissionField(const char *name, const char *caption, const char *hint, const char *empty,
                          QGridLayout *rows, QWidget *parent)
{
    auto *label = new QLabel(i18n(caption), parent);
    auto *field = named(new QLineEdit(parent), name);
    label->setBuddy(field);
    field->setToolTip(i18n(hint));
    field->setAccessibleDescription(i18n(hint));
    field->setPalette(fieldPalette(false));
    if (empty)
        field->setPlaceholderText(i18n(empty));
    const int row = rows->rowCount();
    rows->addWidget(label, row, 0);
    rows->addWidget(field, row, 1);
    return field;
}

} // namespace

NewsroomOptions::NewsroomOptions(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Newsroom"));
    setTitle(i18n(str::NewsroomSystem));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);

    mosenabled = named(new QCheckBox(i18n(str::NewsroomListen), this), "mosenabled");
    auto *portsLabel = new QLabel(i18n(str::NewsroomPorts), this);
    moslowerport = portBox("moslowerport", this);
    mosupperport = portBox("mosupperport", this);
    for (const auto &[box, hint] :
         {std::pair{moslowerport, str::NewsroomLowerPort}, std::pair{mosupperport, str::NewsroomUpperPort}}) {
        box->setToolTip(i18n(hint));
        // The field inside the box is what screen readers land on.
        if (auto *field = box->findChild<QLineEdit *>())
            field->setAccessibleName(i18n(hint));
    }
    auto *ports = new QHBoxLayout;
    ports->setSpacing(4);
    ports->addWidget(mosenabled);
    ports->addStretch();
    ports->addWidget(portsLabel);
    ports->addWidget(moslowerport);
    ports->addWidget(mosupperport);
    grid->addLayout(ports, 0, 0);

    auto *instructionsLabel = new QLabel(i18n(str::NewsroomInstructions), this);
    mosdimmed = named(new QRadioButton(i18n(str::NewsroomDimmed), this), "mosdimmed");
    moshidden = named(new QRadioButton(i18n(str::NewsroomHidden), this), "moshidden");
    instructionsLabel->setBuddy(mosdimmed);
    auto *choice = new QButtonGroup(this);
    choice->addButton(mosdimmed);
    choice->addButton(moshidden);
    auto *instructions = new QHBoxLayout;
    instructions->setSpacing(6);
    instructions->addWidget(instructionsLabel);
    instructions->addWidget(mosdimmed);
    instructions->addWidget(moshidden);
    instructions->addStretch();
    grid->addLayout(instructions, 1, 0);

    // The two IDs line up under their short captions, which leaves the NCS ID's field room to say
    // in full that any newsroom system is accepted; the addresses have a row of their own.
    auto *ids = new QGridLayout;
    auto *addresses = new QGridLayout;
    for (QGridLayout *rows : {ids, addresses}) {
        rows->setHorizontalSpacing(6);
        rows->setVerticalSpacing(2);
    }
    mosdeviceid =
        admissionField("mosdeviceid", str::NewsroomDeviceId, str::NewsroomDeviceIdHint, nullptr, ids, this);
    mosdeviceid->setMaxLength(128);
    mosncsid = admissionField("mosncsid", str::NewsroomNcsId, str::NewsroomNcsIdHint, str::NewsroomAnyNcs,
                              ids, this);
    mosallowed = admissionField("mosallowed", str::NewsroomAllowed, str::NewsroomAllowedHint,
                                str::NewsroomAnyAddress, addresses, this);
    auto *admission = new QVBoxLayout;
    admission->setSpacing(2);
    admission->addLayout(ids);
    admission->addLayout(addresses);
    grid->addLayout(admission, 2, 0);
    connect(mosallowed, &QLineEdit::textChanged, this, &NewsroomOptions::checkAddresses);

    mosstatus = named(new QLabel(this), "mosstatus");
    mosstatus->setWordWrap(true);
    // It shows IDs that newsroom systems sent: never read as markup.
    mosstatus->setTextFormat(Qt::PlainText);
    grid->addWidget(mosstatus, 3, 0);
    showSettings(NewsroomSettings{});
}

NewsroomSettings NewsroomOptions::values(const NewsroomSettings &base) const
{
    NewsroomSettings values = base;
    values.enabled = mosenabled->isChecked();
    values.lowerPort = moslowerport->value();
    values.upperPort = mosupperport->value();
    values.hideInstructions = moshidden->isChecked();
    // The device must have an ID: an emptied field keeps the one it had.
    if (const QString id = mosdeviceid->text().trimmed(); !id.isEmpty())
        values.deviceId = id;
    values.ncsId = mosncsid->text().trimmed();
    values.allowedAddresses = mosallowed->text().trimmed();
    return values;
}

void NewsroomOptions::showSettings(const NewsroomSettings &settings)
{
    mosenabled->setChecked(settings.enabled);
    moslowerport->setValue(settings.lowerPort);
    mosupperport->setValue(settings.upperPort);
    (settings.hideInstructions ? moshidden : mosdimmed)->setChecked(true);
    mosdeviceid->setText(settings.deviceId);
    mosncsid->setText(settings.ncsId);
    mosallowed->setText(settings.allowedAddresses);
}

void NewsroomOptions::setStatus(const QString &text)
{
    mosstatus->setText(text);
}

void NewsroomOptions::checkAddresses()
{
    const QStringList invalid = readaddresslist(mosallowed->text()).invalid;
    mosallowed->setPalette(fieldPalette(!invalid.isEmpty()));
    mosallowed->setToolTip(invalid.isEmpty()
                               ? i18n(str::NewsroomAllowedHint)
                               : i18n(str::NewsroomNotAddresses).arg(invalid.join(QLatin1String(", "))));
}
