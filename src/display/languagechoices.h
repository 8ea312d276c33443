#pragma once

#include <QList>
#include <QString>

// fontconfig's languages as a person picks one: named in French and sorted as French words.
struct LanguageChoice
{
    QString code;
    QString name;
};

QList<LanguageChoice> languagesByFrenchName();
