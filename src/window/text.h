// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Short texts composed without the heap, and written into a text in place. The keys change
// the display, the entries and the history lines on every press: written this way a text
// keeps its storage while no one else shares it, so the common keys allocate nothing.
#include <QString>
#include <QStringView>
#include <algorithm>
#include <cstring>
#include <memory>

namespace vantoro {

// target = text, in target's own storage when it is not shared and large enough; text may
// be a part of target itself.
inline void assignText(QString &target, QStringView text)
{
    const qsizetype n = text.size();
    if (!target.isDetached() || target.capacity() < n) {
        if (QStringView(target) != text) // a shared text stays shared while it is the same
            target = text.toString();
        return;
    }
    if (n > target.size())
        target.resize(n); // a longer text is never a part of target
    if (n > 0)            // an empty view may have no characters at all
        std::memmove(static_cast<void *>(target.data()), text.data(), size_t(n) * sizeof(QChar));
    if (n < target.size()) // most texts keep their length: nothing to resize
        target.resize(n);
}

// target = source, without touching the reference counts when it holds that text already:
// the same characters in the same place. (The texts of QStringLiteral have no reference
// count, so isSharedWith never holds for them.)
inline void assignShared(QString &target, const QString &source)
{
    if (target.constData() != source.constData() || target.size() != source.size()
        || target.isNull() != source.isNull())
        target = source;
}

// A text built on the stack from pieces.
class ShortText
{
public:
    ShortText() = default;
    ShortText(const ShortText &) = delete;
    ShortText &operator=(const ShortText &) = delete;

    ShortText &operator<<(QStringView s)
    {
        char16_t *to = grow(s.size());
        if (!s.isEmpty())
            std::memcpy(to, s.utf16(), size_t(s.size()) * sizeof(char16_t));
        return *this;
    }
    ShortText &operator<<(QChar c)
    {
        *grow(1) = c.unicode();
        return *this;
    }
    ShortText &operator<<(QLatin1StringView s)
    {
        char16_t *to = grow(s.size());
        for (char c : s)
            *to++ = uchar(c);
        return *this;
    }
    ShortText &operator<<(const QString &s) { return *this << QStringView(s); }
    ShortText &operator<<(char16_t c) { return *this << QChar(c); }

    // Right$(Space$(n) & text, n): the last n characters, blanks in front up to n.
    ShortText &rightAlign(qsizetype n)
    {
        if (n <= 0) {
            m_size = 0;
        } else if (m_size > n) {
            std::memmove(m_data, m_data + (m_size - n), size_t(n) * sizeof(char16_t));
            m_size = n;
        } else if (m_size < n) {
            const qsizetype pad = n - m_size;
            grow(pad);
            std::memmove(m_data + pad, m_data, size_t(n - pad) * sizeof(char16_t));
            std::fill(m_data, m_data + pad, u' ');
        }
        return *this;
    }

    QStringView view() const { return QStringView(m_data, m_size); }
    qsizetype size() const { return m_size; }

private:
    // Room for n more characters at the end; the texts here fit the stack, a longer one
    // moves to the heap.
    char16_t *grow(qsizetype n)
    {
        if (m_size + n > m_capacity) {
            const qsizetype capacity = std::max(m_capacity * 2, m_size + n);
            auto larger = std::make_unique<char16_t[]>(size_t(capacity));
            std::memcpy(larger.get(), m_data, size_t(m_size) * sizeof(char16_t));
            m_heap = std::move(larger);
            m_data = m_heap.get();
            m_capacity = capacity;
        }
        char16_t *to = m_data + m_size;
        m_size += n;
        return to;
    }

    char16_t m_small[64];
    char16_t *m_data = m_small;
    qsizetype m_size = 0;
    qsizetype m_capacity = 64;
    std::unique_ptr<char16_t[]> m_heap;
};

// Right$(Space$(n) & text, n) as a view: the last n characters of text itself, or a shorter
// text with blanks in front, composed in room.
inline QStringView rightAligned(QStringView text, qsizetype n, ShortText &room)
{
    if (text.size() >= n)
        return text.last(std::max<qsizetype>(n, 0));
    return (room << text).rightAlign(n).view();
}

} // namespace vantoro
