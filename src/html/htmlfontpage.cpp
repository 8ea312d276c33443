#include "htmlfontpage.h"

#include "glyphorerror.h"
#include "systemerror.h"
#include "windows1252.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace HtmlFontPage {

namespace {

// Font names come from font files, which anyone can make: in a cell or an attribute, their markup
// characters are written as text. The sample is the user's own and goes out as typed.
QString escapedName(const QString &name)
{
    QString escaped;
    escaped.reserve(name.size());
    for (const QChar c : name) {
        switch (c.unicode()) {
        case u'&':
            escaped += QStringLiteral("&amp;");
            break;
        case u'<':
            escaped += QStringLiteral("&lt;");
            break;
        case u'>':
            escaped += QStringLiteral("&gt;");
            break;
        case u'"':
            escaped += QStringLiteral("&quot;");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

bool isIdentifierStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c.unicode() >= 0x80;
}

bool isIdentifierChar(QChar c)
{
    return isIdentifierStart(c) || (c >= u'0' && c <= u'9') || c == u'-';
}

// One word a browser reads as a CSS identifier.
bool isIdentifier(QStringView word)
{
    // One hyphen may come before the first character, or two instead of it.
    const QStringView body = word.startsWith(u'-') ? word.sliced(1) : word;
    if (body.isEmpty() || !(isIdentifierStart(body[0]) || body[0] == u'-'))
        return false;
    return std::all_of(body.begin() + 1, body.end(), isIdentifierChar);
}

// Browsers read FACE as a CSS list of families. Unquoted, a name is a family only when it is
// words that are each a CSS identifier, one space apart, and not alone a generic family or a
// CSS keyword. "Default", the list's entry for the default font, is left as it is: browsers
// read it as no family and draw its row in their default font, as meant.
bool isPlainFamily(const QString &name)
{
    static const QStringList keywords
        = {QStringLiteral("serif"),         QStringLiteral("sans-serif"),
           QStringLiteral("cursive"),       QStringLiteral("fantasy"),
           QStringLiteral("monospace"),     QStringLiteral("system-ui"),
           QStringLiteral("emoji"),         QStringLiteral("math"),
           QStringLiteral("fangsong"),      QStringLiteral("ui-serif"),
           QStringLiteral("ui-sans-serif"), QStringLiteral("ui-monospace"),
           QStringLiteral("ui-rounded"),    QStringLiteral("inherit"),
           QStringLiteral("initial"),       QStringLiteral("unset"),
           QStringLiteral("revert"),        QStringLiteral("revert-layer")};
    for (qsizetype start = 0;;) {
        const qsizetype space = name.indexOf(u' ', start);
        const qsizetype end = space < 0 ? name.size() : space;
        if (!isIdentifier(QStringView(name).sliced(start, end - start)))
            return false;
        if (space < 0)
            return start > 0 || !keywords.contains(name, Qt::CaseInsensitive);
        start = space + 1;
    }
}

// The FACE attribute's family, before the markup characters are escaped: a name a browser would
// not read as one family whole goes in as a quoted CSS string.
QString faceFamily(const QString &name)
{
    if (isPlainFamily(name))
        return name;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : name) {
        if (c == u'"' || c == u'\\')
            quoted += u'\\' + QString(c);
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            quoted += u'\\' + QString::number(c.unicode(), 16) + u' ';
        else
            quoted += c;
    }
    return quoted + u'"';
}

// The page being written: lines go to a temporary file, which replaces the target only once
// every line is written. The bytes are written here rather than through QSaveFile, whose errors
// come as English text or none at all: a failure is reported with the system's reason.
class PageFile
{
public:
    explicit PageFile(const QString &path)
        : m_file(path)
    {
    }

    bool open()
    {
        return nameAccepted(m_file.fileName())
            && m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    void EcrireLigne(const QString &line)
    {
        m_buffer += Windows1252::encodeWithReferences(line);
        m_buffer += "\r\n";
        if (m_buffer.size() >= BufferSize)
            writeBuffer();
    }

    void close()
    {
        writeBuffer();
        // A disk that fills up as the data reaches it says so here; QSaveFile's own sync
        // ignores it. A file system that cannot sync has nothing to report.
        if (::fsync(m_file.handle()) != 0 && errno != EINVAL)
            fail(errno);
        errno = 0;
        if (!m_file.commit())
            fail(errno);
    }

private:
    static constexpr qsizetype BufferSize = 64 * 1024;

    // QSaveFile names its file only once the page is complete: a name the file system refuses
    // (too long, say) would show only then, as a failed write. A page that does not exist yet
    // is created and removed at once, so such a name is refused before anything is written.
    static bool nameAccepted(const QString &path)
    {
        const QByteArray name = QFile::encodeName(path);
        const int probe = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (probe < 0)
            return errno == EEXIST;
        ::close(probe);
        ::unlink(name.constData());
        return true;
    }

    void writeBuffer()
    {
        const char *data = m_buffer.constData();
        qsizetype left = m_buffer.size();
        while (left > 0) {
            const ssize_t written = ::write(m_file.handle(), data, size_t(left));
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                fail(errno);
            }
            data += written;
            left -= written;
        }
        m_buffer.clear();
    }

    [[noreturn]] void fail(int error)
    {
        m_file.cancelWriting();
        throw GlyphorError(QStringLiteral("Erreur d'écriture du fichier ") + m_file.fileName()
                           + QStringLiteral(" : ") + SystemError::reason(error));
    }

    QSaveFile m_file;
    QByteArray m_buffer;
};

// A tag as a CSS string: the letters and digits as they are, anything else escaped, so that no
// tag ends the string or the style sheet.
QString cssTag(const QByteArray &tag)
{
    QString quoted = QStringLiteral("\"");
    for (const char c : tag) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            quoted += QLatin1Char(c);
        else
            quoted += QStringLiteral("\\%1 ").arg(int(static_cast<unsigned char>(c)), 0, 16);
    }
    return quoted + u'"';
}

void writeLines(PageFile &page, const HtmlPageContent &content)
{
    const QString rule = QStringLiteral("<HR WIDTH=\"100%\">");
    page.EcrireLigne(QStringLiteral("<HTML>"));
    page.EcrireLigne(QStringLiteral("<HEAD>"));
    page.EcrireLigne(QStringLiteral(
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\">"));
    page.EcrireLigne(QStringLiteral("<META NAME=\"GENERATOR\" CONTENT=\"Glyphor 3.1\">"));
    page.EcrireLigne(QStringLiteral("<META NAME=\"Author\" CONTENT=\"") + content.version
                     + QStringLiteral("\">"));
    page.EcrireLigne(QStringLiteral("<TITLE>") + content.version
                     + QStringLiteral(" : Liste des polices disponibles</TITLE>"));
    // A font that is not installed is loaded from its file under a name of the page's own, so
    // that an installed family of the same name is never drawn in its place.
    QStringList style;
    QHash<QString, QString> loaded;
    for (const QString &font : content.fonts) {
        const QString file = content.fontFile ? content.fontFile(font) : QString();
        if (file.isEmpty() || loaded.contains(font))
            continue;
        const QString name = QStringLiteral("glyphor-fichier-%1").arg(loaded.size() + 1);
        loaded.insert(font, name);
        style.append(QStringLiteral("@font-face { font-family: \"%1\"; src: url(\"%2\"); }")
                         .arg(name, QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded())));
    }
    // The samples are the page's only FONT elements.
    if (const QString css = typographyCss(content.typography); !css.isEmpty())
        style.append(QStringLiteral("FONT { ") + css + QStringLiteral(" }"));
    if (!style.isEmpty()) {
        page.EcrireLigne(QStringLiteral("<STYLE>"));
        for (const QString &line : style)
            page.EcrireLigne(line);
        page.EcrireLigne(QStringLiteral("</STYLE>"));
    }
    page.EcrireLigne(QStringLiteral("</HEAD>"));
    page.EcrireLigne(QStringLiteral("<BODY TEXT=\"#000000\" BGCOLOR=\"#ECFBFF\" LINK=\"#0000EE\" "
                                    "VLINK=\"#551A8B\" ALINK=\"#FF0000\">"));
    page.EcrireLigne(QStringLiteral("<H1>") + content.version
                     + QStringLiteral(" - Liste des polices disponibles</H1>"));
    page.EcrireLigne(QStringLiteral("<p>"));
    page.EcrireLigne(rule);
    page.EcrireLigne(QStringLiteral("Le ") + content.date + QStringLiteral(" à ") + content.time
                     + QStringLiteral(", Glyphor trouve <b>")
                     + QString::number(content.fonts.size())
                     + QStringLiteral("</b> police(s) installée(s) sur votre syst&egrave;me"));
    page.EcrireLigne(rule);
    // The language the samples are shaped for, as the list's lines are.
    const QString language = content.typography.language.isEmpty() ? QString()
                                                                   : QStringLiteral(" LANG=\"")
            + content.typography.language.toHtmlEscaped() + QStringLiteral("\"");
    page.EcrireLigne(QStringLiteral("<CENTER><TABLE BORDER=0 CELLSPACING=0 CELLPADDING=10")
                     + language + QStringLiteral(" >"));
    for (const QString &font : content.fonts) {
        const QString name = escapedName(font);
        const QString sample = content.sample ? content.sample() : QString();
        page.EcrireLigne(QStringLiteral("<TR>"));
        page.EcrireLigne(QStringLiteral("<TD>") + name + QStringLiteral("</TD>"));
        const QString face = loaded.value(font, faceFamily(font));
        page.EcrireLigne(QStringLiteral("<TD><FONT FACE=\"") + escapedName(face)
                         + QStringLiteral("\">") + sample + QStringLiteral("</FONT></TD>"));
        page.EcrireLigne(QStringLiteral("</TR>"));
    }
    page.EcrireLigne(QStringLiteral("</TABLE></CENTER>"));
    page.EcrireLigne(QStringLiteral("<P>"));
    page.EcrireLigne(rule);
    page.EcrireLigne(QStringLiteral("<b><i>") + content.authorLine
                     + QStringLiteral("</i></b><br>"));
    page.EcrireLigne(QStringLiteral("Merci d'utiliser Glyphor...<BR>"));
    page.EcrireLigne(QStringLiteral("<A HREF=\"") + content.homePage
                     + QStringLiteral("\"  TARGET=\"_blank\">Passez donc me rendre visite ! </a>"));
    page.EcrireLigne(QStringLiteral("</BODY>"));
    page.EcrireLigne(QStringLiteral("</HTML>"));
}

} // namespace

