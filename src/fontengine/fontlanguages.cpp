#include "fontlanguages.h"

#include <QHash>

#include <fontconfig/fontconfig.h>
#include <unicode/uloc.h>

namespace FontLanguages {

const QStringList &codes()
{
    static const QStringList all = [] {
        QStringList found;
        FcStrSet *languages = FcGetLangs();
        FcStrList *list = FcStrListCreate(languages);
        while (const FcChar8 *code = FcStrListNext(list)) {
            if (found.size() < Maximum)
                found.append(QString::fromUtf8(reinterpret_cast<const char *>(code)));
        }
        FcStrListDone(list);
        FcStrSetDestroy(languages);
        return found;
    }();
    return all;
}

int indexOf(const QString &code)
{
    static const QHash<QString, int> indexes = [] {
        QHash<QString, int> byCode;
        for (int i = 0; i < codes().size(); ++i)
            byCode.insert(codes()[i], i);
        return byCode;
    }();
    return indexes.value(code, -1);
}

QString frenchName(const QString &code)
{
    // fontconfig's codes that ICU names like another one (an old code it maps to a newer one,
    // "mo" to "ro"), or not at all.
    static const QHash<QString, QString> ownNames {
        {QStringLiteral("mo"), QStringLiteral("roumain (Moldavie)")},
        {QStringLiteral("quz"), QStringLiteral("quechua (Cuzco)")},
        {QStringLiteral("bh"), QStringLiteral("bihari")},
        {QStringLiteral("ber-dz"), QStringLiteral("berbère (Algérie)")},
        {QStringLiteral("ber-ma"), QStringLiteral("berbère (Maroc)")},
        {QStringLiteral("hne"), QStringLiteral("chhattisgarhi")},
        {QStringLiteral("kwm"), QStringLiteral("kwambi")},
        {QStringLiteral("shs"), QStringLiteral("shuswap")},
        {QStringLiteral("wen"), QStringLiteral("sorabe")},
    };
    if (const auto own = ownNames.constFind(code); own != ownNames.cend())
        return *own;
    // fontconfig writes a region after a hyphen ("zh-tw"), ICU after an underscore.
    QByteArray locale = code.toLatin1();
    locale.replace('-', '_');
    UChar name[128];
    UErrorCode status = U_ZERO_ERROR;
    // ICU hands the code back, warning that it used no data, for a language it does not know.
    uloc_getDisplayLanguage(locale.constData(), "fr", name, 128, &status);
    if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING)
        return code;
    // The region or script may still be unknown ("sr-ltn": "serbe (LTN)"): the name says more.
    status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayName(locale.constData(), "fr", name, 128, &status);
    if (U_FAILURE(status) || length <= 0)
        return code;
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(name), length);
}

} // namespace FontLanguages
