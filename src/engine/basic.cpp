// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/basic.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vantoro {

QString Left(const QString &t, qsizetype n)
{
    return n <= 0 ? QString() : t.left(n);
}

QString Right(const QString &t, qsizetype n)
{
    return n <= 0 ? QString() : t.right(n);
}

QString Mid(const QString &t, qsizetype p, qsizetype n)
{
    if (p < 1 || n <= 0 || p > t.size())
        return QString();
    return t.mid(p - 1, n);
}

QString Space(qsizetype n)
{
    return n <= 0 ? QString() : QString(n, QLatin1Char(' '));
}

QString RightAlign(const QString &t, qsizetype n)
{
    if (n <= 0)
        return QString();
    if (t.size() >= n)
        return t.right(n); // the text itself, shared, when it is n long already
    // One allocation instead of three: the blanks, the joined text and its right part.
    QString r(n, QLatin1Char(' '));
    std::copy(t.cbegin(), t.cend(), r.begin() + (n - t.size()));
    return r;
}

void setBlanksAndDigit(QString &t, qsizetype n, QChar digit)
{
    ShortText s;
    s << digit;
    assignText(t, s.rightAlign(std::max<qsizetype>(n, 0) + 1).view());
}

void setBlanks(QString &t, qsizetype n)
{
    ShortText s;
    assignText(t, s.rightAlign(n).view());
}

bool isBlanks(QStringView t, qsizetype n)
{
    if (t.size() != std::max<qsizetype>(n, 0))
        return false;
    return std::all_of(t.begin(), t.end(), [](QChar c) { return c == QLatin1Char(' '); });
}

qsizetype InStr(const QString &t, const QString &s)
{
    return t.indexOf(s) + 1;
}

double Int(double x)
{
    return std::floor(x);
}

namespace {

// Val on a text of n characters without blanks, which it may change.
double valOfChars(char *s, size_t n)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    const size_t start = i;
    // The digits as one whole number, read as they go by: exact in a double up to 15 of them.
    quint64 whole = 0;
    int digits = 0, decimals = 0;
    while (i < n && digit(s[i])) {
        whole = whole * 10 + quint64(s[i++] - '0');
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && digit(s[i])) {
            whole = whole * 10 + quint64(s[i++] - '0');
            ++digits;
            ++decimals;
        }
    }
    if (digits == 0)
        return 0.0;
    // The number is read in place, so the exponent letter must be the e that from_chars knows.
    size_t end = i;
    if (i < n && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-'))
            ++j;
        const size_t expStart = j;
        while (j < n && digit(s[j]))
            ++j;
        if (j > expStart) {
            s[i] = 'e';
            end = j;
        }
    }
    double v = 0;
    if (end == i && digits <= 15) {
        // Up to 15 digits and no exponent: the whole number divided by an exact power of ten
        // is the correctly rounded value from_chars gives.
        static constexpr double Tens[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        v = decimals > 0 ? double(whole) / Tens[decimals] : double(whole);
        return negative ? -v : v;
    }
    const auto r = std::from_chars(s + start, s + end, v);
    if (r.ec == std::errc::result_out_of_range) {
        // from_chars leaves v alone here; strtod gives infinity or the nearest tiny value.
        const std::string text(s + start, s + end);
        v = std::strtod(text.c_str(), nullptr);
    }
    return negative ? -v : v;
}

// Whether the 15-digit form of a (positive and finite) is a short decimal: a whole number
// below 1e15, or a number below 1e12 of up to three decimals that is exactly the double
// nearest its decimal text (checked by dividing back, which rounds correctly). Such a text
// is the number's digits with the point put back, and the double lies far closer to it than
// half a unit of the 15th digit. Gives the digits as a whole number and the decimals.
bool shortDecimal(double a, quint64 &digits, int &decimals)
{
    if (a < 1e15 && a == std::floor(a)) {
        digits = quint64(a);
        decimals = 0;
        return true;
    }
    if (a >= 1e12)
        return false;
    static constexpr double Tens[] = {1, 10, 100, 1000};
    for (int d = 1; d <= 3; ++d) {
        const double scaled = std::nearbyint(a * Tens[d]);
        if (scaled < 1e15 && scaled / Tens[d] == a) {
            digits = quint64(scaled);
            decimals = d;
            return true;
        }
    }
    return false;
}

