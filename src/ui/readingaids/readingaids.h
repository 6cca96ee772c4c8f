#pragma once

#include <functional>

#include <QObject>

#include "core/settings/readingaidsettings.h"

// The reading aids' settings as the features that read them share them: markers and jumps, the
// reading line, the countdown, the clocks and the talent message each read their part and change
// it here, and each shows itself again when they change. Kept between runs (group "ReadingAids").
class ReadingAids : public QObject {
    Q_OBJECT
public:
    explicit ReadingAids(QObject *parent = nullptr);

    const ReadingAidSettings &values() const { return m_values; }
    void set(const ReadingAidSettings &values);
    // Changes the settings as `edit` does.
    void change(const std::function<void(ReadingAidSettings &)> &edit);

    // The stored settings, and storing them.
    void restore();
    void store() const;

signals:
    // The settings changed, or were set again as they were (the features show them anew).
    void changed(const ReadingAidSettings &before);

private:
    ReadingAidSettings m_values;
};
