#include <gtest/gtest.h>

#include <QStringDecoder>

#include "platform/Cp1252.h"

namespace {

QByteArray allBytes()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(char(i));
    return b;
}

} // namespace

TEST(Cp1252, DecodesLikeTheSystemCodec)
{
    QStringDecoder system("windows-1252");
    if (!system.isValid())
        GTEST_SKIP() << "no windows-1252 codec in this Qt";
    const QString expected = system(allBytes());
    const QString ours = cp1252::decode(allBytes());
    ASSERT_EQ(ours.size(), 256);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(ours[i].unicode(), expected[i].unicode()) << "byte " << i;
}

TEST(Cp1252, DecodesTheWindowsCharactersAndUndefinedBytes)
{
    const struct {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {
        {0x41, u'A'}, {0x00, 0x0000}, {0x7F, 0x007F},
        {0x80, 0x20AC}, {0x84, 0x201E}, {0x8A, 0x0160}, {0x93, 0x201C}, {0x96, 0x2013},
        {0x9F, 0x0178},
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},
        {0xA0, 0x00A0}, {0xC4, 0x00C4}, {0xDF, 0x00DF}, {0xE4, 0x00E4}, {0xFF, 0x00FF},
    };
    for (const auto &c : cases) {
        const QString s = cp1252::decode(QByteArray(1, char(c.byte)));
        ASSERT_EQ(s.size(), 1);
        EXPECT_EQ(s[0].unicode(), c.unicode) << int(c.byte);
    }
}

TEST(Cp1252, EveryByteRoundTrips)
{
    const QString text = cp1252::decode(allBytes());
    EXPECT_TRUE(cp1252::canEncode(text));
    EXPECT_EQ(cp1252::encode(text), allBytes());
}

TEST(Cp1252, EncodesGermanText)
{
    EXPECT_EQ(cp1252::encode(u"Jörg Müßig – 5 €"), QByteArray("J\xf6rg M\xfc\xdfig \x96 5 \x80"));
    EXPECT_EQ(cp1252::encode(u"ÄÖÜäöü"), QByteArray("\xc4\xd6\xdc\xe4\xf6\xfc"));
    EXPECT_EQ(cp1252::encode(u""), QByteArray());
}

TEST(Cp1252, CharactersOutsideBecomeOneQuestionMarkEach)
{
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QString::fromUtf8("Łódź"), QByteArray("?\xf3""d?")},
        {QString::fromUtf8("a\xf0\x9f\x98\x80" "b"), QByteArray("a?b")},   // surrogate pair
        {QString(QChar(0xD800)) + QLatin1Char('x'), QByteArray("?x")},                  // lone surrogate
        {QString(QChar(0xDC00)), QByteArray("?")},
        {QString(QChar(0x0080)), QByteArray("?")},   // 0x80 holds the euro sign
        {QString(QChar(0x009F)), QByteArray("?")},
        {QString(QChar(0x0081)), QByteArray("\x81")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(cp1252::encode(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(cp1252::canEncode(c.text), !c.bytes.contains('?')) << c.text.toStdString();
    }
}

TEST(Cp1252, CanEncode)
{
    EXPECT_TRUE(cp1252::canEncode(u""));
    EXPECT_TRUE(cp1252::canEncode(u"Äpfel € „Ski“ ‰"));
    EXPECT_FALSE(cp1252::canEncode(u"Ł"));
    EXPECT_FALSE(cp1252::canEncode(QString::fromUtf8("\xf0\x9f\x98\x80")));
    EXPECT_FALSE(cp1252::canEncode(u"ok\u2212"));   // minus sign, not hyphen
}
