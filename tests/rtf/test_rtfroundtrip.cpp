#include <optional>

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "core/rtf/rtf.h"
#include "testsupport/testmain.h"

// Writes generated documents as RTF and reads them back: text, face, size, bold, italic,
// underline, strike-out, colour, alignment and list items must come back as they were.
class TestRtfRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void generatedDocumentsReadBack();
    void writingWhatWasReadGivesTheSameRtf();
};

namespace {

constexpr int DocumentCount = 300;

// The formatting a character shows, whatever properties of its format are set and which ones
// come from the document's default font.
struct ShownFormat {
    QString family;
    int halfPoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<QRgb> color;

    bool operator==(const ShownFormat &other) const = default;
};

ShownFormat shownFormat(const QTextCharFormat &format, const QFont &defaultFont)
{
    ShownFormat shown;
    shown.family = format.hasProperty(QTextFormat::FontFamilies)
                       ? format.fontFamilies().toStringList().value(0)
                       : defaultFont.family();
    shown.halfPoints =
        qRound(2 * (format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                   : defaultFont.pointSizeF()));
    shown.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                             : defaultFont.bold();
    shown.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    shown.underline = format.hasProperty(QTextFormat::TextUnderlineStyle) ? format.fontUnderline()
                                                                          : defaultFont.underline();
    shown.strikeOut =
        format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : defaultFont.strikeOut();
    if (format.foreground().style() != Qt::NoBrush)
        shown.color = format.foreground().color().rgb();
    return shown;
}

QString describe(const ShownFormat &f)
{
    QStringList parts{f.family, QString::number(f.halfPoints / 2.0) + QStringLiteral("pt")};
    if (f.bold)
        parts << QStringLiteral("bold");
    if (f.italic)
        parts << QStringLiteral("italic");
    if (f.underline)
        parts << QStringLiteral("underline");
    if (f.strikeOut)
        parts << QStringLiteral("strike-out");
    parts << (f.color ? QColor(*f.color).name() : QStringLiteral("automatic"));
    return parts.join(QLatin1Char(' '));
}

enum class Marker { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

Marker markerOf(const QTextBlock &block)
{
    if (!block.textList())
        return Marker::None;
    switch (block.textList()->format().style()) {
    case QTextListFormat::ListDecimal:
        return Marker::Decimal;
    case QTextListFormat::ListLowerAlpha:
        return Marker::LowerAlpha;
    case QTextListFormat::ListUpperAlpha:
        return Marker::UpperAlpha;
    case QTextListFormat::ListLowerRoman:
        return Marker::LowerRoman;
    case QTextListFormat::ListUpperRoman:
        return Marker::UpperRoman;
    default:
        return Marker::Bullet;
    }
}

Qt::Alignment shownAlignment(const QTextBlock &block)
{
    return block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

// One paragraph as it shows: runs of characters of one shown format, merged where neighbours
// agree (a document may split a run where the formats differ only in unset properties).
QString describe(const QTextBlock &block, const QFont &defaultFont)
{
    QString text = QStringLiteral("align %1, marker %2, same list as before: %3\n")
                       .arg(int(shownAlignment(block)))
                       .arg(int(markerOf(block)))
                       .arg(block.textList() && block.previous().textList() == block.textList());
    if (block.length() <= 1)
        return text + QStringLiteral("  empty, typed text gets ") +
               describe(shownFormat(block.charFormat(), defaultFont));
    std::optional<ShownFormat> current;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const ShownFormat shown = shownFormat(it.fragment().charFormat(), defaultFont);
        if (shown != current) {
            text += QStringLiteral("\n  [") + describe(shown) + QStringLiteral("] ");
            current = shown;
        }
        text += it.fragment().text();
    }
    return text;
}

QStringList describe(const QTextDocument &document)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << describe(block, document.defaultFont());
    return blocks;
}

class DocumentGenerator {
public:
    explicit DocumentGenerator(quint32 seed) : m_random(seed) {}

