// Reads the X screen for the end-to-end tests: saves a screenshot, or prints the colours of
// pixels, as a person looking at the screen would see them.
//   xgrab shot FILE.png [X Y W H]
//   xgrab pixel X Y [X Y ...]      prints one #rrggbb line per pixel
//   xgrab colours X Y W H          prints "COUNT #rrggbb" per colour of the area, most used first
//   xgrab clipboard                prints the clipboard's plain text as it is, no newline added
#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool toInts(const QStringList &args, qsizetype from, qsizetype count, std::vector<int> &values)
{
    for (qsizetype i = from; i < from + count; ++i) {
        bool ok = false;
        values.push_back(args.value(i).toInt(&ok));
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    QTextStream out(stdout);
    if (args == QStringList {QStringLiteral("clipboard")}) {
        // Another client owns the clipboard: Qt asks it for the text through the X selection.
        out << QGuiApplication::clipboard()->text();
        return 0;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || args.isEmpty())
        return 2;
    const QImage image = screen->grabWindow(0).toImage();
    const QString mode = args.first();

    if (mode == u"shot" && (args.size() == 2 || args.size() == 6)) {
        std::vector<int> r;
        if (args.size() == 6 && !toInts(args, 2, 4, r))
            return 2;
        const QImage part = r.empty() ? image : image.copy(r[0], r[1], r[2], r[3]);
        return part.save(args[1]) ? 0 : 1;
    }
    if (mode == u"pixel" && args.size() >= 3 && args.size() % 2 == 1) {
        std::vector<int> xy;
        if (!toInts(args, 1, args.size() - 1, xy))
            return 2;
        for (size_t i = 0; i + 1 < xy.size(); i += 2) {
            if (!image.valid(xy[i], xy[i + 1]))
                return 1;
            out << QColor(image.pixel(xy[i], xy[i + 1])).name() << '\n';
        }
        return 0;
    }
    if (mode == u"colours" && args.size() == 5) {
        std::vector<int> r;
        if (!toInts(args, 1, 4, r))
            return 2;
        const QRect area = QRect(r[0], r[1], r[2], r[3]).intersected(image.rect());
        if (area.isEmpty())
            return 1;
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[image.pixel(x, y) | 0xff000000u];
        }
        std::vector<std::pair<int, QRgb>> sorted;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            sorted.emplace_back(it.value(), it.key());
        std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        for (const auto &[count, rgb] : sorted)
            out << count << ' ' << QColor(rgb).name() << '\n';
        return 0;
    }
    return 2;
}
