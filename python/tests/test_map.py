"""results.map: the run's map as NumPy arrays, the run's numbers unchanged."""

import numpy
import pytest

import tessolan


def test_no_map_unless_asked():
    assert tessolan.run(tessolan.Task(), rays=100, seed=1).map is None


def test_map_leaves_the_results_and_adds_up_to_them():
    task = tessolan.Task()
    plain = tessolan.run(task, rays=2000, seed=3)
    mapped = tessolan.run(task, rays=2000, seed=3, map_grid=6, map_wavelength=float(plain.wavelength[0]))
    assert mapped.to_csv() == plain.to_csv()
    m = mapped.map
    assert m.wavelength == plain.wavelength[0] and m.lost_rays == 0
    for grid in (m.unfolded, m.folded):
        assert grid.ee_iso.shape == (6, 6) and grid.x.shape == (6,)
        assert grid.rays.sum() == 2000
        has = grid.rays > 0
        mean = (grid.weight[has] * grid.ee_iso[has]).sum() / grid.weight.sum()
        assert mean == pytest.approx(plain.ee_iso[0], rel=1e-12)
        assert set(grid.uniformity) == {"ee_iso", "ee_noniso", "rt_iso", "rt_noniso"}
        assert grid.uniformity["ee_iso"]["bins"] > 0 and grid.uniformity["ee_iso"]["mean_se"] > 0
    assert m.folded.folded and not m.unfolded.folded
    x0, x1, y0, y1 = m.unfolded.extent  # the viewed region: a square within the radiating area
    radiator_half = task.RadiatorSize / 2
    assert x1 - x0 == pytest.approx(y1 - y0) and -radiator_half <= min(x0, y0) and max(x1, y1) <= radiator_half
    assert numpy.allclose(m.unfolded.x, numpy.linspace(x0, x1, 7)[:-1] + (x1 - x0) / 12)


@pytest.mark.parametrize("arguments", [dict(map_grid=0), dict(map_grid=1025), dict(map_wavelength=10.0),
                                       dict(map_grid=8, map_wavelength=3.14159)])
def test_bad_map_arguments(arguments):
    with pytest.raises(ValueError):
        tessolan.run(tessolan.Task(), rays=100, seed=1, **arguments)
