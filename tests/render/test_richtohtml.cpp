#include "core/render/richtohtml.h"
#include "core/import/listlabel.h"
#include "core/render/entitytable.h"
#include "testsupport/testmain.h"

#include <QGuiApplication>
#include <QPalette>
#include <QRandomGenerator>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

#include <utility>

Q_DECLARE_METATYPE(TFontInfo)
Q_DECLARE_METATYPE(TFontInfo::Styles)

class TestRichToHtml : public QObject {
    Q_OBJECT
private slots:
    void entityTableHoldsItsPairsInOrder();
    void charEntity_data();
    void charEntity();
    void htmlColor_data();
    void htmlColor();
    void pointSizeRoundsHalvesAwayFromZero_data();
    void pointSizeRoundsHalvesAwayFromZero();
    void heightFromPointsRoundsHalvesAwayFromZero_data();
    void heightFromPointsRoundsHalvesAwayFromZero();
    void snapshotOfACharacterFormat();
    void runStartTag_data();
    void runStartTag();
    void paragraphStartTag_data();
    void paragraphStartTag();
    void formatDiffers_data();
    void formatDiffers();

    void emptyControlGivesFiveEntries();
    void plainParagraphGivesSixEntries();
    void textBecomesEntitiesWhereNeeded();
    void paragraphsOfOneFormatShareTheOpening();
    void emptyParagraphsGiveBareBreaks();
    void alignmentChangeClosesAndOpensInTheNextEntry();
    void emptyParagraphOpensInItsOwnFormat();
    void everyBulletOpensAListItem();
    void numberedParagraphsAreParagraphs();
    void lineBreaksInsideABulletOpenNewItems();
    void formatChangesStartRuns();
    void lineBreakInItsOwnFormatOpensARunBeforeTheNextCharacter();
    void sizeZeroIsWrittenAsEight();
    void automaticColourIsTheControlsForeground();
    void coloursTooDarkForThePageAreShownLighter_data();
    void coloursTooDarkForThePageAreShownLighter();
    void headerIsOneEntryWithTheTitle();
    void linesAreClearedFirst();
    void controlKeepsItsTextAndStaysQuiet();
    void walkMatchesTheCharacterByCharacterConversion();
};

