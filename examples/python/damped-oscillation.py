"""Plots a damped oscillation and its envelope: on screen in a window of its own, and
into a PNG picture, then keeps the window until it is closed."""
import numpy as np

import curvist

t = np.linspace(0.0, 10.0, 400)
amplitude = np.column_stack([np.exp(-0.3 * t) * np.cos(2.0 * t), np.exp(-0.3 * t)])
captions = {"xlabel": "t (s)", "ylabel": "amplitude", "title": "Damped oscillation"}

curvist.plot(t, amplitude, resolution=0, own_window=True, **captions)
# The same curves in 32-bit floats, into damped.png.
curvist.picture(t.astype(np.float32), amplitude.astype(np.float32), filename="damped.ps",
                device="png", **captions)
curvist.keep_windows_until_closed()
