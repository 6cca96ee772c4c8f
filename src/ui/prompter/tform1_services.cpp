// The prompter's services: the start page and the help of the product's web service (or the help
// pages installed with the program when the service cannot be reached), the about window, and
// printing the page on display.
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrinterInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "ui/browser/browser.h"
#include "ui/browser/pagescripts.h"
#include "core/platform/datapaths.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "core/settings/httpprobe.h"
#include "core/settings/serviceaddresses.h"
#include "ui/settings/taboutform.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"

namespace {

// The contents page of the help installed with the program; empty when it is not there.
QUrl installedHelpPage()
{
    const QString index = DataPaths::find(QStringLiteral("help/index.html"));
    return index.isEmpty() ? QUrl() : QUrl::fromLocalFile(index);
}

QPageLayout printLayout()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    const QPageSize size = printer.isNull() || !printer.defaultPageSize().isValid()
                               ? QPageSize(QPageSize::A4)
                               : printer.defaultPageSize();
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

} // namespace

void TForm1::showStartPage()
{
    const ServiceAddresses addresses = ServiceAddresses::load();
    http1->testhttp(addresses.probe, [this, start = addresses.startpage(webquery)](bool reachable) {
        // The answer comes while the program runs on: a script the operator has loaded by then,
        // or the help, stays on the page.
        const bool untouched =
            promptstate.scriptpath.isEmpty() && promptstate.scriptlines.isEmpty() && !promptstate.helpshown;
        if (reachable && untouched)
            wb1->navigate(start);
    });
}

void TForm1::Image13MouseUp()
{
    if (promptstate.helpshown) {
        reloadwb();
        promptstate.helpshown = false;
        return;
    }
    // A click while the probe for an earlier one is under way asks nothing new.
    if (m_helpProbePending)
        return;
    m_helpProbePending = true;
    const ServiceAddresses addresses = ServiceAddresses::load();
    http1->testhttp(addresses.probe, [this, help = addresses.helppage()](bool reachable) {
        m_helpProbePending = false;
        // Without the service, the pages installed with the program are the help.
        const QUrl page = reachable ? help : installedHelpPage();
        if (page.isEmpty()) {
            Dialogs::current().message(i18n(str::HelpNeedsInternet));
            return;
        }
        wb1->navigate(page);
        promptstate.helpshown = true;
    });
}

void TForm1::About1Click()
{
    if (m_about)
        m_about->exec();
}

void TForm1::PrintScript2Click()
{
    if (!wb1->isDocumentComplete() || m_printing)
        return;
    m_printing = true;
    const QString title = wb1->isScriptPage() && !promptstate.scriptpath.isEmpty()
                              ? QFileInfo(promptstate.scriptpath).fileName()
                              : wb1->title();
    QPointer<TForm1> self(this);
    QPointer<QWebEnginePage> page(wb1->page());
    const auto showPreview = [self, title](const QByteArray &pdf) {
        // The browser hands the document over from inside its own task: the preview, which waits
        // for the operator, opens from the event loop instead.
        QMetaObject::invokeMethod(
            self,
            [self, title, pdf] {
                self->m_printing = false;
                if (!pdf.isEmpty())
                    Dialogs::current().printPreview(pdf, title);
                self->wb1->focusPage();
            },
            Qt::QueuedConnection);
    };
    page->runJavaScript(pagescript(QStringLiteral("printcolors")), QWebEngineScript::ApplicationWorld,
                        [page, showPreview](const QVariant &) {
                            if (page)
                                page->printToPdf(showPreview, printLayout());
                        });
    wb1->focusPage();
}
