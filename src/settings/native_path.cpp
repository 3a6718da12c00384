// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/native_path.h"

namespace vantoro {

namespace {

// The length of the valid UTF-8 sequence at `pos` and its code point, or 0 when the byte
// there does not start one (overlong forms, surrogates and values beyond U+10FFFF included).
int utf8Sequence(QByteArrayView b, qsizetype pos, char32_t &cp)
{
    const auto byte = [&](qsizetype i) { return uchar(b[i]); };
    const uchar lead = byte(pos);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    int n;
    char32_t min;
    if ((lead & 0xE0) == 0xC0) {
        n = 2, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        n = 3, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        n = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + n > b.size())
        return 0;
    for (int i = 1; i < n; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

QString pathFromNative(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    for (qsizetype pos = 0; pos < bytes.size();) {
        char32_t cp = 0;
        const int n = utf8Sequence(bytes, pos, cp);
        if (n == 0) {
            path += QChar(char16_t(0xDC00 + uchar(bytes[pos])));
            ++pos;
        } else {
            path += QString::fromUcs4(&cp, 1);
            pos += n;
        }
    }
    return path;
}

QByteArray nativePath(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c.isHighSurrogate() && i + 1 < path.size() && path.at(i + 1).isLowSurrogate()) {
            bytes += QString(path.constData() + i, 2).toUtf8();
            ++i;
        } else if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) {
            bytes += char(c.unicode() - 0xDC00);
        } else {
            bytes += QString(c).toUtf8(); // another lone surrogate becomes U+FFFD
        }
    }
    return bytes;
}

} // namespace vantoro
