#pragma once

#include <QString>

#include <stdexcept>

// An error that ends the handler it escapes from; the general error report shows its message.
class GlyphorError : public std::runtime_error
{
public:
    explicit GlyphorError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    const QString &message() const { return m_message; }

private:
    QString m_message;
};