namespace {
const QString leftOpening = QStringLiteral("<P STYLE=\"text-align: left;\">");
const QString centreOpening = QStringLiteral("<P STYLE=\"text-align: center;\">");
const QString bulletOpening = QStringLiteral("<LI STYLE=\"text-align: left;\">");

// The HTML colour of text without a colour of its own: the controls' foreground.
QString automaticColour()
{
    TJvRGBToHTML converter;
    converter.RGBColor = QTextEdit().palette().color(QPalette::Text);
    return converter.HTMLColor();
}

QString span(const QString &colour, int size, const QString &face)
{
    return QStringLiteral("<SPAN style=\"color: #%1; font-size: %2pt; font-family: %3;\">")
        .arg(colour, QString::number(size), face);
}

// The run opening of the controls' default format: Arial, 12 points, automatic colour.
QString defaultSpan()
{
    return span(automaticColour(), 12, QStringLiteral("Arial"));
}

// A control whose default font is 12-point Arial.
std::unique_ptr<QTextEdit> makeControl()
{
    auto control = std::make_unique<QTextEdit>();
    control->setFont(QFont(QStringLiteral("Arial"), 12));
    return control;
}

QStringList convert(QTextEdit *control)
{
    TJvRichEditToHtml converter;
    converter.Header.clear();
    converter.Footer.clear();
    QStringList lines;
    converter.RichToHtmlLines(control, lines);
    return lines;
}

QTextCharFormat bold()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

QTextCharFormat coloured(const QColor &colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    return format;
}

QTextBlockFormat aligned(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    return format;
}

// The conversion exactly as it is stated, one caret move and one format read per character.
QStringList literalConversion(TJvRichEditToHtml &converter, QTextEdit *control)
{
    QTextDocument *document = control->document();
    QString text;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin())
            text += u'\r';
        text += block.text().replace(QChar::LineSeparator, u'\v');
    }
    Q_ASSERT(text.size() == document->characterCount() - 1);

    QTextCursor caret(document);
    auto formatAt = [&](int position) {
        caret.setPosition(position);
        return TFontInfo::fromCharFormat(caret.charFormat(), control);
    };
    auto isSeparator = [](QChar c) { return c == u'\r' || c == u'\n' || c == u'\v'; };

    QStringList lines;
    TJvRichEditToHtml::ParagraphFormat lastParagraph;
    lines << converter.ParagraphStartTag(lastParagraph);
    TFontInfo currentRun = TFontInfo::fromCharFormat(QTextCharFormat(), control);
    lines << converter.RunStartTag(currentRun);
    const int length = int(text.size());
    // i and j count characters from 1; caret positions count from 0.
    for (int i = 1; i <= length;) {
        int separator = i;
        while (separator <= length && !isSeparator(text.at(separator - 1)))
            ++separator;
        QString buffer;
        const TFontInfo format = formatAt(i - 1);
        const QTextBlock block = caret.block();
        const auto paragraph = TJvRichEditToHtml::paragraphFormatOf(block);
        if (TJvRichEditToHtml::ParagraphDiffers(paragraph, lastParagraph) ||
            paragraph.Numbering == TJvRichEditToHtml::Bullet) {
            buffer += converter.RunEndTag + converter.ParagraphEndTag;
            lastParagraph = paragraph;
            currentRun = format;
            buffer += converter.ParagraphStartTag(paragraph) + converter.RunStartTag(currentRun);
        }
        // A numbered item's number and a space come before its first character, in its run.
        QString number = block.position() == i - 1 && paragraph.Numbering > TJvRichEditToHtml::Bullet
                             ? listlabel(block) + u' '
                             : QString();
        const auto write = [&buffer](const QString &characters) {
            for (const QChar c : characters)
                buffer += c.isLetter() || c.isDigit() ? QString(c) : TJvRichEditToHtml::CharEntity(c);
        };
        int position = i - 1;
        for (int j = i; j < separator; ++j) {
            TFontInfo read = formatAt(position);
            while (TJvRichEditToHtml::FormatDiffers(read, currentRun)) {
                buffer += converter.RunEndTag;
                currentRun = read;
                buffer += converter.RunStartTag(currentRun);
                position = j;
                read = formatAt(position);
            }
            write(std::exchange(number, QString()));
            write(text.at(j - 1));
            position = j + 1;
        }
        write(number);
        lines << (i == 1 ? buffer : QStringLiteral("<BR>") + buffer);
        i = separator + 1;
    }
    lines << converter.RunEndTag << converter.ParagraphEndTag << QString();
    return lines;
}

// A document of a few paragraphs with random alignment, lists, line breaks, formats and text.
void fillRandomly(QTextDocument *document, QRandomGenerator &random)
{
    QList<QTextCharFormat> formats{QTextCharFormat(), bold(), coloured(Qt::red), coloured(Qt::black)};
    QTextCharFormat format;
    format.setFontItalic(true);
    format.setFontUnderline(true);
    formats << format;
    format = QTextCharFormat();
    format.setFontStrikeOut(true);
    formats << format;
    for (const char *face : {"Arial", "arial", "Liberation Serif"}) {
        format = QTextCharFormat();
        format.setFontFamilies({QString::fromLatin1(face)});
        formats << format;
    }
    for (double points : {0.5, 12.5, 20.0}) {
        format = QTextCharFormat();
        format.setFontPointSize(points);
        formats << format;
    }
    const QStringList pieces{"ab",     "Word",   " ",      "  ",         "<",
                             "&",      "\u00e9", "\u00b2", "\u00b5",     "\t",
                             "x1",     "\"",     "^",      "~",          "`",
                             "\u00a0", "\u00bd", "\u00ff", "\U0001F600", QString(QChar::LineSeparator)};
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify};
    const QTextListFormat::Style listStyles[] = {QTextListFormat::ListDisc, QTextListFormat::ListSquare,
                                                 QTextListFormat::ListDecimal,
                                                 QTextListFormat::ListUpperRoman};
    auto anyFormat = [&] { return formats.at(random.bounded(int(formats.size()))); };

    QTextCursor cursor(document);
    const int paragraphs = random.bounded(6);
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0)
            cursor.insertBlock(aligned(alignments[random.bounded(4)]), anyFormat());
        else
            cursor.setBlockFormat(aligned(alignments[random.bounded(4)]));
        if (random.bounded(4) == 0)
            cursor.createList(listStyles[random.bounded(4)]);
        const int count = random.bounded(8);
        for (int n = 0; n < count; ++n)
            cursor.insertText(pieces.at(random.bounded(int(pieces.size()))), anyFormat());
    }
}
} // namespace

