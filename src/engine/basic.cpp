#include "engine/basic.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
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

qsizetype InStr(const QString &t, const QString &s)
{
    return t.indexOf(s) + 1;
}

double Int(double x)
{
    return std::floor(x);
}

double Val(const QString &t)
{
    std::string s;
    s.reserve(t.size());
    for (QChar c : t) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'))
            continue;
        s.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x7f');
    }

    std::string num;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        num.push_back(s[i++]);
    bool mantissa = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        num.push_back(s[i++]);
        mantissa = true;
    }
    if (i < s.size() && s[i] == '.') {
        num.push_back(s[i++]);
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            num.push_back(s[i++]);
            mantissa = true;
        }
    }
    if (!mantissa)
        return 0.0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exp.push_back(s[j++]);
        bool expDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            exp.push_back(s[j++]);
            expDigits = true;
        }
        if (expDigits)
            num += exp;
    }
    return std::strtod(num.c_str(), nullptr);
}

QString Str(double x, int digits)
{
    if (x == 0 || std::isnan(x))
        return QStringLiteral(" 0");
    const QChar sign = x < 0 ? QLatin1Char('-') : QLatin1Char(' ');
    const double a = std::fabs(x);
    if (std::isinf(a))
        return sign + QStringLiteral("1.#INF");

    // Round once to the wanted significant digits; the exponent is that of the rounded value.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, a);
    std::string mant;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            mant.push_back(*p);
    const int exp = std::atoi(p + 1);
    while (mant.size() > 1 && mant.back() == '0')
        mant.pop_back();

    std::string out;
    if (exp < -4 || exp >= digits) {
        out.push_back(mant[0]);
        if (mant.size() > 1) {
            out.push_back('.');
            out.append(mant, 1, std::string::npos);
        }
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
        out += e;
    } else if (exp >= 0) {
        const size_t intLen = size_t(exp) + 1;
        if (mant.size() <= intLen) {
            out = mant + std::string(intLen - mant.size(), '0');
        } else {
            out = mant.substr(0, intLen) + '.' + mant.substr(intLen);
        }
    } else {
        out = '.' + std::string(size_t(-exp - 1), '0') + mant;
    }
    return sign + QString::fromLatin1(out.c_str());
}

} // namespace vantoro
