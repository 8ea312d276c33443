"""The sample string and the character size, as typed and clicked, and what is stored of them."""

from glyphor_session import DEFAULT_SAMPLE, GlyphorTestCase, main, settings_file


def windows_1252(first, last):
    """The characters of the code page's byte codes; the five codes it leaves undefined stand for
    the C1 control characters of the same number."""
    chars = []
    for code in range(first, last + 1):
        try:
            chars.append(bytes([code]).decode('cp1252'))
        except UnicodeDecodeError:
            chars.append(chr(code))
    return ''.join(chars)


class Sample(GlyphorTestCase):
    def type_sample(self, window, text):
        self.session.click_control(window, 'txtEdit', x=20)
        self.session.key(window, 'ctrl+a')
        self.session.type(window, text)

    def test_sample_applied_with_enter_is_stored(self):
        window = self.start_glyphor()
        self.type_sample(window, 'Bonjour')
        self.session.key(window, 'Return')
        self.exit_with_button(window)
        self.assertEqual(self.session.read_settings(), settings_file(string='Bonjour'))

    def test_sample_typed_but_not_applied_is_not_stored(self):
        window = self.start_glyphor()
        self.type_sample(window, 'Bonjour')
        self.exit_with_button(window)
        self.assertEqual(self.session.read_settings(), settings_file())

    def test_star_stores_every_character_from_the_space_to_255(self):
        window = self.start_glyphor()
        self.session.click_control(window, 'TousCar')
        self.exit_with_button(window)
        every = windows_1252(32, 255)
        self.assertEqual(len(every), 224)
        # The value starts with a blank, so it is quoted to read back as it was.
        written = settings_file(string='"' + every + '"')
        self.assertEqual(self.session.read_settings(), written)

        self.run_once_and_exit()
        self.assertEqual(self.session.read_settings(), written)

    def test_default_button_restores_the_sample_and_size(self):
        self.session.write_settings(settings_file(string='Bonjour', size=30))
        window = self.start_glyphor()
        self.session.click_control(window, 'Button1')
        self.exit_with_button(window)
        self.assertEqual(self.session.read_settings(), settings_file(string=DEFAULT_SAMPLE))


if __name__ == '__main__':
    main()
