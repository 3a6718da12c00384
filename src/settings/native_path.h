// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names as the file system has them. A Linux file name is a string of bytes that need
// not be UTF-8, while QString (and QFile::encodeName) would turn the bytes that are not into
// U+FFFD, naming a file that does not exist. These two functions carry such bytes through a
// QString unchanged: each byte that is not part of a valid UTF-8 sequence becomes the lone
// low surrogate U+DC80 to U+DCFF, which no valid UTF-8 text can produce, and back.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vantoro {

QString pathFromNative(QByteArrayView bytes);
QByteArray nativePath(const QString &path);

} // namespace vantoro
