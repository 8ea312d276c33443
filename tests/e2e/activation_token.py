"""Asks a Wayland compositor for an activation token (xdg_activation_v1), as a desktop's launcher
does before it starts a program and hands it the token in XDG_ACTIVATION_TOKEN.

Speaks the Wayland wire protocol itself (a handful of messages), so the tests need no Wayland
library for Python. The token stays valid while the connection is open: use it as a context
manager, and start the program inside.
"""

import os
import socket
import struct

DISPLAY = 1  # wl_display, object 1 of every connection
REGISTRY, SYNC_DONE, ACTIVATION, TOKEN = 2, 3, 4, 5  # the ids this client gives its objects


def _string(text):
    data = text.encode() + b'\0'
    return struct.pack('=I', len(data)) + data + b'\0' * (-len(data) % 4)


def _read_string(payload, offset):
    length, = struct.unpack_from('=I', payload, offset)
    text = payload[offset + 4:offset + 4 + length - 1].decode()
    return text, offset + 4 + length + (-length % 4)


class ActivationToken:
    def __init__(self, runtime_dir, display, timeout=10.0):
        self.path = os.path.join(runtime_dir, display)
        self.timeout = timeout
        self.connection = None
        self.token = None
        self._buffer = b''

    def __enter__(self):
        self.connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.connection.settimeout(self.timeout)
        self.connection.connect(self.path)
        self._send(DISPLAY, 1, struct.pack('=I', REGISTRY))  # get_registry
        self._send(DISPLAY, 0, struct.pack('=I', SYNC_DONE))  # sync: every global listed first
        globals_ = {}
        for sender, opcode, payload in self._events():
            if sender == REGISTRY and opcode == 0:  # global: name, interface, version
                name, = struct.unpack_from('=I', payload)
                interface, _ = _read_string(payload, 4)
                globals_[interface] = name
            elif sender == SYNC_DONE:
                break
        if 'xdg_activation_v1' not in globals_:
            self.close()
            raise RuntimeError('the compositor offers no xdg_activation_v1')
        self._send(REGISTRY, 0, struct.pack('=I', globals_['xdg_activation_v1'])
                   + _string('xdg_activation_v1') + struct.pack('=II', 1, ACTIVATION))  # bind
        self._send(ACTIVATION, 1, struct.pack('=I', TOKEN))  # get_activation_token
        self._send(TOKEN, 3, b'')  # commit: no seat, serial or surface, as a launcher asks
        for sender, opcode, payload in self._events():
            if sender == TOKEN and opcode == 0:  # done: the token
                self.token, _ = _read_string(payload, 0)
                return self
        raise AssertionError('unreachable')

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.connection is not None:
            self.connection.close()
            self.connection = None

    def _send(self, sender, opcode, payload):
        size = 8 + len(payload)
        self.connection.sendall(struct.pack('=II', sender, size << 16 | opcode) + payload)

    def _events(self):
        while True:
            while len(self._buffer) < 8 or len(self._buffer) < self._size():
                chunk = self.connection.recv(4096)
                if not chunk:
                    raise RuntimeError('the compositor closed the connection')
                self._buffer += chunk
            sender, word = struct.unpack_from('=II', self._buffer)
            size = word >> 16
            payload, self._buffer = self._buffer[8:size], self._buffer[size:]
            if sender == DISPLAY and word & 0xFFFF == 0:  # error: object, code, message
                _, code = struct.unpack_from('=II', payload)
                raise RuntimeError('Wayland error %d: %s' % (code, _read_string(payload, 8)[0]))
            yield sender, word & 0xFFFF, payload

    def _size(self):
        return struct.unpack_from('=I', self._buffer, 4)[0] >> 16
