#!/usr/bin/python3
"""Sends a window the window manager's close request (WM_DELETE_WINDOW),
as the title bar's close box does."""
import sys

from Xlib import X, display, protocol


def main() -> int:
    window_id = int(sys.argv[1], 0)
    screen = display.Display()
    window = screen.create_resource_object("window", window_id)
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(
        window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event, event_mask=X.NoEventMask)
    screen.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
