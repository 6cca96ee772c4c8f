#include "core/rtf/rtftokenizer.h"

#include <algorithm>
#include <climits>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool endsText(char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView data) : m_data(data) {}

bool RtfTokenizer::next(RtfToken &token)
{
    const qsizetype size = m_data.size();
    while (m_position < size) {
        const char c = m_data[m_position];
        switch (c) {
        case '{':
            ++m_position;
            token.kind = RtfToken::Kind::GroupOpen;
            return true;
        case '}':
            ++m_position;
            token.kind = RtfToken::Kind::GroupClose;
            return true;
        case '\\':
            if (readControl(token))
                return true;
            break;
        case '\r':
        case '\n':
            ++m_position;
            break;
        default: {
            const qsizetype start = m_position;
            while (m_position < size && !endsText(m_data[m_position]))
                ++m_position;
            token.kind = RtfToken::Kind::Text;
            token.text = std::string_view(m_data.data() + start, size_t(m_position - start));
            return true;
        }
        }
    }
    return false;
}

bool RtfTokenizer::readControl(RtfToken &token)
{
    const qsizetype size = m_data.size();
    ++m_position; // the backslash
    if (m_position >= size)
        return false;
    const char c = m_data[m_position];

    if (isLetter(c)) {
        const qsizetype start = m_position;
        while (m_position < size && isLetter(m_data[m_position]))
            ++m_position;
        token.kind = RtfToken::Kind::ControlWord;
        token.word = std::string_view(m_data.data() + start, size_t(m_position - start));
        readParameter(token);
        if (m_position < size && m_data[m_position] == ' ')
            ++m_position;
        if (token.word == "bin" && token.parameter > 0)
            m_position += std::min<qsizetype>(token.parameter, size - m_position);
        return true;
    }

    if (c == '\'') {
        ++m_position;
        if (m_position + 1 >= size)
            return false;
        const int high = hexValue(m_data[m_position]);
        const int low = hexValue(m_data[m_position + 1]);
        if (high < 0 || low < 0)
            return false;
        m_position += 2;
        token.kind = RtfToken::Kind::HexByte;
        token.symbol = char(high * 16 + low);
        return true;
    }

    ++m_position;
    if (c == '\r' || c == '\n') {
        // A backslash before a line end is an old spelling of \par.
        token.kind = RtfToken::Kind::ControlWord;
        token.word = "par";
        token.hasParameter = false;
        token.parameter = 0;
        return true;
    }
    token.kind = RtfToken::Kind::ControlSymbol;
    token.symbol = c;
    return true;
}

void RtfTokenizer::readParameter(RtfToken &token)
{
    const qsizetype size = m_data.size();
    token.hasParameter = false;
    token.parameter = 0;
    bool negative = false;
    if (m_position + 1 < size && m_data[m_position] == '-' && isDigit(m_data[m_position + 1])) {
        negative = true;
        ++m_position;
    }
    if (m_position >= size || !isDigit(m_data[m_position]))
        return;
    // Saturate instead of overflowing: a parameter past the range of int is clamped to it.
    constexpr long long limit = 1LL << 32;
    long long value = 0;
    while (m_position < size && isDigit(m_data[m_position])) {
        value = std::min(limit, value * 10 + (m_data[m_position] - '0'));
        ++m_position;
    }
    if (negative)
        value = -value;
    token.hasParameter = true;
    token.parameter = int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}
