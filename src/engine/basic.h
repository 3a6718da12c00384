// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text operations the calculator is written in. Positions count characters from 1;
// a count below zero counts as zero.
#include <QString>

#include "window/text.h"

namespace vantoro {

QString Left(const QString &t, qsizetype n);
QString Right(const QString &t, qsizetype n);
QString Mid(const QString &t, qsizetype p, qsizetype n);
QString Space(qsizetype n);
// Right$(Space$(n) & t, n): the last n characters of t, blanks in front up to n.
QString RightAlign(const QString &t, qsizetype n);
qsizetype InStr(const QString &t, const QString &s); // 1-based, 0 when absent

// t = Space$(n) & digit, written in t's own storage where it can: the clearing keys.
void setBlanksAndDigit(QString &t, qsizetype n, QChar digit);
// t = Space$(n), the same way.
void setBlanks(QString &t, qsizetype n);
// t = Space$(n), compared without making the blanks.
bool isBlanks(QStringView t, qsizetype n);
double Int(double x); // largest whole number not above x

// The number a text begins with: blanks, tabs and line feeds anywhere are ignored, then
// an optional sign, digits, a point with digits and an exponent (E or D) are read.
// 0 when nothing is read.
double Val(QStringView t);

// The number text of x: a leading blank or "-", rounded to the given significant digits
// (15 for doubles, 7 for single-precision values), no zero before the point, and the
// exponent form (1.5E-05, 1E+15) for decimal exponents below -4 or from `digits` up.
QString Str(double x, int digits = 15);

// Str$(x) written into out (room for StrMaxLength characters, Latin-1); returns its length.
constexpr int StrMaxLength = 64;
int StrInto(char *out, double x, int digits = 15);
// Str$(x) added to out.
void appendStr(ShortText &out, double x, int digits = 15);

// Val(Str$(x)): x rounded to 15 significant digits as its number text would give it back,
// without making the text.
double ValOfStr(double x);

} // namespace vantoro
