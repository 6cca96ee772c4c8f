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

#include "app/windows.h"
#include "platform/browser.h"
#include "platform/datapaths.h"
#include "platform/dialogs.h"
#include "platform/translation.h"
#include "prompter/tform1.h"
#include "settings/httpprobe.h"
#include "settings/serviceaddresses.h"
#include "settings/taboutform.h"
#include "stringtable.h"

namespace {

// Paper is white and read in the hand: the page prints as dark text on white, the right way
// round whatever the glass needs. Text that would vanish on white (the page's white, or any
// other colour too light to read there) prints black; every other colour is kept. The marks
// are made anew for each print, since the operator may have changed the script in between, and
// only the print style uses them: the screen stays as it is.
constexpr const char *printColorsScript = R"JS(
(function () {
    const luminance = (color) => {
        const channels = color.match(/[\d.]+/g).slice(0, 3).map((value) => {
            const c = Number(value) / 255;
            return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
        });
        return 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
    };
    const unreadableOnWhite = (color) => 1.05 / (luminance(color) + 0.05) < 1.5;
    for (const element of [document.body, ...document.body.querySelectorAll('*')])
        element.classList.toggle('vantell-print-dark', unreadableOnWhite(getComputedStyle(element).color));
    if (window.vantellPrintStyle) return;
    window.vantellPrintStyle = true;
    const sheet = new CSSStyleSheet();
    sheet.replaceSync('@media print {' +
        ' html, body { background: #FFFFFF !important; transform: none !important; }' +
        ' .vantell-print-dark { color: #000000 !important; } }');
    document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
})();
)JS";

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
    if (Taboutform *about = windows().aboutform)
        about->exec();
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
    page->runJavaScript(QString::fromLatin1(printColorsScript), QWebEngineScript::ApplicationWorld,
                        [page, showPreview](const QVariant &) {
                            if (page)
                                page->printToPdf(showPreview, printLayout());
                        });
    wb1->focusPage();
}
