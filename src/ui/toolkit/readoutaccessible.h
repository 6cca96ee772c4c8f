#pragma once

#include <QAccessibleWidget>

class QLabel;
class StatusReadout;

// A read-out as assistive tools see it: a status (the role of a polite live region) named by its
// caption, whose text and description are its present reading. Its changes are reported by its
// StatusReadout.
class ReadoutAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadoutAccessible(QLabel *label);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text kind) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // Read-only text: the reading.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    QString reading() const;
    StatusReadout *readout() const;
};
