"""The main window as a screen reader finds it: through the AT-SPI bus of a session of the test's
own (a D-Bus session bus and the accessibility bus, started and stopped by process id), every
control named in French, the colour grid's cells by their colours, the list's lines by their
families."""

from accessibility_bus import AccessibilityBus
from glyphor_session import GlyphorTestCase, main, settings_file, wait_for


class Accessibility(GlyphorTestCase):
    window_manager = True

    def test_controls_named_for_a_screen_reader(self):
        bus = AccessibilityBus(self)
        self.session.write_settings(settings_file())
        self.session.program_env = bus.program_env
        window = self.start_glyphor()

        wanted = ['Liste des polices', 'Taille', 'Gras', 'Italique',
                  'Souligné', 'Tous les caractères', 'Grille de couleurs', 'Imprimer',
                  'Page HTML', 'Table de caractères', 'Aide', 'Quitter',
                  'Réduire dans la zone de notification', 'Filtrer les polices',
                  'Peut écrire l\'exemple', 'Filtres',
                  # the grid's cells; black carries the text's marker, white the background's
                  'rouge', 'bleu marine', 'noir, couleur du texte', 'blanc, couleur du fond',
                  # the list's lines
                  'DejaVu Sans', 'Liberation Mono']
        names = []

        nodes = []

        def named():
            nodes[:] = bus.tree()
            names[:] = [name for _, name, _ in nodes]
            return all(name in names for name in wanted)
        wait_for(named, timeout=30, what='the controls on the accessibility bus')
        # An editable combo box reads out its text; what it is for is its description.
        self.assertIn(('combo box', "La phrase écrite dans chaque police ; Entrée l'applique. "
                                    'Sur la page Texte : la police'),
                      [(role, description) for role, _, description in nodes])
        # No control without a name: every push button says what it does.
        buttons = [name for role, name, _ in nodes if role == 'push button']
        self.assertTrue(buttons)
        self.assertNotIn('', buttons)
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
