#include "ui/toolkit/printpreviewdialog.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/pdfprinter.h"

PrintPreviewDialog::PrintPreviewDialog(const QByteArray &pdf, const QString &title, QWidget *parent)
    : QDialog(parent), m_pdf(pdf), m_title(title), m_buffer(new QBuffer(&m_pdf, this)),
      m_document(new QPdfDocument(this)), m_view(new QPdfView(this))
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(i18n(str::PrintPreviewCaption));
    resize(720, 900);
    m_buffer->open(QIODevice::ReadOnly);
    m_document->load(m_buffer);
    m_view->setDocument(m_document);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *printButton = buttons->addButton(i18n(str::PrintPreviewPrint), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("printButton"));
    QPushButton *closeButton = buttons->addButton(i18n(str::PrintPreviewClose), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(printButton, &QPushButton::clicked, this, &PrintPreviewDialog::print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
}

int PrintPreviewDialog::pageCount() const
{
    return m_document->pageCount();
}

void PrintPreviewDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_title);
    printer.setFromTo(1, pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString failure = printpdf(m_pdf, m_title, printer);
    if (!failure.isEmpty())
        Dialogs::current().message(i18n(str::PrintFailed).arg(failure), Dialogs::Icon::Error);
}
