// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini_text.h"

namespace vantoro {

namespace {

bool isBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

char asciiLower(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

QByteArrayView trimmed(QByteArrayView t)
{
    qsizetype b = 0, e = t.size();
    while (b < e && isBlank(t[b]))
        ++b;
    while (e > b && isBlank(t[e - 1]))
        --e;
    return t.sliced(b, e - b);
}

// One line as the reader sees it. Offsets are into the whole text.
struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    qsizetype begin = 0;      // first byte (after a byte-order mark on the first line)
    qsizetype contentEnd = 0; // before the line ending
    qsizetype end = 0;        // after the line ending
    QByteArrayView name;      // section or key name
    qsizetype valueBegin = 0, valueEnd = 0;
};

// A text without any "\n" but with a "\r" has the old Macintosh line endings: its lines end
// at "\r". Every other text's lines end at "\n" (a "\r" in the middle of such a line is part
// of it, as it always was).
bool endsLinesWithCr(const QByteArray &text)
{
    return !text.contains('\n') && text.contains('\r');
}

// Walks the text line by line; a line ends at "\n", and a "\r" before it belongs to the ending.
class LineReader
{
public:
    explicit LineReader(const QByteArray &text) : m_text(text), m_eol(endsLinesWithCr(text) ? '\r' : '\n')
    {
        if (m_text.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }

    bool next(Line &line)
    {
        if (m_pos >= m_text.size())
            return false;
        line = Line{};
        line.begin = m_pos;
        const qsizetype nl = m_text.indexOf(m_eol, m_pos);
        line.end = nl < 0 ? m_text.size() : nl + 1;
        line.contentEnd = nl < 0 ? m_text.size() : nl;
        if (line.contentEnd > line.begin && m_text.at(line.contentEnd - 1) == '\r')
            --line.contentEnd;
        m_pos = line.end;
        classify(line);
        return true;
    }

private:
    void classify(Line &line) const
    {
        const QByteArrayView content(m_text.constData() + line.begin, line.contentEnd - line.begin);
        const QByteArrayView t = trimmed(content);
        if (t.startsWith('[')) {
            const qsizetype close = t.indexOf(']');
            if (close > 0) {
                line.kind = Line::Section;
                line.name = trimmed(t.sliced(1, close - 1));
            }
            return;
        }
        if (t.startsWith(';') || t.startsWith('#'))
            return;
        const qsizetype eq = content.indexOf('=');
        if (eq < 0)
            return;
        const QByteArrayView name = trimmed(content.first(eq));
        if (name.isEmpty())
            return;
        line.kind = Line::Key;
        line.name = name;
        qsizetype vb = line.begin + eq + 1, ve = line.contentEnd;
        while (vb < ve && isBlank(m_text.at(vb)))
            ++vb;
        while (ve > vb && isBlank(m_text.at(ve - 1)))
            --ve;
        line.valueBegin = vb;
        line.valueEnd = ve;
    }

    const QByteArray &m_text;
    const char m_eol;
    qsizetype m_pos = 0;
};

// New lines follow the ending the file already uses; a new file gets "\n".
QByteArray lineEnding(const QByteArray &text)
{
    if (endsLinesWithCr(text))
        return QByteArrayLiteral("\r");
    const qsizetype nl = text.indexOf('\n');
    return nl > 0 && text.at(nl - 1) == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

} // namespace

std::optional<QByteArray> IniText::value(QByteArrayView section, QByteArrayView key) const
{
    LineReader reader(m_bytes);
    Line line;
    bool inSection = false;
    while (reader.next(line)) {
        if (line.kind == Line::Section)
            inSection = sameName(line.name, section);
        else if (line.kind == Line::Key && inSection && sameName(line.name, key))
            return m_bytes.sliced(line.valueBegin, line.valueEnd - line.valueBegin);
    }
    return std::nullopt;
}

void IniText::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    LineReader reader(m_bytes);
    Line line;
    bool inSection = false;
    int matchingSections = 0;
    qsizetype insertAt = -1; // after the header or last key of the first matching section
    while (reader.next(line)) {
        if (line.kind == Line::Section) {
            inSection = sameName(line.name, section);
            if (inSection && ++matchingSections == 1)
                insertAt = line.end;
        } else if (line.kind == Line::Key && inSection) {
            if (sameName(line.name, key)) {
                m_bytes.replace(line.valueBegin, line.valueEnd - line.valueBegin, value.toByteArray());
                return;
            }
            if (matchingSections == 1)
                insertAt = line.end;
        }
    }

    const QByteArray eol = lineEnding(m_bytes);
    QByteArray add;
    if (insertAt < 0) {
        insertAt = m_bytes.size();
        add = '[' + section.toByteArray() + ']' + eol;
    }
    add += key.toByteArray() + '=' + value.toByteArray() + eol;
    // The line before may be the file's last one without an ending.
    const bool afterBom = insertAt == 3 && m_bytes.startsWith("\xEF\xBB\xBF");
    if (insertAt > 0 && !afterBom) {
        const char before = m_bytes.at(insertAt - 1);
        if (eol == "\r") {
            if (before != '\r')
                add.prepend(eol);
        } else if (before == '\r') {
            add.prepend('\n');
        } else if (before != '\n') {
            add.prepend(eol);
        }
    }
    m_bytes.insert(insertAt, add);
}

} // namespace vantoro
