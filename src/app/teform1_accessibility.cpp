// What a screen reader says of the main window's controls, and the order Tab goes through them.
#include "teform1.h"
#include "ui_teform1.h"

#include "filterbar.h"
#include "fontlistview.h"

#include <QLineEdit>
#include <QToolButton>

void TEForm1::setUpAccessibility()
{
    struct Control
    {
        QWidget *widget;
        const char *name;
        const char *description;
    };
    // Icon buttons and one-letter buttons say nothing by themselves.
    const Control controls[] = {
        {ui->ListBox1, "Liste des polices",
         "Une ligne par police : son nom, puis la phrase d'exemple écrite dans cette police"},
        {ui->SpinEdit1, "Taille", "Taille des exemples, de 6 à 72 points"},
        {ui->txtEdit, "Phrase d'exemple",
         "La phrase écrite dans chaque police ; Entrée l'applique. Sur la page Texte : la police"},
        {ui->valid, "Appliquer", "Applique la phrase et la taille à la liste"},
        {ui->gras, "Gras", "Met les exemples en gras ou les remet en normal"},
        {ui->ital, "Italique", "Met les exemples en italique ou les remet droits"},
        {ui->soul, "Souligné", "Souligne les exemples ou retire le soulignement"},
        {ui->TousCar, "Tous les caractères", "Met dans la phrase les 224 caractères utilisables"},
        {ui->Button1, "Réglages par défaut", "Remet la taille, les attributs et les couleurs"},
        {ui->ColorGrid1, "Grille de couleurs",
         "Clic gauche : couleur du texte ; clic droit : couleur du fond"},
        {ui->TPlus, "Autre couleur de texte", "Ouvre le choix des couleurs pour le texte"},
        {ui->FPlus, "Autre couleur de fond", "Ouvre le choix des couleurs pour le fond"},
        {ui->SpeedButton1, "Imprimer", "Imprime le catalogue des polices affichées"},
        {ui->GenererrHTML, "Page HTML", "Écrit la liste des polices dans une page web"},
        {ui->charmap, "Table de caractères", "Ouvre une table de caractères"},
        {ui->AfBulles, "Affiche bulles d'aide", "Montre ou cache les bulles d'aide du panneau"},
        {ui->Aide, "Aide", "Ouvre l'aide de Glyphor"},
        {ui->AboutBtn, "À propos", "Nom et version de Glyphor"},
        {ui->BitBtn1, "Réduire dans la zone de notification",
         "Range la fenêtre ; l'icône de Glyphor la fait revenir"},
        {ui->Quitter, "Quitter", "Ferme Glyphor et enregistre les réglages"},
        {ui->Memo1, "Texte d'essai", "Un texte de plusieurs lignes écrit dans la police choisie"},
        {m_filterBar->field(), "Filtrer les polices",
         "Tous les mots tapés doivent figurer dans le nom de la police"},
        {m_filterBar->canWriteButton(), "Peut écrire l'exemple",
         "N'afficher que les polices qui ont tous les caractères de l'exemple"},
    };
    for (const Control &control : controls) {
        control.widget->setAccessibleName(QString::fromUtf8(control.name));
        control.widget->setAccessibleDescription(QString::fromUtf8(control.description));
    }

    // From the filter down the list, then the panel, row by row, left to right.
    const QList<QWidget *> order {m_filterBar->field(),
                                  m_filterBar->canWriteButton(),
                                  m_filterBar->findChild<QToolButton *>(QStringLiteral("Filtres")),
                                  ui->ListBox1,
                                  ui->Memo1,
                                  ui->SpinEdit1,
                                  ui->txtEdit,
                                  ui->valid,
                                  ui->gras,
                                  ui->ital,
                                  ui->soul,
                                  ui->TousCar,
                                  ui->Button1,
                                  ui->TPlus,
                                  ui->FPlus,
                                  ui->AfBulles,
                                  ui->SpeedButton1,
                                  ui->GenererrHTML,
                                  ui->charmap,
                                  ui->Aide,
                                  ui->AboutBtn,
                                  ui->BitBtn1,
                                  ui->Quitter};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Reached with Tab, as every control: a toolbar's flat buttons take only clicks otherwise.
    for (auto *button : {ui->SpeedButton1, ui->GenererrHTML, ui->charmap})
        button->setFocusPolicy(Qt::StrongFocus);
}