void TestRichToHtml::entityTableHoldsItsPairsInOrder()
{
    const auto &table = EntityTable();
    QCOMPARE(table.size(), 75u);
    QCOMPARE(table.front().character, u'"');
    QCOMPARE(table.front().entity, QLatin1String("&quot;"));
    QCOMPARE(table.back().character, u'`');
    QCOMPARE(table.back().entity, QLatin1String("&grave;"));
    QSet<char16_t> characters;
    for (const EntityPair &pair : table) {
        QVERIFY(pair.entity.startsWith(u'&') && pair.entity.endsWith(u';'));
        characters.insert(pair.character);
    }
    QCOMPARE(characters.size(), 75);
}

void TestRichToHtml::charEntity_data()
{
    QTest::addColumn<QChar>("character");
    QTest::addColumn<QString>("expected");
    QTest::newRow("less than") << QChar(u'<') << "&lt;";
    QTest::newRow("ampersand") << QChar(u'&') << "&amp;";
    QTest::newRow("ASCII circumflex") << QChar(u'^') << "&circ;";
    QTest::newRow("ASCII tilde") << QChar(u'~') << "&tilde;";
    QTest::newRow("grave accent") << QChar(u'`') << "&grave;";
    QTest::newRow("acute accent") << QChar(u'\u00b4') << "&acute;";
    QTest::newRow("y with diaeresis") << QChar(u'\u00ff') << "&yuml;";
    QTest::newRow("space stays") << QChar(u' ') << " ";
    QTest::newRow("no-break space stays") << QChar(u'\u00a0') << "\u00a0";
    QTest::newRow("eth stays") << QChar(u'\u00d0') << "\u00d0";
    QTest::newRow("multiplication sign stays") << QChar(u'\u00d7') << "\u00d7";
    QTest::newRow("o with stroke stays") << QChar(u'\u00f8') << "\u00f8";
    QTest::newRow("modifier circumflex stays") << QChar(u'\u02c6') << "\u02c6";
    QTest::newRow("letter stays") << QChar(u'q') << "q";
}

void TestRichToHtml::charEntity()
{
    QFETCH(QChar, character);
    QFETCH(QString, expected);
    QCOMPARE(TJvRichEditToHtml::CharEntity(character), expected);
}

void TestRichToHtml::htmlColor_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("expected");
    QTest::newRow("white") << QColor(Qt::white) << "FFFFFF";
    QTest::newRow("black") << QColor(Qt::black) << "000000";
    QTest::newRow("red, green, blue in order") << QColor(0x12, 0x34, 0x56) << "123456";
    QTest::newRow("uppercase digits") << QColor(0xab, 0xcd, 0xef) << "ABCDEF";
    QTest::newRow("other colour models become RGB") << QColor::fromHsv(240, 255, 255) << "0000FF";
}

void TestRichToHtml::htmlColor()
{
    QFETCH(QColor, colour);
    QFETCH(QString, expected);
    TJvRGBToHTML converter;
    QCOMPARE(converter.HTMLColor(), QStringLiteral("000000"));
    converter.RGBColor = colour;
    QCOMPARE(converter.HTMLColor(), expected);
}

