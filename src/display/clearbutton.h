#pragma once

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

// A line edit's clear button, named for screen readers (Qt leaves it without a name).
inline void enableNamedClearButton(QLineEdit *field)
{
    field->setClearButtonEnabled(true);
    for (QToolButton *button : field->findChildren<QToolButton *>())
        button->setAccessibleName(QStringLiteral("Effacer"));
}
