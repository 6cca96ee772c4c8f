#include "ui/options/midibindingsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/platform/translation.h"
#include "ui/remote/midiremote.h"
#include "stringtable.h"

namespace {
template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

MidiBindingsDialog::MidiBindingsDialog(MidiRemote *midi, QWidget *parent)
    : QDialog(parent), m_midi(midi), m_mapping(MidiMapping::fromEntries(midi->settings().bindings))
{
    setObjectName(QStringLiteral("MidiBindings"));
    setWindowTitle(i18n(str::MidiBindingsCaption));
    auto *layout = new QVBoxLayout(this);
    midienabled = named(new QCheckBox(i18n(str::MidiEnabled), this), "midienabled");
    midienabled->setChecked(midi->settings().enabled);
    layout->addWidget(midienabled);
    midistatus = named(new QLabel(midi->status(), this), "midistatus");
    midistatus->setWordWrap(true);
    layout->addWidget(midistatus);

    midibindings = named(new QTreeWidget(this), "midibindings");
    midibindings->setRootIsDecorated(false);
    midibindings->setHeaderLabels({i18n(str::MidiControlColumn), i18n(str::MidiCommandColumn)});
    midibindings->header()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(midibindings);

    auto *row = new QHBoxLayout;
    midicommand = named(new QComboBox(this), "midicommand");
    midicommand->addItems(MidiMapping::bindableCommands());
    midicommand->setAccessibleName(i18n(str::MidiCommandColumn));
    midilearn = named(new QPushButton(i18n(str::MidiLearn), this), "midilearn");
    midilearn->setCheckable(true);
    midilearn->setAutoDefault(false);
    midiremove = named(new QPushButton(i18n(str::MidiRemove), this), "midiremove");
    midiremove->setAutoDefault(false);
    row->addWidget(midicommand, 1);
    row->addWidget(midilearn);
    row->addWidget(midiremove);
    layout->addLayout(row);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(i18n(str::Ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(i18n(str::Cancel));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(midilearn, &QPushButton::toggled, this, [this](bool learning) {
        m_midi->setLearning(learning);
        midistatus->setText(learning ? i18n(str::MidiMoveAControl).arg(midicommand->currentText())
                                     : m_midi->status());
    });
    connect(midiremove, &QPushButton::clicked, this, [this] {
        const int row = midibindings->indexOfTopLevelItem(midibindings->currentItem());
        if (row < 0 || row >= m_mapping.bindings().size())
            return;
        m_mapping.forget(m_mapping.bindings().at(row).control);
        showBindings();
    });
    connect(midi, &MidiRemote::eventReceived, this, &MidiBindingsDialog::learned);
    showBindings();
    resize(420, 360);
}

MidiBindingsDialog::~MidiBindingsDialog()
{
    m_midi->setLearning(false);
}

void MidiBindingsDialog::learned(const MidiEvent &event)
{
    // A release of the control just bound is no new binding.
    if (!midilearn->isChecked() || (event.control.kind == MidiControl::Kind::Note && event.value == 0))
        return;
    m_mapping.bind(event.control, midicommand->currentText());
    midilearn->setChecked(false);
    showBindings();
    midistatus->setText(i18n(str::MidiBound).arg(midicontrolname(event.control), midicommand->currentText()));
}

void MidiBindingsDialog::showBindings()
{
    midibindings->clear();
    for (const MidiBinding &binding : m_mapping.bindings())
        midibindings->addTopLevelItem(
            new QTreeWidgetItem({midicontrolname(binding.control), binding.command}));
    midiremove->setEnabled(!m_mapping.bindings().isEmpty());
}

MidiSettings MidiBindingsDialog::values() const
{
    return MidiSettings{midienabled->isChecked(), m_mapping.entries()};
}