void TestRichToHtml::pointSizeRoundsHalvesAwayFromZero_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("pixelsPerInch");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("16 px at 96 dpi") << 16 << 96 << -12;
    QTest::newRow("1.5 points up") << 2 << 96 << -2;
    QTest::newRow("-1.5 points down") << -2 << 96 << 2;
    QTest::newRow("0.5 points up") << 1 << 144 << -1;
    QTest::newRow("1.25 points down") << 5 << 288 << -1;
    QTest::newRow("zero") << 0 << 96 << 0;
}

void TestRichToHtml::pointSizeRoundsHalvesAwayFromZero()
{
    QFETCH(int, height);
    QFETCH(int, pixelsPerInch);
    QFETCH(int, pointSize);
    TFontInfo info;
    info.Height = height;
    info.PixelsPerInch = pixelsPerInch;
    QCOMPARE(info.PointSize(), pointSize);
}

void TestRichToHtml::heightFromPointsRoundsHalvesAwayFromZero_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixelsPerInch");
    QTest::addColumn<int>("height");
    QTest::newRow("12 points at 96 dpi") << 12 << 96 << 16;
    QTest::newRow("1.33 px down") << 1 << 96 << 1;
    QTest::newRow("2.67 px up") << 2 << 96 << 3;
    QTest::newRow("2.5 px up") << 3 << 60 << 3;
}

void TestRichToHtml::heightFromPointsRoundsHalvesAwayFromZero()
{
    QFETCH(int, points);
    QFETCH(int, pixelsPerInch);
    QFETCH(int, height);
    QCOMPARE(TFontInfo::heightFromPoints(points, pixelsPerInch), height);
}

void TestRichToHtml::snapshotOfACharacterFormat()
{
    const auto control = makeControl();
    const int screenPixelsPerInch = qRound(control->screen()->logicalDotsPerInchY());

    const TFontInfo plain = TFontInfo::fromCharFormat(QTextCharFormat(), control.get());
    QCOMPARE(plain.FaceName, QStringLiteral("Arial"));
    QCOMPARE(plain.Height, TFontInfo::heightFromPoints(12, screenPixelsPerInch));
    QCOMPARE(plain.PixelsPerInch, control->logicalDpiY());
    QCOMPARE(plain.Style, TFontInfo::Styles());
    QCOMPARE(plain.Color, control->palette().color(QPalette::Text));

    QTextCharFormat format;
    format.setFontFamilies({QString(130, u'x')});
    format.setFontPointSize(12.95);
    format.setFontWeight(QFont::Bold);
    format.setFontStrikeOut(true);
    format.setForeground(QColor(0x12, 0x34, 0x56));
    const TFontInfo styled = TFontInfo::fromCharFormat(format, control.get());
    QCOMPARE(styled.FaceName, QString(124, u'x'));
    QCOMPARE(styled.Height, TFontInfo::heightFromPoints(12, screenPixelsPerInch));
    QCOMPARE(styled.Style, TFontInfo::Bold | TFontInfo::StrikeOut);
    QCOMPARE(styled.Color, QColor(0x12, 0x34, 0x56));

    format = QTextCharFormat();
    format.setProperty(QTextFormat::FontPixelSize, screenPixelsPerInch / 3);
    QCOMPARE(TFontInfo::fromCharFormat(format, control.get()).Height,
             TFontInfo::heightFromPoints(24, screenPixelsPerInch));
}

void TestRichToHtml::runStartTag_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<TFontInfo::Styles>("style");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");
    const QString arial24 =
        QStringLiteral("<SPAN style=\"color: #FFFFFF; font-size: 24pt; font-family: Arial;\">");
    QTest::newRow("plain") << 32 << TFontInfo::Styles() << arial24 << "</SPAN>";
    QTest::newRow("bold, italic, underlined")
        << 32 << (TFontInfo::Bold | TFontInfo::Italic | TFontInfo::Underline) << arial24 + "<B><I><U>"
        << "</U></I></B></SPAN>";
    QTest::newRow("strike-out before underline")
        << 32 << (TFontInfo::Underline | TFontInfo::StrikeOut) << arial24 + "<STRIKE><U>"
        << "</U></STRIKE></SPAN>";
    QTest::newRow("size 0 is written as 8")
        << 0 << TFontInfo::Styles(TFontInfo::Italic)
        << "<SPAN style=\"color: #FFFFFF; font-size: 8pt; font-family: Arial;\"><I>"
        << "</I></SPAN>";
}

