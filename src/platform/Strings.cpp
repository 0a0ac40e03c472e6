#include "Strings.h"

QString trimLeadingBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i).toString();
}

QString trimTrailingBlanks(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n).toString();
}

QString trimBlanks(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b).toString();
}

QString leftChars(QStringView text, qsizetype n)
{
    if (n <= 0)
        return {};
    return text.left(n).toString();
}

QString rightChars(QStringView text, qsizetype n)
{
    if (n <= 0)
        return {};
    return text.right(n).toString();
}

QString midChars(QStringView text, qsizetype start1, qsizetype n)
{
    if (start1 < 1)
        start1 = 1;
    const qsizetype from = start1 - 1;
    if (from >= text.size())
        return {};
    if (n < 0)
        return text.mid(from).toString();
    return text.mid(from, n).toString();
}

QString blanks(qsizetype n)
{
    return n > 0 ? QString(n, u' ') : QString();
}

QString padRight(QStringView text, qsizetype width)
{
    QString s = text.toString();
    if (s.size() < width)
        s += blanks(width - s.size());
    return s;
}

QString fitLeft(QStringView text, qsizetype width)
{
    if (text.size() >= width)
        return text.left(width).toString();
    return padRight(text, width);
}