// The decimal digits of v (above zero) at `to`; their count.
int writeDigits(char *to, quint64 v)
{
    char rev[20];
    int n = 0;
    for (; v != 0; v /= 10)
        rev[n++] = char('0' + v % 10);
    for (int k = 0; k < n; ++k)
        to[k] = rev[n - 1 - k];
    return n;
}

} // namespace

double Val(QStringView t)
{
    // Read without allocating: number texts here are short, a longer one goes to the heap.
    // from_chars reads as strtod does in the C locale, whatever the user's locale.
    char small[64];
    std::string large;
    char *s = small;
    if (t.size() >= qsizetype(sizeof small)) {
        large.resize(size_t(t.size()));
        s = large.data();
    }
    size_t n = 0;
    for (QChar c : t) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'))
            continue;
        s[n++] = c.unicode() < 128 ? char(c.unicode()) : '\x7f';
    }
    return valOfChars(s, n);
}

QString Str(double x, int digits)
{
    char out[StrMaxLength];
    return QString::fromLatin1(out, StrInto(out, x, digits));
}

void appendStr(ShortText &out, double x, int digits)
{
    char text[StrMaxLength];
    out << QLatin1StringView(text, StrInto(text, x, digits));
}

double ValOfStr(double x)
{
    // A number whose text is a short decimal reads back as itself; the number text of zero
    // (and of NaN) reads as zero.
    quint64 digits;
    int decimals;
    if (x == 0 || std::isnan(x))
        return 0.0;
    if (shortDecimal(std::fabs(x), digits, decimals))
        return x;
    char out[StrMaxLength];
    const int n = StrInto(out, x);
    // The only blank of a number text is its first character.
    return out[0] == ' ' ? valOfChars(out + 1, size_t(n - 1)) : valOfChars(out, size_t(n));
}

int StrInto(char *out, double x, int digits)
{
    if (x == 0 || std::isnan(x)) {
        std::memcpy(out, " 0", 2);
        return 2;
    }
    const char sign = x < 0 ? '-' : ' ';
    const double a = std::fabs(x);
    if (std::isinf(a)) {
        out[0] = sign;
        std::memcpy(out + 1, "1.#INF", 6);
        return 7;
    }

    quint64 whole;
    int decimals;
    const bool found = digits == 15 && shortDecimal(a, whole, decimals);
    if (found && decimals == 0) {
        // A whole number of up to 15 digits is its own 15-digit form.
        out[0] = sign;
        return 1 + writeDigits(out + 1, whole);
    }
    digits = std::clamp(digits, 1, 40);
    char mant[48];
    int mlen = 0;
    int exp = 0;
    if (found) {
        mlen = writeDigits(mant, whole);
        exp = mlen - 1 - decimals;
    } else {
        // Round once to the wanted significant digits; the exponent is that of the rounded
        // value. to_chars rounds exactly, as printf does, but neither allocates nor follows
        // the locale.
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, digits - 1);
        const char *p = buf;
        for (; p < r.ptr && *p != 'e'; ++p)
            if (*p != '.')
                mant[mlen++] = *p;
        std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exp);
    }
    while (mlen > 1 && mant[mlen - 1] == '0')
        --mlen;

    int o = 0;
    out[o++] = sign;
    if (exp < -4 || exp >= digits) {
        out[o++] = mant[0];
        if (mlen > 1) {
            out[o++] = '.';
            for (int k = 1; k < mlen; ++k)
                out[o++] = mant[k];
        }
        const int e = std::abs(exp);
        out[o++] = 'E';
        out[o++] = exp < 0 ? '-' : '+';
        if (e >= 100)
            out[o++] = char('0' + e / 100);
        out[o++] = char('0' + e / 10 % 10);
        out[o++] = char('0' + e % 10);
    } else if (exp >= 0) {
        const int intLen = exp + 1;
        for (int k = 0; k < intLen; ++k)
            out[o++] = k < mlen ? mant[k] : '0';
        if (mlen > intLen) {
            out[o++] = '.';
            for (int k = intLen; k < mlen; ++k)
                out[o++] = mant[k];
        }
    } else {
        out[o++] = '.';
        for (int k = 0; k < -exp - 1; ++k)
            out[o++] = '0';
        for (int k = 0; k < mlen; ++k)
            out[o++] = mant[k];
    }
    return o;
}

} // namespace vantoro