void TestRichToHtml::runStartTag()
{
    QFETCH(int, height);
    QFETCH(TFontInfo::Styles, style);
    QFETCH(QString, opening);
    QFETCH(QString, closing);
    TFontInfo format;
    format.FaceName = QStringLiteral("Arial");
    format.Height = height;
    format.PixelsPerInch = 96;
    format.Style = style;
    format.Color = Qt::white;
    TJvRichEditToHtml converter;
    QCOMPARE(converter.RunStartTag(format), opening);
    QCOMPARE(converter.RunEndTag, closing);
}

void TestRichToHtml::paragraphStartTag_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("numbering");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");
    QTest::newRow("left") << 0 << 0 << leftOpening << "</P>";
    QTest::newRow("right") << 1 << 0 << "<P STYLE=\"text-align: right;\">"
                           << "</P>";
    QTest::newRow("centre") << 2 << 0 << centreOpening << "</P>";
    QTest::newRow("justified") << 3 << 0 << "<P STYLE=\"text-align: justify;\">"
                               << "</P>";
    QTest::newRow("bullet") << 0 << 1 << bulletOpening << "</LI>";
    QTest::newRow("centred bullet") << 2 << 1 << "<LI STYLE=\"text-align: center;\">"
                                    << "</LI>";
    QTest::newRow("numbered is a paragraph") << 0 << 2 << leftOpening << "</P>";
}

void TestRichToHtml::paragraphStartTag()
{
    QFETCH(int, alignment);
    QFETCH(int, numbering);
    QFETCH(QString, opening);
    QFETCH(QString, closing);
    TJvRichEditToHtml converter;
    QCOMPARE(converter.ParagraphStartTag({alignment, numbering}), opening);
    QCOMPARE(converter.ParagraphEndTag, closing);
}

void TestRichToHtml::formatDiffers_data()
{
    QTest::addColumn<TFontInfo>("other");
    QTest::addColumn<bool>("differs");
    TFontInfo base;
    base.FaceName = QStringLiteral("Arial");
    base.Height = 16;
    base.PixelsPerInch = 96;

    TFontInfo other = base;
    QTest::newRow("copy") << other << false;
    other.Height = 24;
    other.PixelsPerInch = 144;
    QTest::newRow("same points, other height") << other << false;
    other = base;
    other.FaceName = QStringLiteral("arial");
    QTest::newRow("face differs in case") << other << true;
    other = base;
    other.Height = 17;
    QTest::newRow("13 points") << other << true;
    other = base;
    other.Style = TFontInfo::Underline;
    QTest::newRow("underlined") << other << true;
    other = base;
    other.Color = QColor(0, 0, 1);
    QTest::newRow("colour") << other << true;
}

void TestRichToHtml::formatDiffers()
{
    QFETCH(TFontInfo, other);
    QFETCH(bool, differs);
    TFontInfo base;
    base.FaceName = QStringLiteral("Arial");
    base.Height = 16;
    base.PixelsPerInch = 96;
    QCOMPARE(TJvRichEditToHtml::FormatDiffers(base, other), differs);
    QCOMPARE(TJvRichEditToHtml::FormatDiffers(other, base), differs);
}

void TestRichToHtml::emptyControlGivesFiveEntries()
{
    const auto control = makeControl();
    QCOMPARE(convert(control.get()), (QStringList{leftOpening, defaultSpan(), "</SPAN>", "</P>", ""}));
}

