#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// Files as bytes, for tests that check what the program wrote byte for byte.
inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A file that cannot be read reads as "<unreadable>", which no test writes.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
