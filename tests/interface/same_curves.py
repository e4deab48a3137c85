"""The curves of the languages' identity test (SameCurves.cmake), through the Python
module: float64 and float32 arrays in C order, which the module copies column-major."""
import numpy as np

import curvist

i = np.arange(50)
x = np.column_stack([i * 0.25, i * 0.25])
y = np.column_stack([(i * i * 7 % 23) * 0.5 - 3.0, (i * 5 % 17) * 0.25])
captions = {"xlabel": "t (s)", "ylabel": "amplitude (µV)", "title": "Same curves"}

with curvist.ChosenPlatform("offscreen"):
    curvist.plot(x, y, resolution=0, own_window=True, **captions)
    curvist.plot(x.astype(np.float32), y.astype(np.float32), join=False, resolution=0,
                 own_window=True, **captions)
    curvist.picture(x, y, filename="matrix-dp.ps", **captions)
    curvist.picture(x.astype(np.float32), y.astype(np.float32), join=False,
                    filename="matrix-sp.ps", **captions)
    curvist.write_window_png(101, "window-dp.png")
    curvist.write_window_png(102, "window-sp.png")
