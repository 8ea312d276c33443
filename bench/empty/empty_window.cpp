// An empty Qt window: the time from process start to its first paint is what any Qt program pays
// before it can show a single line, part of the physical limit of a font list's start.

#include "benchprobe.h"

#include <QApplication>
#include <QCoreApplication>
#include <QJsonObject>
#include <QTimer>
#include <QWidget>

namespace {

class EmptyWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_painted)
            return;
        m_painted = true;
        const qint64 painted = BenchProbe::now();
        QTimer::singleShot(0, [painted] {
            BenchProbe::print({{QStringLiteral("t_first_paint"), painted},
                               {QStringLiteral("qt"), QLatin1String(qVersion())}});
            QCoreApplication::exit(0);
        });
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    EmptyWindow window;
    window.setWindowTitle(QStringLiteral("glyphor-empty-window"));
    window.resize(472, 382);
    window.show();
    return app.exec();
}
