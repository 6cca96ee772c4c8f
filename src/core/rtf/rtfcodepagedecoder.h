#pragma once

#include <map>

#include <QByteArrayView>
#include <QString>

// Decodes the 8-bit text of RTF (plain bytes and \'hh escapes) from Windows code pages, single-
// and double-byte ones alike, through iconv. Converters are opened on first use and kept.
class RtfCodePageDecoder {
public:
    RtfCodePageDecoder() = default;
    ~RtfCodePageDecoder();
    RtfCodePageDecoder(const RtfCodePageDecoder &) = delete;
    RtfCodePageDecoder &operator=(const RtfCodePageDecoder &) = delete;

    // `bytes` in Windows code page `codePage` (an unknown one is taken as 1252); a byte sequence
    // the code page does not define becomes U+FFFD, one per byte.
    QString decode(QByteArrayView bytes, int codePage);

    // The code page of a font's \fcharset, or 0 for the charsets that mean "the document's".
    static int codePageOfCharset(int charset);

private:
    // An open converter from `codePage` to UTF-16, or nullptr when iconv knows neither that code
    // page nor 1252.
    void *converterFor(int codePage);

    std::map<int, void *> m_converters; // iconv_t by code page; nullptr: iconv does not know it
};
