#include <cmath>
#include <limits>

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

QString Hms_To_Sec(const QString &text)
{
    const QString s = RightAlign(text, WidthHms);
    const double sec = Val(Right(s, 5));
    const qint32 min = toLong(Val(Mid(s, WidthHms - 6, 2)) * 60);
    const qint32 hr = toLong(Val(Left(s, WidthHms - 7)) * 3600);
    return Str(double(min) + sec + double(hr));
}

std::optional<QString> Sec_To_Hms(const QString &text)
{
    double v = Val(text);
    if (v > MaxSec)
        return std::nullopt;
    const double h = Int(v / 3600);
    const QString H = h == 0 ? Space(7) : Str(h).mid(1);

    const double m = Int((v - 3600 * h) / 60);
    const QString d = Str(m).mid(1);
    QString M;
    if (h == 0 && m == 0)
        M = Space(2);
    else if (h == 0)
        M = Right(QStringLiteral("  ") + d, 2);
    else
        M = Right(QStringLiteral("00") + d, 2);

    double s = v - 3600 * h - 60 * m;
    s = Int(s * 1000) / 1000;

    // Half up to hundredths, decided on the thousandths digit of the number text.
    QString T = Str(s);
    qsizetype p = InStr(T, QStringLiteral("."));
    if (p > 0 && p + 3 <= T.size() && T.at(p + 2) >= QLatin1Char('5'))
        s += 0.01;

    T = Str(s).mid(1);
    p = InStr(T, QStringLiteral("."));
    const bool noMinutes = M == Space(2);
    if (p == 0) {
        T += QStringLiteral(".00");
        if (T.size() == 4)
            T = QLatin1Char('0') + T;
    } else if (p == 1) {
        T = QLatin1Char('0') + T + QLatin1Char('0');
        T = noMinutes ? Left(T, 4) : Left(QLatin1Char('0') + T, 5);
    } else if (p == 2) {
        T += QLatin1Char('0');
        T = noMinutes ? Left(T, 4) : Left(QLatin1Char('0') + T, 5);
    } else if (p == 3) {
        T = Left(T + QLatin1Char('0'), 5);
    }
    if (m == 0 && h == 0 && s < 10)
        T = Right(T, 4);

    return H + M + T;
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
