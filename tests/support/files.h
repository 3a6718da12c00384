// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reads and writes for the settings tests.
#include <QFile>
#include <QtTest>

namespace vantoro::test {

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace vantoro::test
