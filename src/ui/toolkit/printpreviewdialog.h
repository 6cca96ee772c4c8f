#pragma once

#include <QByteArray>
#include <QDialog>

class QBuffer;
class QPdfDocument;
class QPdfView;

// The print preview: the pages of a PDF document, with Print (through the print dialog, sending
// the document itself, so text stays text) and Close.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    PrintPreviewDialog(const QByteArray &pdf, const QString &title, QWidget *parent = nullptr);

    int pageCount() const;

private:
    void print();

    QByteArray m_pdf;
    QString m_title;
    QBuffer *m_buffer;
    QPdfDocument *m_document;
    QPdfView *m_view;
};