void TestRichToHtml::plainParagraphGivesSixEntries()
{
    const auto control = makeControl();
    QTextCursor(control->document()).insertText(QStringLiteral("Hello"));
    QCOMPARE(convert(control.get()),
             (QStringList{leftOpening, defaultSpan(), "Hello", "</SPAN>", "</P>", ""}));
}

void TestRichToHtml::textBecomesEntitiesWhereNeeded()
{
    const auto control = makeControl();
    QTextCursor(control->document())
        .insertText(QStringLiteral("a<b & \u00e9  \"1\u00b2\u00b5\u00bd\u00a0\t\U0001F600"));
    QCOMPARE(convert(control.get()).at(2),
             QStringLiteral("a&lt;b &amp; \u00e9  &quot;1&sup2;\u00b5&frac12;\u00a0\t\U0001F600"));
}

void TestRichToHtml::paragraphsOfOneFormatShareTheOpening()
{
    const auto control = makeControl();
    QTextCursor(control->document()).insertText(QStringLiteral("one\ntwo\nthree"));
    QCOMPARE(convert(control.get()),
             (QStringList{leftOpening, defaultSpan(), "one", "<BR>two", "<BR>three", "</SPAN>", "</P>", ""}));
}

void TestRichToHtml::emptyParagraphsGiveBareBreaks()
{
    const auto control = makeControl();
    // A paragraph end at the very end of the text starts no further line.
    QTextCursor(control->document()).insertText(QStringLiteral("a\n\nb\n"));
    QCOMPARE(convert(control.get()),
             (QStringList{leftOpening, defaultSpan(), "a", "<BR>", "<BR>b", "</SPAN>", "</P>", ""}));
}

void TestRichToHtml::alignmentChangeClosesAndOpensInTheNextEntry()
{
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    cursor.insertText(QStringLiteral("a"));
    cursor.insertBlock(aligned(Qt::AlignHCenter));
    cursor.insertText(QStringLiteral("b"));
    QCOMPARE(convert(control.get()),
             (QStringList{leftOpening, defaultSpan(), "a",
                          "<BR></SPAN></P>" + centreOpening + defaultSpan() + "b", "</SPAN>", "</P>", ""}));
}

void TestRichToHtml::emptyParagraphOpensInItsOwnFormat()
{
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    cursor.insertText(QStringLiteral("a"));
    cursor.insertBlock(aligned(Qt::AlignHCenter), bold());
    cursor.insertBlock(aligned(Qt::AlignLeft), QTextCharFormat());
    cursor.insertText(QStringLiteral("b"));
    QCOMPARE(convert(control.get()),
             (QStringList{leftOpening, defaultSpan(), "a",
                          "<BR></SPAN></P>" + centreOpening + defaultSpan() + "<B>",
                          "<BR></B></SPAN></P>" + leftOpening + defaultSpan() + "b", "</SPAN>", "</P>", ""}));
}

void TestRichToHtml::everyBulletOpensAListItem()
{
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    cursor.insertText(QStringLiteral("one\ntwo\nthree"));
    cursor.select(QTextCursor::Document);
    cursor.createList(QTextListFormat::ListDisc);
    const QString reopening = "</SPAN></LI>" + bulletOpening + defaultSpan();
    QCOMPARE(convert(control.get()),
             (QStringList{leftOpening, defaultSpan(), "</SPAN></P>" + bulletOpening + defaultSpan() + "one",
                          "<BR>" + reopening + "two", "<BR>" + reopening + "three", "</SPAN>", "</LI>", ""}));
}

void TestRichToHtml::numberedParagraphsAreParagraphs()
{
    // Each item's number is written before its text: the page has no list to count the items.
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    cursor.insertText(QStringLiteral("one\ntwo") + QChar::LineSeparator + QStringLiteral("more\n"));
    cursor.insertText(QStringLiteral("bold"), bold());
    cursor.select(QTextCursor::Document);
    QTextListFormat roman;
    roman.setStyle(QTextListFormat::ListUpperRoman);
    roman.setNumberSuffix(QStringLiteral(")"));
    cursor.createList(roman);
    QCOMPARE(
        convert(control.get()),
        (QStringList{leftOpening, defaultSpan(), "</SPAN></P>" + leftOpening + defaultSpan() + "I) one",
                     "<BR>II) two", "<BR>more",
                     "<BR></SPAN>" + span(automaticColour(), 12, QStringLiteral("Arial")) + "<B>III) bold",
                     "</B></SPAN>", "</P>", ""}));
}

