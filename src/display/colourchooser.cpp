#include "colourchooser.h"

#include <QColorDialog>

ColourChooser::ColourChooser(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    for (int slot = 0; slot < QColorDialog::customCount(); ++slot)
        QColorDialog::setCustomColor(slot, Qt::white);
}

std::optional<ColorRef> ColourChooser::choose(ColorRef current)
{
    if (!Couleurs) {
        Couleurs = new QColorDialog(m_window);
        Couleurs->setObjectName(QStringLiteral("Couleurs"));
        // Qt's own dialog: it speaks French and keeps the custom colours for the run.
        Couleurs->setOption(QColorDialog::DontUseNativeDialog);
    }
    Couleurs->setCurrentColor(toQColor(current));
    if (Couleurs->exec() != QDialog::Accepted)
        return std::nullopt;
    return toColorRef(Couleurs->selectedColor());
}
