#include "core/rtf/rtfcodepagedecoder.h"

#include <algorithm>
#include <cerrno>

#include <iconv.h>

#include <QSysInfo>

namespace {

constexpr int Windows1252 = 1252;
constexpr char16_t ReplacementCharacter = u'\uFFFD';

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 10000:
        return QByteArrayLiteral("MACINTOSH");
    case 65001:
        return QByteArrayLiteral("UTF-8");
    default:
        return "CP" + QByteArray::number(codePage);
    }
}

iconv_t asIconv(void *converter)
{
    return static_cast<iconv_t>(converter);
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

RtfCodePageDecoder::~RtfCodePageDecoder()
{
    for (const auto &[codePage, converter] : m_converters) {
        if (converter)
            iconv_close(asIconv(converter));
    }
}

void *RtfCodePageDecoder::converterFor(int codePage)
{
    auto found = m_converters.find(codePage);
    if (found == m_converters.end()) {
        const char *target = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
        const iconv_t converter = iconv_open(target, iconvName(codePage).constData());
        found = m_converters.emplace(codePage, converter == iconv_t(-1) ? nullptr : converter).first;
    }
    if (!found->second && codePage != Windows1252)
        return converterFor(Windows1252);
    return found->second;
}

QString RtfCodePageDecoder::decode(QByteArrayView bytes, int codePage)
{
    // All the code pages agree with ASCII below 0x80, and a double-byte character always starts
    // with a byte above it.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    void *converter = converterFor(codePage);
    if (!converter)
        return QString(bytes.size(), QChar(ReplacementCharacter));

    // One byte never gives more than two UTF-16 units; the buffer still grows if one ever did.
    QString text(bytes.size() * 2 + 4, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    qsizetype written = 0;
    iconv(asIconv(converter), nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char *out = reinterpret_cast<char *>(text.data() + written);
        size_t outLeft = size_t(text.size() - written) * sizeof(char16_t);
        const size_t result = iconv(asIconv(converter), &in, &inLeft, &out, &outLeft);
        const int error = errno;
        written = (out - reinterpret_cast<char *>(text.data())) / qsizetype(sizeof(char16_t));
        if (result != size_t(-1))
            break;
        if (error == E2BIG) {
            text.resize(text.size() * 2);
            continue;
        }
        // An invalid or cut-off sequence: replace its first byte and go on after it.
        if (written == text.size())
            text.resize(text.size() * 2);
        text[written++] = QChar(ReplacementCharacter);
        ++in;
        --inLeft;
        iconv(asIconv(converter), nullptr, nullptr, nullptr, nullptr);
    }
    // A stateful decoder (1258 combines accents) may still hold a character back.
    if (text.size() - written < 4)
        text.resize(written + 4);
    char *out = reinterpret_cast<char *>(text.data() + written);
    size_t outLeft = size_t(text.size() - written) * sizeof(char16_t);
    iconv(asIconv(converter), nullptr, nullptr, &out, &outLeft);
    written = (out - reinterpret_cast<char *>(text.data())) / qsizetype(sizeof(char16_t));
    text.resize(written);
    return text;
}

int RtfCodePageDecoder::codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: // ANSI
    case 2: // Symbol: its glyphs sit on the 1252 bytes
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default: // 1 (default) and charsets without a code page of their own
        return 0;
    }
}
