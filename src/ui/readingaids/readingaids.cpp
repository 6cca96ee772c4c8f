#include "ui/readingaids/readingaids.h"

#include "core/settings/settingsstore.h"
#include "ui/settings/settingsgroup.h"

ReadingAids::ReadingAids(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("readingaids"));
}

void ReadingAids::set(const ReadingAidSettings &values)
{
    const ReadingAidSettings before = m_values;
    m_values = values;
    emit changed(before);
}

void ReadingAids::change(const std::function<void(ReadingAidSettings &)> &edit)
{
    ReadingAidSettings values = m_values;
    edit(values);
    set(values);
}

void ReadingAids::restore()
{
    SettingsStore store;
    set(readreadingaids(store.settings()));
}

void ReadingAids::store() const
{
    const ReadingAidSettings values = m_values;
    storeSettings(QStringLiteral("ReadingAids"),
                  [&values](QSettings &settings) { writereadingaids(settings, values); });
}
