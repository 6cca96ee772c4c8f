// Word processors' documents: a generated 300-page .docx opened in the prompter until its page is
// shown, against the same file converted by pandoc (to HTML) and by LibreOffice (to RTF), with
// the peak memory of the whole program; and the import with the conversion to page lines alone. A converter
// that is not installed is reported skipped.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QUrl>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include "testsupport/programwindows.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "core/render/richfile.h"
#include "core/render/richtohtml.h"
#include "core/render/scriptloader.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "ui/toolkit/application.h"

namespace {

const QStringList words{"the",  "studio",  "lights", "camera", "tonight", "weather", "market", "bridge",
                        "café", "council", "season", "goal",   "river",   "morning", "news",   "report"};

QByteArray run(const QString &text, const char *properties)
{
    QByteArray xml = "<w:r>";
    if (properties[0])
        xml += QByteArray("<w:rPr>") + properties + "</w:rPr>";
    return xml + "<w:t xml:space=\"preserve\">" + text.toUtf8() + "</w:t></w:r>";
}

// About 300 pages as a word processor lays them out (some 450 words a page): a heading every
// few pages, paragraphs of formatted runs, a bulleted list now and then.
QByteArray documentXml(int pages)
{
    QRandomGenerator random(11);
    const char *formats[] = {"",
                             "",
                             "",
                             "<w:b/>",
                             "<w:i/>",
                             "<w:color w:val=\"C00000\"/>",
                             "<w:sz w:val=\"28\"/>",
                             "<w:u w:val=\"single\"/>"};
    QByteArray body;
    int written = 0;
    for (int paragraph = 0; written < pages * 450; ++paragraph) {
        if (paragraph % 40 == 0) {
            body += "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr>" +
                    run(QStringLiteral("Part %1").arg(paragraph / 40 + 1), "") + "</w:p>";
            continue;
        }
        body += paragraph % 9 == 0
                    ? "<w:p><w:pPr><w:pStyle w:val=\"ListBullet\"/><w:jc w:val=\"both\"/></w:pPr>"
                    : "<w:p>";
        for (int r = 0; r < 6; ++r) {
            QString text;
            for (int w = 0; w < 8; ++w)
                text += words.at(random.bounded(words.size())) + QLatin1Char(' ');
            written += 8;
            body += run(text.toHtmlEscaped(), formats[random.bounded(8)]);
        }
        body += "</w:p>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>" +
           body + "</w:body></w:document>";
}

bool writeDocx(const QString &path, int pages)
{
    const QList<QPair<QString, QByteArray>> parts{
        {QStringLiteral("[Content_Types].xml"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default Extension=\"rels\" "
         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/><Default "
         "Extension=\"xml\" "
         "ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
         "<Override PartName=\"/word/styles.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/></"
         "Types>"},
        {QStringLiteral("_rels/.rels"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"word/document.xml\"/></Relationships>"},
        {QStringLiteral("word/_rels/document.xml.rels"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
         "Target=\"styles.xml\"/></Relationships>"},
        {QStringLiteral("word/styles.xml"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:styles "
         "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
         "main\"><w:docDefaults><w:rPrDefault>"
         "<w:rPr><w:rFonts w:ascii=\"Calibri\"/><w:sz w:val=\"22\"/></w:rPr></w:rPrDefault></w:docDefaults>"
         "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
         "w:val=\"Normal\"/></w:style>"
         "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:name w:val=\"heading 1\"/><w:basedOn "
         "w:val=\"Normal\"/><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr></w:style>"
         "<w:style w:type=\"paragraph\" w:styleId=\"ListBullet\"><w:name w:val=\"List Bullet\"/><w:basedOn "
         "w:val=\"Normal\"/></w:style></w:styles>"},
        {QStringLiteral("word/document.xml"), documentXml(pages)}};
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto &[name, bytes] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(bytes) != bytes.size())
            return false;
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

double medianMs(int runs, const std::function<bool()> &work)
{
    QList<double> samples;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!work())
            return -1;
        samples << clock.nsecsElapsed() / 1e6;
    }
    return bench::median(samples);
}

// Runs a converter to its end; false when it fails or takes longer than ten minutes.
bool convert(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

void reportAgainst(const QString &name, double oursMs, double theirsMs, const QJsonObject &inputs)
{
    if (theirsMs < 0) {
        QJsonObject skipped = inputs;
        skipped.insert(QStringLiteral("skipped"), QStringLiteral("%1 is not installed or failed").arg(name));
        bench::report(name + QStringLiteral("_same_file"), 0, QStringLiteral("ms"), skipped);
        return;
    }
    bench::report(name + QStringLiteral("_same_file"), theirsMs, QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("open_docx_ratio_to_") + name, oursMs / theirsMs, QStringLiteral("ratio"),
                  inputs);
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    QTemporaryDir dir;
    const int pages = 300;
    const QString docx = dir.filePath(QStringLiteral("long.docx"));
    if (!writeDocx(docx, pages))
        return 1;
    const QJsonObject inputs{{QStringLiteral("pages"), pages},
                             {QStringLiteral("bytes"), QFileInfo(docx).size()},
                             {QStringLiteral("words"), pages * 450}};

    // The import and the conversion to page lines alone, as the prompter does them, without the page.
    QTextEdit worker;
    TJvRichEditToHtml converter;
    QStringList lines;
    const double linesMs = medianMs(3, [&] {
        loadrichfile(&worker, docx);
        converter.RichToHtmlLines(&worker, lines);
        choploader(lines);
        return !lines.isEmpty();
    });
    bench::report(QStringLiteral("import_docx_to_script_lines"), linesMs, QStringLiteral("ms"), inputs);

    TForm1 *form = bench::startPrompter();
    if (!form)
        return 1;
    QSignalSpy measured(form, &TForm1::pageMeasured);
    // From the open command to the page loaded, laid out and measured.
    const double oursMs = medianMs(3, [&] {
        form->openscript(docx);
        return measured.wait(300000) && form->promptstate.scriptpath == docx;
    });
    bench::report(QStringLiteral("open_docx_to_page_shown"), oursMs, QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("open_docx_peak_memory"), bench::peakMemoryMb(), QStringLiteral("MB"),
                  inputs);
    destroyWindows();

    const QString pandoc = QStandardPaths::findExecutable(QStringLiteral("pandoc"));
    const double pandocMs = pandoc.isEmpty() ? -1 : medianMs(3, [&] {
        return convert(pandoc, {QStringLiteral("-t"), QStringLiteral("html"), QStringLiteral("-o"),
                                dir.filePath(QStringLiteral("long.html")), docx});
    });
    reportAgainst(QStringLiteral("pandoc_html"), oursMs, pandocMs, inputs);

    const QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    // A profile of its own, made by a first conversion that is not counted.
    const QStringList officeArguments{
        QStringLiteral("-env:UserInstallation=") +
            QUrl::fromLocalFile(dir.filePath(QStringLiteral("office"))).toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--convert-to"),
        QStringLiteral("rtf"),
        QStringLiteral("--outdir"),
        dir.filePath(QStringLiteral("rtf")),
        docx};
    const double officeMs = office.isEmpty() || !convert(office, officeArguments)
                                ? -1
                                : medianMs(3, [&] { return convert(office, officeArguments); });
    reportAgainst(QStringLiteral("libreoffice_rtf"), oursMs, officeMs, inputs);
    return 0;
}