void TestRichToHtml::lineBreaksInsideABulletOpenNewItems()
{
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    cursor.insertText(QStringLiteral("one") + QChar::LineSeparator + QStringLiteral("two"));
    cursor.createList(QTextListFormat::ListSquare);
    QCOMPARE(
        convert(control.get()),
        (QStringList{leftOpening, defaultSpan(), "</SPAN></P>" + bulletOpening + defaultSpan() + "one",
                     "<BR></SPAN></LI>" + bulletOpening + defaultSpan() + "two", "</SPAN>", "</LI>", ""}));
}

void TestRichToHtml::formatChangesStartRuns()
{
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    QTextCharFormat lowerCaseFace;
    lowerCaseFace.setFontFamilies({QStringLiteral("arial")});
    QTextCharFormat styled = bold();
    styled.setFontItalic(true);
    styled.setFontUnderline(true);
    cursor.insertText(QStringLiteral("a"));
    cursor.insertText(QStringLiteral("b"), lowerCaseFace);
    cursor.insertText(QStringLiteral("c"), styled);
    cursor.insertText(QStringLiteral("d"), coloured(QColor(0x12, 0x34, 0x56)));
    QCOMPARE(convert(control.get()).at(2), "a</SPAN>" + span(automaticColour(), 12, "arial") + "b</SPAN>" +
                                               defaultSpan() + "<B><I><U>c" + "</U></I></B></SPAN>" +
                                               span("123456", 12, "Arial") + "d");
}

void TestRichToHtml::lineBreakInItsOwnFormatOpensARunBeforeTheNextCharacter()
{
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    cursor.insertText(QStringLiteral("a"));
    cursor.insertText(QString(QChar::LineSeparator), coloured(Qt::darkRed));
    cursor.insertText(QStringLiteral("b"), bold());
    QCOMPARE(convert(control.get()).mid(2, 2), (QStringList{"a", "<BR></SPAN>" + span("800000", 12, "Arial") +
                                                                     "</SPAN>" + defaultSpan() + "<B>b"}));
}

void TestRichToHtml::sizeZeroIsWrittenAsEight()
{
    const auto control = makeControl();
    QTextCharFormat tiny;
    tiny.setFontPointSize(0.5);
    QTextCursor(control->document()).insertText(QStringLiteral("x"), tiny);
    QCOMPARE(convert(control.get()).at(2), "</SPAN>" + span(automaticColour(), 8, "Arial") + "x");
}

void TestRichToHtml::automaticColourIsTheControlsForeground()
{
    // A control that shows white on black, as the page and the editor do.
    const auto control = makeControl();
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, QColor(0xFE, 0xFD, 0xFC));
    control->setPalette(palette);
    QTextCursor(control->document()).insertText(QStringLiteral("x"));
    QCOMPARE(convert(control.get()).mid(1, 2), (QStringList{span("FEFDFC", 12, "Arial"), "x"}));
}

void TestRichToHtml::coloursTooDarkForThePageAreShownLighter_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("shown");
    QTest::newRow("black") << QColor(Qt::black) << "FFFFFF";
    QTest::newRow("near-black") << QColor(0x20, 0x20, 0x20) << "FFFFFF";
    QTest::newRow("grey") << QColor(0x60, 0x60, 0x60) << "FFFFFF";
    QTest::newRow("navy is a light blue") << QColor(0x00, 0x00, 0x80) << "5E5EFF";
    QTest::newRow("dark red is a brighter red") << QColor(0x80, 0x00, 0x00) << "EB0000";
    QTest::newRow("orange reads as it is") << QColor(0xFF, 0xB0, 0x00) << "FFB000";
}

