// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <limits>
#include <string>

#include "engine/timetext.h"

#include "engine/basic.h"

namespace vantoro {

namespace {

// Whole number rounded half to even, as a 32-bit integer takes it; kept in range.
qint32 toLong(double x)
{
    const double r = std::nearbyint(x);
    if (!(r >= std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    if (r > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return qint32(r);
}

} // namespace

namespace {

// Seconds of a packed H:M:S text before they are written as a number text.
double hmsSecondsExact(QStringView text)
{
    ShortText aligned;
    aligned << text;
    const QStringView s = aligned.rightAlign(WidthHms).view();
    const double sec = Val(s.right(5));
    const qint32 min = toLong(Val(s.mid(WidthHms - 7, 2)) * 60);
    const qint32 hr = toLong(Val(s.left(WidthHms - 7)) * 3600);
    return double(min) + sec + double(hr);
}

// Str$(x) as a Latin-1 text; short enough for the string's own buffer but in exponent form.
std::string strText(double x)
{
    char out[StrMaxLength];
    return std::string(out, size_t(StrInto(out, x)));
}

// Left$, Right$ and InStr on such texts.
std::string left(const std::string &t, qsizetype n)
{
    return n <= 0 ? std::string() : t.substr(0, size_t(n));
}

std::string right(const std::string &t, qsizetype n)
{
    if (n <= 0)
        return std::string();
    return size_t(n) >= t.size() ? t : t.substr(t.size() - size_t(n));
}

qsizetype inStrPoint(const std::string &t)
{
    const size_t p = t.find('.');
    return p == std::string::npos ? 0 : qsizetype(p) + 1;
}

} // namespace

QString Hms_To_Sec(QStringView text)
{
    return Str(hmsSecondsExact(text));
}

double hmsSeconds(QStringView text)
{
    return ValOfStr(hmsSecondsExact(text));
}

std::optional<QString> Sec_To_Hms(QStringView text)
{
    return secToHms(Val(text));
}

std::optional<QString> secToHms(double v)
{
    // Worked in Latin-1 texts that fit the string's own buffer: no allocation but the result.
    if (v > MaxSec)
        return std::nullopt;
    const double h = Int(v / 3600);
    const std::string H = h == 0 ? std::string(7, ' ') : strText(h).substr(1);

    const double m = Int((v - 3600 * h) / 60);
    const std::string d = strText(m).substr(1);
    std::string M;
    if (h == 0 && m == 0)
        M = "  ";
    else if (h == 0)
        M = right("  " + d, 2);
    else
        M = right("00" + d, 2);

    double s = v - 3600 * h - 60 * m;
    s = Int(s * 1000) / 1000;

    // Half up to hundredths, decided on the thousandths digit of the number text.
    std::string T = strText(s);
    qsizetype p = inStrPoint(T);
    if (p > 0 && p + 3 <= qsizetype(T.size()) && T[size_t(p + 2)] >= '5')
        s += 0.01;

    T = strText(s).substr(1);
    p = inStrPoint(T);
    const bool noMinutes = M == "  ";
    if (p == 0) {
        T += ".00";
        if (T.size() == 4)
            T = '0' + T;
    } else if (p == 1) {
        T = '0' + T + '0';
        T = noMinutes ? left(T, 4) : left('0' + T, 5);
    } else if (p == 2) {
        T += '0';
        T = noMinutes ? left(T, 4) : left('0' + T, 5);
    } else if (p == 3) {
        T = left(T + '0', 5);
    }
    if (m == 0 && h == 0 && s < 10)
        T = right(T, 4);

    const std::string r = H + M + T;
    return QString::fromLatin1(r.data(), qsizetype(r.size()));
}

void appendHmsDisplay(ShortText &out, QStringView view)
{
    // Left$(view, 5), Mid$(view, 6, 2) and Right$(view, 5): the views cut as those do.
    out << view.left(WidthHms - 7) << QChar(0x00B0) << view.mid(WidthHms - 7, 2) << QChar(0x2019) << view.right(5)
        << QChar(0x201D);
}

QString hmsDisplay(QStringView view)
{
    ShortText t;
    appendHmsDisplay(t, view);
    return t.view().toString();
}

std::optional<SecondsResult> secondsResultText(double r)
{
    QString T = Str(r);
    if (T.contains(QStringLiteral("E-"))) {
        // Keep at most 13 + k decimals of the mantissa so that the exponent form fits.
        const qsizetype e = InStr(T, QStringLiteral("E"));
        const int k = int(Val(Right(T, T.size() - e)));
        const QString mantissa = Left(T, e - 1);
        r = k + 16 <= 0 ? 0.0 : Val(Left(mantissa, k + 16)) * std::pow(10.0, k);
    }
    const int sign = r >= 0 ? 1 : -1;
    T = Str(std::fabs(r));
    if (std::fabs(r) > MaxSecondsResult)
        return std::nullopt;
    if (T.size() - 1 > WidthSec) {
        if (Val(T) > MaxSecondsResult)
            return std::nullopt;
        T = Left(T, WidthSec + 1);
    }
    return SecondsResult{T, sign};
}

} // namespace vantoro
