#include "commandline.h"

#include <cstring>

namespace CommandLine {

Request request(int argc, const char *const *argv)
{
    if (argc < 2)
        return Request::Start;
    const char *first = argv[1];
    if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0)
        return Request::Help;
    if (std::strcmp(first, "--version") == 0)
        return Request::Version;
    return Request::Start;
}

QString usageText(const QString &settingsPath)
{
    return QStringLiteral(
               "Utilisation : glyphor [argument | fichiers de polices...]\n"
               "\n"
               "Glyphor affiche toutes les polices installées, chacune avec une phrase d'exemple\n"
               "dessinée dans cette police, pour les comparer côte à côte ; il imprime leur\n"
               "catalogue et en fait une page HTML.\n"
               "\n"
               "  glyphor              démarre Glyphor, fenêtre affichée\n"
               "  glyphor <fichiers>   ouvre sans les installer ces fichiers de polices, dossiers\n"
               "                       ou archives ZIP, fenêtre affichée\n"
               "  glyphor <argument>   tout autre argument démarre Glyphor caché dans la zone de\n"
               "                       notification (réduit quand il n'y en a pas) ; un double\n"
               "                       clic sur son icône fait apparaître la fenêtre (un simple\n"
               "                       clic l'y range d'abord, un second la montre)\n"
               "  glyphor --help, -h   affiche cette aide\n"
               "  glyphor --version    affiche la version\n"
               "\n"
               "Un seul Glyphor tourne à la fois : le relancer ramène au premier plan celui qui\n"
               "tourne déjà, qui ouvre les fichiers de polices qu'on lui donne.\n"
               "\n"
               "Réglages : ")
        + settingsPath + u'\n';
}

} // namespace CommandLine