void TestRichToHtml::coloursTooDarkForThePageAreShownLighter()
{
    QFETCH(QColor, colour);
    QFETCH(QString, shown);
    const auto control = makeControl();
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    control->setPalette(palette);
    QTextCharFormat format;
    format.setForeground(colour);
    QTextCursor(control->document()).insertText(QStringLiteral("x"), format);
    const QString converted = convert(control.get()).join(QString());
    QVERIFY2(converted.contains(span(shown, 12, "Arial") + "x"), qPrintable(converted));
}

void TestRichToHtml::headerIsOneEntryWithTheTitle()
{
    const auto control = makeControl();
    QTextCursor(control->document()).insertText(QStringLiteral("x"));
    TJvRichEditToHtml converter;
    converter.Title = QStringLiteral("Evening news");
    QStringList lines;
    converter.RichToHtmlLines(control.get(), lines);
    QCOMPARE(lines, (QStringList{
                        "<HTML>\r\n  <HEAD>\r\n    <TITLE>Evening news</TITLE>\r\n  </HEAD>\r\n  <BODY>\r\n",
                        leftOpening, defaultSpan(), "x", "</SPAN>", "</P>", "", "  </BODY>", "</HTML>"}));

    converter.Header = QStringList{"<#TITLE>|<#title>", "<#TITLE>"};
    converter.RichToHtmlLines(control.get(), lines);
    QCOMPARE(lines.first(), QStringLiteral("Evening news|<#title>\r\nEvening news\r\n"));
}

void TestRichToHtml::linesAreClearedFirst()
{
    const auto control = makeControl();
    QStringList lines{"old", "entries"};
    TJvRichEditToHtml converter;
    converter.Header.clear();
    converter.Footer = QStringList{"end"};
    converter.RichToHtmlLines(control.get(), lines);
    converter.RichToHtmlLines(control.get(), lines);
    QCOMPARE(lines, (QStringList{leftOpening, defaultSpan(), "</SPAN>", "</P>", "", "end"}));
}

void TestRichToHtml::controlKeepsItsTextAndStaysQuiet()
{
    const auto control = makeControl();
    QTextCursor cursor(control->document());
    cursor.insertText(QStringLiteral("one"), bold());
    cursor.insertBlock(aligned(Qt::AlignRight));
    cursor.insertText(QStringLiteral("two"));
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    control->setTextCursor(cursor);
    const QString html = control->toHtml();

    QSignalSpy textChanged(control.get(), &QTextEdit::textChanged);
    QSignalSpy selectionChanged(control.get(), &QTextEdit::selectionChanged);
    QSignalSpy cursorMoved(control.get(), &QTextEdit::cursorPositionChanged);
    QSignalSpy contentsChanged(control->document(), &QTextDocument::contentsChanged);
    convert(control.get());

    QCOMPARE(control->toHtml(), html);
    QCOMPARE(textChanged.count(), 0);
    QCOMPARE(selectionChanged.count(), 0);
    QCOMPARE(cursorMoved.count(), 0);
    QCOMPARE(contentsChanged.count(), 0);
    QVERIFY(!control->textCursor().hasSelection());
    QCOMPARE(control->textCursor().position(), control->document()->characterCount() - 1);
    QVERIFY(!control->signalsBlocked());
    QVERIFY(!control->document()->signalsBlocked());
}

void TestRichToHtml::walkMatchesTheCharacterByCharacterConversion()
{
    QRandomGenerator random(20261208);
    for (int n = 0; n < 300; ++n) {
        const auto control = makeControl();
        fillRandomly(control->document(), random);
        TJvRichEditToHtml converter;
        converter.Header.clear();
        converter.Footer.clear();
        QStringList lines;
        converter.RichToHtmlLines(control.get(), lines);
        const QStringList expected = literalConversion(converter, control.get());
        if (lines != expected)
            qWarning().noquote() << "document" << n << control->toHtml();
        QCOMPARE(lines, expected);
    }
}

VANTELL_CORE_TEST_MAIN(TestRichToHtml)
#include "test_richtohtml.moc"
