#include "indexprogress.h"

#include "fontindex.h"

#include <QLocale>

IndexProgress::IndexProgress(const FontIndex *index, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("IndexPolices"));
    setContentsMargins(4, 1, 4, 1);
    hide();
    connect(index, &FontIndex::progressed, this, [this](int read, int count) {
        const QLocale french(QLocale::French);
        setText(QStringLiteral("Index des polices : ") + french.toString(read)
                + QStringLiteral(" sur ") + french.toString(count));
        setVisible(read < count);
    });
    connect(index, &FontIndex::finished, this, &QWidget::hide);
}
