#pragma once

#include <functional>

#include <QObject>
#include <QPointer>
#include <QStringList>

class QMimeData;
class QWidget;

// Takes drops of files on `area` and every widget in it, before any of them sees the drag: a
// browser page would otherwise take a dropped file as a place to go. `wanted` picks the files a
// drag carries that the area takes (a drag with none is left alone); `dropped` gets them once the
// drop is over, so that it may show a message without holding up the program the drag came from.
class FileDrop : public QObject {
    Q_OBJECT
public:
    using Picker = std::function<QStringList(const QMimeData *)>;
    FileDrop(QWidget *area, Picker wanted, std::function<void(const QStringList &)> dropped);
    ~FileDrop() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inArea(QObject *watched) const;

    QPointer<QWidget> m_area;
    Picker m_wanted;
    std::function<void(const QStringList &)> m_dropped;
};
