#include "ui/settings/pendingsettingswrite.h"

PendingSettingsWrite::PendingSettingsWrite(QObject *window, std::function<void()> write)
    : QObject(window), m_write(std::move(write))
{
}

PendingSettingsWrite::~PendingSettingsWrite()
{
    if (m_write)
        m_write();
}

void PendingSettingsWrite::markWritten(QObject *window)
{
    for (PendingSettingsWrite *pending :
         window->findChildren<PendingSettingsWrite *>(Qt::FindDirectChildrenOnly))
        pending->m_write = nullptr;
}
