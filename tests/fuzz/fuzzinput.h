#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Reads a fuzzer's bytes as the pieces a target needs.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))
    {
    }

    const QByteArray &bytes() const { return m_bytes; }
    // The bytes as UTF-16 code units, lone surrogates and all.
    QString utf16() const
    {
        return QString(reinterpret_cast<const QChar *>(m_bytes.constData()), m_bytes.size() / 2);
    }
    // Pieces of UTF-8 text split at byte 0x01: names, then a last piece.
    QStringList pieces() const
    {
        QStringList result;
        for (const QByteArray &piece : m_bytes.split('\x01'))
            result << QString::fromUtf8(piece);
        return result;
    }

private:
    QByteArray m_bytes;
};

// Windows-1252 bytes as a browser reads them: "&#N;" references and the four entities of markup
// characters become the characters they stand for.
inline QString browserText(const QString &decoded)
{
    static const QRegularExpression reference(QStringLiteral("&(#[0-9]+|lt|gt|amp|quot);"));
    QString text;
    qsizetype last = 0;
    for (auto it = reference.globalMatch(decoded); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        text += decoded.mid(last, match.capturedStart() - last);
        const QString name = match.captured(1);
        if (name.startsWith(u'#')) {
            const char32_t codePoint = name.mid(1).toUInt();
            text += QString::fromUcs4(&codePoint, 1);
        } else {
            text += name == QStringLiteral("lt") ? u'<'
                : name == QStringLiteral("gt")   ? u'>'
                : name == QStringLiteral("amp")  ? u'&'
                                                 : u'"';
        }
        last = match.capturedEnd();
    }
    return text + decoded.mid(last);
}

// A fuzz target's check: a failure is a finding, reported as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);         \
            abort();                                                                               \
        }                                                                                          \
    } while (false)
