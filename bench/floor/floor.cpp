// The floor: the least a Qt program can do to list the installed families, each drawn in its own
// font. Glyphor's figures are compared with this program's.

#include "benchprobe.h"

#include <QApplication>
#include <QFontDatabase>
#include <QListView>
#include <QStringListModel>
#include <QStyledItemDelegate>

namespace {

class FamilyDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    int pointSize = 12;

protected:
    // Each line shows its family's name in that family.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font = QFont(option->text, pointSize);
        option->fontMetrics = QFontMetrics(option->font);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BenchProbe::applicationReady(app);

    QStringListModel model(QFontDatabase::families());
    FamilyDelegate delegate;
    QListView view;
    view.setWindowTitle(QStringLiteral("glyphor-floor"));
    view.setUniformItemSizes(true);
    view.setItemDelegate(&delegate);
    view.setModel(&model);
    view.resize(472, 382);

    // The floor has no sample string: a new sample costs it a repaint of the visible lines; a new
    // size, the new line height and a repaint.
    BenchProbe::Target target;
    target.list = &view;
    target.applySample = [&] {
        view.viewport()->repaint();
    };
    target.applySampleOfNewCharacters = target.applySample;
    target.applySize = [&] {
        delegate.pointSize = 20;
        view.doItemsLayout();
        view.viewport()->repaint();
    };
    BenchProbe::windowCreated(view, target);
    view.show();
    return app.exec();
}
