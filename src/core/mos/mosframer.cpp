#include "core/mos/mosframer.h"

namespace {

const QString startTag = QStringLiteral("<mos");
const QString endTag = QStringLiteral("</mos");

bool isXmlSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Whether the text at `at` (just after "<mos") makes it a start tag: "<mos>" or "<mos " with
// attributes, not "<mosID>". Empty when the text ends before that can be told.
std::optional<bool> startsTag(const QString &text, qsizetype at)
{
    if (at >= text.size())
        return std::nullopt;
    const QChar c = text.at(at);
    return c == u'>' || isXmlSpace(c);
}

// Read as UTF-16 big-endian, a message sent in an 8-bit encoding or in UTF-16 little-endian
// leaves marks in the text between messages: "<m" "os" as two characters, or each ASCII letter
// with its bytes swapped, or a '<' swallowed into the character before "mos>".
bool looksMisencoded(QStringView junk)
{
    static const QString eightBit = QStringLiteral(u"\u3C6D\u6F73");
    static const QString eightBitShifted = QStringLiteral(u"\u6D6F\u733E");
    static const QString littleEndian = QStringLiteral(u"\u3C00\u6D00\u6F00\u7300");
    if (junk.contains(eightBit) || junk.contains(eightBitShifted) || junk.contains(littleEndian))
        return true;
    for (qsizetype at = junk.indexOf(u"mos>"); at > 0; at = junk.indexOf(u"mos>", at + 1)) {
        const char16_t before = junk.at(at - 1).unicode();
        if (before != u'<' && (before & 0xFF) == u'<')
            return true;
    }
    return false;
}

} // namespace

MosFramer::MosFramer(qsizetype limitBytes) : m_limit(limitBytes), m_decoder(QStringConverter::Utf16BE) {}

void MosFramer::feed(QByteArrayView bytes)
{
    if (m_state != State::Reading || bytes.isEmpty())
        return;
    m_text += m_decoder.decode(bytes);
}

void MosFramer::compact()
{
    // Dropping the consumed text only once it outweighs the rest keeps a burst of small messages
    // linear in its length.
    if (m_head > 4096 && m_head * 2 > m_text.size()) {
        m_text.remove(0, m_head);
        m_scanFrom -= m_head;
        if (m_start >= 0)
            m_start -= m_head;
        m_head = 0;
    }
}

void MosFramer::findStart()
{
    for (;;) {
        const qsizetype at = m_text.indexOf(startTag, m_scanFrom);
        if (at < 0) {
            // Nothing but noise: keep only what could be the beginning of a start tag.
            const qsizetype keep = std::min<qsizetype>(m_text.size() - m_head, startTag.size());
            if (looksMisencoded(QStringView(m_text).mid(m_head)))
                m_state = State::WrongEncoding;
            m_text = m_text.right(keep);
            m_head = 0;
            m_scanFrom = 0;
            return;
        }
        const std::optional<bool> isStart = startsTag(m_text, at + startTag.size());
        if (isStart.value_or(true)) {
            if (looksMisencoded(QStringView(m_text).mid(m_head, at - m_head)))
                m_state = State::WrongEncoding;
            m_head = at;
            m_scanFrom = at;
            if (isStart) {
                m_start = at;
                m_scanFrom = at + startTag.size();
            }
            return;
        }
        m_scanFrom = at + 1;
    }
}

qsizetype MosFramer::nextStart(qsizetype from, qsizetype before) const
{
    for (qsizetype at = m_text.indexOf(startTag, from); at >= 0 && (before < 0 || at < before);
         at = m_text.indexOf(startTag, at + 1)) {
        if (startsTag(m_text, at + startTag.size()).value_or(false))
            return at;
    }
    return -1;
}

std::optional<QString> MosFramer::next()
{
    while (m_state == State::Reading) {
        if (m_start < 0) {
            compact();
            findStart();
            if (m_start < 0 || m_state != State::Reading)
                return std::nullopt;
        }
        const qsizetype end = m_text.indexOf(endTag, m_scanFrom);
        // A new start tag before the end: the message was cut short and the sender began again.
        const qsizetype restart = nextStart(m_scanFrom, end);
        if (restart >= 0) {
            QString cut = m_text.mid(m_start, restart - m_start);
            m_head = m_start = restart;
            m_scanFrom = restart + startTag.size();
            return cut;
        }
        if (end < 0) {
            // Keep what could be the beginning of an end tag for the next round.
            m_scanFrom = std::max(m_start + startTag.size(), m_text.size() - endTag.size());
            if (pendingBytes() > m_limit)
                m_state = State::TooLarge;
            return std::nullopt;
        }
        qsizetype close = end + endTag.size();
        while (close < m_text.size() && isXmlSpace(m_text.at(close)))
            ++close;
        if (close >= m_text.size()) {
            m_scanFrom = end;
            return std::nullopt;
        }
        if (m_text.at(close) != u'>') {
            m_scanFrom = end + 1; // "</mosID>" or the like
            continue;
        }
        const qsizetype length = close + 1 - m_start;
        if (length * 2 > m_limit) {
            m_state = State::TooLarge;
            return std::nullopt;
        }
        QString message = m_text.mid(m_start, length);
        m_head = m_scanFrom = close + 1;
        m_start = -1;
        return message;
    }
    return std::nullopt;
}