Outcome write(const QString &path, const HtmlPageContent &content)
{
    if (path.isEmpty())
        return Outcome::NotOpened;
    PageFile page(path);
    if (!page.open())
        return Outcome::NotOpened;
    writeLines(page, content);
    page.close();
    return Outcome::Written;
}

QString typographyCss(const Typography &typography)
{
    QStringList declarations;
    QStringList features;
    for (auto feature = typography.features.cbegin(); feature != typography.features.cend();
         ++feature)
        features.append(cssTag(feature.key())
                        + (feature.value() ? QStringLiteral(" 1") : QStringLiteral(" 0")));
    if (!features.isEmpty())
        declarations.append(QStringLiteral("font-feature-settings: ")
                            + features.join(QStringLiteral(", ")) + u';');
    QStringList axes;
    for (auto axis = typography.axes.cbegin(); axis != typography.axes.cend(); ++axis)
        axes.append(cssTag(axis.key()) + u' ' + QString::number(axis.value()));
    if (!axes.isEmpty())
        declarations.append(QStringLiteral("font-variation-settings: ")
                            + axes.join(QStringLiteral(", ")) + u';');
    if (typography.letterSpacing != 0)
        declarations.append(QStringLiteral("letter-spacing: ")
                            + QString::number(typography.letterSpacing / 1000.0)
                            + QStringLiteral("em;"));
    return declarations.join(u' ');
}

QString dateText(const QDateTime &moment, const QLocale &locale)
{
    return locale.toString(moment.date(), QLocale::ShortFormat);
}

} // namespace HtmlFontPage
