// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of an INI file, edited without disturbing it: every line, its order, its
// line ending, comments, unknown lines and a byte-order mark stay byte for byte; only
// the value of a written key changes, and new keys and sections are added.
#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace vantoro {

class IniText
{
public:
    explicit IniText(QByteArray bytes = {}) : m_bytes(std::move(bytes)) {}

    // The value of `key` in `section`, blanks around it removed; names compare without
    // regard to ASCII case, the first occurrence wins (also across repeated sections),
    // and key lines before the first section belong to none.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    // Replaces the value of an existing key in place, or adds the key at the end of its
    // section, or adds the section with the key at the end of the text.
    void setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace vantoro