    void fill(QTextDocument &document)
    {
        QTextCursor cursor(&document);
        const int paragraphs = pick(7);
        Marker previousMarker = Marker::None;
        for (int p = 0; p < paragraphs; ++p) {
            if (p > 0)
                cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            QTextBlockFormat blockFormat;
            if (chance(3))
                blockFormat.setAlignment(
                    pickOf({Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify}));
            cursor.setBlockFormat(blockFormat);
            const Marker marker = chance(3) ? pickOf({Marker::Bullet, Marker::Bullet, Marker::Decimal,
                                                      Marker::LowerAlpha, Marker::UpperRoman})
                                            : Marker::None;
            // Readers join neighbouring items of one kind into one list; so does the generator.
            if (marker != Marker::None && marker == previousMarker)
                cursor.block().previous().textList()->add(cursor.block());
            else if (marker != Marker::None)
                cursor.createList(listStyle(marker));
            previousMarker = marker;

            const int runs = pick(5);
            if (runs == 0)
                cursor.setBlockCharFormat(randomFormat());
            for (int r = 0; r < runs; ++r)
                cursor.insertText(randomText(), randomFormat());
        }
    }

private:
    int pick(int below) { return int(m_random.bounded(below)); }
    bool chance(int oneIn) { return pick(oneIn) == 0; }
    template <typename T> T pickOf(std::initializer_list<T> values)
    {
        return values.begin()[pick(int(values.size()))];
    }

    static QTextListFormat::Style listStyle(Marker marker)
    {
        switch (marker) {
        case Marker::Decimal:
            return QTextListFormat::ListDecimal;
        case Marker::LowerAlpha:
            return QTextListFormat::ListLowerAlpha;
        case Marker::UpperRoman:
            return QTextListFormat::ListUpperRoman;
        default:
            return QTextListFormat::ListDisc;
        }
    }

    QString randomText()
    {
        // Plain letters, RTF's special characters, 1252's upper half, other scripts, a
        // character beyond the BMP, tab and line break.
        static const QStringList pieces{"a",      "Z",   "0",      "9",      " ",      "  ",     "words ",
                                        "\\",     "{",   "}",      ";",      "?",      "\t",     "\u2028",
                                        "é",      "ß",   "€",      "“",      "\u00A0", "\u00AD", "\u0081",
                                        "Привет", "αβγ", "日本語", "한국",   "😀",      "\uF0B7", "\uFFFD",
                                        "-",      "'",   "\u200D", "\u2011", "\u00FF", "x1",     "\\par"};
        QString text;
        for (int n = 1 + pick(8); n > 0; --n)
            text += pieces.at(pick(int(pieces.size())));
        return text;
    }

    QTextCharFormat randomFormat()
    {
        QTextCharFormat format;
        if (!chance(3)) {
            static const QStringList families{"Arial",          "Times New Roman", "Courier New",
                                              "ＭＳ 明朝",      "Face {braced}",   "Symbol",
                                              "Liberation Sans"};
            format.setFontFamilies({families.at(pick(int(families.size())))});
        }
        if (!chance(3))
            format.setFontPointSize((1 + pick(200)) / 2.0);
        if (!chance(3))
            format.setFontWeight(chance(2) ? QFont::Bold : QFont::Normal);
        if (!chance(3))
            format.setFontItalic(chance(2));
        if (!chance(3))
            format.setFontUnderline(chance(2));
        if (!chance(3))
            format.setFontStrikeOut(chance(2));
        if (chance(2))
            format.setForeground(QColor::fromRgb(m_random.generate() & 0xFFFFFF));
        return format;
    }

    QRandomGenerator m_random;
};

} // namespace

void TestRtfRoundTrip::generatedDocumentsReadBack()
{
    for (quint32 seed = 1; seed <= DocumentCount; ++seed) {
        QTextDocument original;
        original.setDefaultFont(QFont(QStringLiteral("Tahoma"), 11));
        DocumentGenerator(seed).fill(original);
        const QByteArray rtf = writeRtf(&original);

        // A reader's document with another default font: everything must come from the RTF.
        QTextDocument back;
        back.setDefaultFont(QFont(QStringLiteral("Courier"), 30, QFont::Bold, true));
        QVERIFY(readRtf(rtf, &back));
        const QStringList expected = describe(original);
        const QStringList actual = describe(back);
        if (actual != expected)
            qWarning("document %u differs; its RTF:\n%s", seed, rtf.constData());
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(actual.at(i), expected.at(i));
    }
}

void TestRtfRoundTrip::writingWhatWasReadGivesTheSameRtf()
{
    for (quint32 seed = 1; seed <= DocumentCount; ++seed) {
        QTextDocument original;
        original.setDefaultFont(QFont(QStringLiteral("Tahoma"), 11));
        DocumentGenerator(seed).fill(original);
        const QByteArray rtf = writeRtf(&original);
        QTextDocument back;
        back.setDefaultFont(original.defaultFont());
        QVERIFY(readRtf(rtf, &back));
        QCOMPARE(writeRtf(&back), rtf);
    }
}

VANTELL_CORE_TEST_MAIN(TestRtfRoundTrip)
#include "test_rtfroundtrip.moc"
