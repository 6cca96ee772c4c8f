#include "core/render/miniawk.h"

namespace {

struct SeparatorChoice {
    QChar character;
    bool blankMode;
};

SeparatorChoice separatorFor(const QString &setting)
{
    if (setting.isEmpty())
        return {QChar(u' '), true};
    if (setting.size() >= 2 && setting.at(0) == u'^') {
        const char16_t c = setting.at(1).unicode();
        if ((c >= u'A' && c <= u'Z') || c == u'[')
            return {QChar(static_cast<char16_t>(c - 64)), false};
        if (c >= u'a' && c <= u'z')
            return {QChar(static_cast<char16_t>(c - 96)), false};
        return {QChar(u'^'), false};
    }
    return {setting.at(0), false};
}

} // namespace

void TAwkParser::Parse(const QString &line)
{
    m_line = line;
    m_starts.fill(0);
    m_lengths.fill(0);
    const SeparatorChoice sep = separatorFor(Separator);

    int k = 0;
    bool inField = false;
    bool capped = false;
    for (int i = 1; i <= line.size(); ++i) {
        if (line.at(i - 1) == sep.character) {
            if (inField) {
                inField = false;
            } else if (!sep.blankMode) {
                m_starts[k] = i;
                m_lengths[k] = 0;
            } else {
                continue;
            }
            ++k;
            m_starts[k] = 0;
            if (k == MaxFields) {
                capped = true;
                break;
            }
        } else if (!inField) {
            inField = true;
            m_starts[k] = i;
            m_lengths[k] = 1;
        } else {
            ++m_lengths[k];
        }
    }
    if (capped) {
        FieldCount = MaxFields;
        return;
    }
    if (sep.blankMode && !inField)
        --k;
    FieldCount = m_starts[0] > 0 ? static_cast<quint8>(k + 1) : 0;
}

QString TAwkParser::GetField(int n) const
{
    if (n == 0)
        return m_line;
    if (n < 0 || n > FieldCount || m_starts[n - 1] == 0)
        return {};
    return m_line.mid(m_starts[n - 1] - 1, m_lengths[n - 1]);
}
