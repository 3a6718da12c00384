#pragma once
// Short texts composed without the heap, and written into a text in place. The keys change
// the display, the entries and the history lines on every press: written this way a text
// keeps its storage while no one else shares it, so the common keys allocate nothing.
#include <QString>
#include <QStringView>
#include <QVarLengthArray>
#include <cstring>

namespace vantoro {

// target = text, in target's own storage when it is not shared and large enough; text may
// be a part of target itself.
inline void assignText(QString &target, QStringView text)
{
    if (QStringView(target) == text)
        return;
    const qsizetype n = text.size();
    if (!target.isDetached() || target.capacity() < n) {
        target = text.toString();
        return;
    }
    if (n > target.size())
        target.resize(n); // a longer text is never a part of target
    std::memmove(static_cast<void *>(target.data()), text.data(), size_t(n) * sizeof(QChar));
    target.resize(n);
}

// A text built on the stack from pieces.
class ShortText
{
public:
    ShortText &operator<<(QStringView s)
    {
        m_chars.append(s.utf16(), s.size());
        return *this;
    }
    ShortText &operator<<(QChar c)
    {
        m_chars.append(c.unicode());
        return *this;
    }
    ShortText &operator<<(const QString &s) { return *this << QStringView(s); }
    ShortText &operator<<(char16_t c) { return *this << QChar(c); }
    ShortText &operator<<(const char16_t *s) { return *this << QStringView(s); }

    // Right$(Space$(n) & text, n): the last n characters, blanks in front up to n.
    ShortText &rightAlign(qsizetype n)
    {
        if (n <= 0) {
            m_chars.clear();
        } else if (m_chars.size() > n) {
            m_chars.remove(0, m_chars.size() - n);
        } else if (m_chars.size() < n) {
            m_chars.insert(m_chars.cbegin(), n - m_chars.size(), u' ');
        }
        return *this;
    }

    QStringView view() const { return QStringView(m_chars.constData(), m_chars.size()); }
    qsizetype size() const { return m_chars.size(); }

private:
    QVarLengthArray<char16_t, 64> m_chars;
};

} // namespace vantoro
