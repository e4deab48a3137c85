"""Bad input through the Python module: an exception that says what is wrong, never a
crash, and nothing written."""
import re

import numpy as np
import pytest

import curvist

x = np.array([0.0, 1.0, 2.0, 3.0])
y = np.array([1.0, 0.0, 1.0, 0.0])


@pytest.fixture(autouse=True)
def offscreen_in_an_empty_folder(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    with curvist.ChosenPlatform("offscreen"):
        yield
    assert list(tmp_path.iterdir()) == []


@pytest.mark.parametrize("call, error, reason", [
    (lambda: curvist.plot(x, y[:3], own_window=True), ValueError,
     "x has the shape (4,) and y (3,): they must have the same shape"),
    (lambda: curvist.picture(np.zeros((2, 2, 2)), np.zeros((2, 2, 2))), ValueError, "not 3-D"),
    (lambda: curvist.picture(np.zeros((4, 0)), np.zeros((4, 0))), ValueError,
     "there are no curves"),
    (lambda: curvist.plot(np.full(4, np.nan), y, own_window=True), curvist.NotPlotted,
     "no x value is finite"),
    (lambda: curvist.picture(x, y, filename="no-such-folder/a.ps"), curvist.PictureNotWritten,
     "cannot write the picture no-such-folder/a.ps: No such file or directory"),
    (lambda: curvist.picture(["a", "b"], [1, 2]), ValueError, "could not convert"),
    (lambda: curvist.load_plot("missing.dat"), curvist.NotPlotted, "missing.dat: no such file"),
    (lambda: curvist.ChosenPlatform("elsewhere"), ValueError, '"screen" or "offscreen"'),
])
def test_bad_input_raises_what_is_wrong(call, error, reason):
    with pytest.raises(error, match=re.escape(reason)):
        call()
