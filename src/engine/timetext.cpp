// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
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

namespace {

// Seconds of a packed H:M:S text before they are written as a number text.
double hmsSecondsExact(QStringView text)
{
    ShortText room;
    const QStringView s = rightAligned(text, WidthHms, room);
    const double sec = Val(s.right(5));
    const qint32 min = toLong(Val(s.mid(WidthHms - 7, 2)) * 60);
    const qint32 hr = toLong(Val(s.left(WidthHms - 7)) * 3600);
    return double(min) + sec + double(hr);
}

// A number text of Latin-1 characters with room to grow at both ends, for the steps of
// secToHms: no QString, no std::string, nothing on the heap.
class NumberText
{
public:
    explicit NumberText(double x) : m_size(StrInto(m_data + Front, x)) {}

    qsizetype size() const { return m_size; }
    char at(qsizetype i) const { return m_data[m_start + i]; } // from 0
    bool operator==(const char *t) const { return QLatin1StringView(*this) == QLatin1StringView(t); }
    operator QLatin1StringView() const { return QLatin1StringView(m_data + m_start, m_size); }

    // InStr(text, "."): 1-based, 0 when absent.
    qsizetype pointPosition() const
    {
        for (qsizetype i = 0; i < m_size; ++i)
            if (at(i) == '.')
                return i + 1;
        return 0;
    }

    NumberText &prepend(char c)
    {
        m_data[--m_start] = c;
        ++m_size;
        return *this;
    }
    NumberText &append(const char *t)
    {
        for (; *t; ++t)
            m_data[m_start + m_size++] = *t;
        return *this;
    }
    NumberText &dropFirst() // Mid$(text, 2)
    {
        ++m_start;
        --m_size;
        return *this;
    }
    NumberText &left(qsizetype n) // Left$
    {
        m_size = std::clamp<qsizetype>(n, 0, m_size);
        return *this;
    }
    NumberText &right(qsizetype n) // Right$
    {
        const qsizetype keep = std::clamp<qsizetype>(n, 0, m_size);
        m_start += m_size - keep;
        m_size = keep;
        return *this;
    }

private:
    static constexpr qsizetype Front = 2, Back = 4; // the most secToHms adds at either end
    char m_data[Front + StrMaxLength + Back];
    qsizetype m_start = Front;
    qsizetype m_size;
};

} // namespace

QString Hms_To_Sec(QStringView text)
{
    return Str(hmsSecondsExact(text));
}

void appendHmsToSec(ShortText &out, QStringView text)
{
    appendStr(out, hmsSecondsExact(text));
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
    ShortText text;
    if (!appendSecToHms(text, v))
        return std::nullopt;
    return text.view().toString();
}

bool appendSecToHms(ShortText &out, double v)
{
    if (v > MaxSec)
        return false;
    const double h = Int(v / 3600);
    if (h == 0)
        out << u"       ";
    else
        out << QLatin1StringView(NumberText(h).dropFirst());

    const double m = Int((v - 3600 * h) / 60);
    NumberText M(m);
    M.dropFirst();
    if (h == 0 && m == 0)
        M.left(0).append("  ");
    else if (h == 0)
        M.prepend(' ').prepend(' ').right(2);
    else
        M.prepend('0').prepend('0').right(2);

    double s = v - 3600 * h - 60 * m;
    s = Int(s * 1000) / 1000;

    // Half up to hundredths, decided on the thousandths digit of the number text.
    const NumberText exact(s);
    const qsizetype point = exact.pointPosition();
    if (point > 0 && point + 3 <= exact.size() && exact.at(point + 2) >= '5')
        s += 0.01;

    NumberText T(s);
    T.dropFirst();
    const qsizetype p = T.pointPosition();
    const bool noMinutes = M == "  ";
    if (p == 0) {
        T.append(".00");
        if (T.size() == 4)
            T.prepend('0');
    } else if (p == 1) {
        T.prepend('0').append("0");
        if (noMinutes)
            T.left(4);
        else
            T.prepend('0').left(5);
    } else if (p == 2) {
        T.append("0");
        if (noMinutes)
            T.left(4);
        else
            T.prepend('0').left(5);
    } else if (p == 3) {
        T.append("0").left(5);
    }
    if (m == 0 && h == 0 && s < 10)
        T.right(4);

    out << QLatin1StringView(M) << QLatin1StringView(T);
    return true;
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
    ShortText text;
    const std::optional<int> sign = appendSecondsResult(text, r);
    if (!sign)
        return std::nullopt;
    return SecondsResult{text.view().toString(), *sign};
}

std::optional<int> appendSecondsResult(ShortText &out, double r)
{
    {
        ShortText str;
        appendStr(str, r);
        const QStringView T = str.view();
        if (T.contains(u"E-")) {
            // Keep at most 13 + k decimals of the mantissa so that the exponent form fits.
            const qsizetype e = T.indexOf(u'E');
            const int k = int(Val(T.mid(e + 1)));
            r = k + 16 <= 0 ? 0.0 : Val(T.left(e).left(k + 16)) * std::pow(10.0, k);
        }
    }
    const int sign = r >= 0 ? 1 : -1;
    ShortText T;
    appendStr(T, std::fabs(r));
    if (std::fabs(r) > MaxSecondsResult)
        return std::nullopt;
    if (T.size() - 1 > WidthSec && Val(T.view()) > MaxSecondsResult)
        return std::nullopt;
    out << T.view().left(WidthSec + 1);
    return sign;
}

} // namespace vantoro
