"""tessolan.distributed: a run's shards as Dask tasks on worker processes, the same bits as one
parallel run, also when a worker dies mid-run."""

import os
import signal

import pytest

import tessolan

distributed = pytest.importorskip("dask.distributed")
import tessolan.distributed  # noqa: E402

COLUMNS = ["wavelength", "ee_iso", "ee_noniso", "rt_iso", "rt_noniso",
           "ee_iso_se", "ee_noniso_se", "rt_iso_se", "rt_noniso_se"]


def assert_same_bits(a, b):
    for column in COLUMNS:
        assert getattr(a, column).tobytes() == getattr(b, column).tobytes(), column
    assert a.to_csv() == b.to_csv()
    assert without_times(a.report()) == without_times(b.report())


def without_times(report: str) -> list:
    return [line for line in report.splitlines() if "Monte Carlo modeling" not in line]


@pytest.fixture(scope="module")
def client():
    cluster = distributed.LocalCluster(processes=True, n_workers=2, threads_per_worker=1, dashboard_address=None)
    with distributed.Client(cluster) as c:
        yield c
    cluster.close()


@pytest.fixture
def task(samples):
    return tessolan.Task.load(str(samples / "Truncated_Gaps.txt"))


def test_shards_on_two_workers_give_the_bits_of_one_parallel_run(client, task):
    whole = tessolan.run(task, rays=5500, seed=11, parallel=True, threads=2)
    assert_same_bits(tessolan.run(task, rays=5500, seed=11, parallel=True, threads=1), whole)
    for shards in (1, 3, 7):  # 7: one shard without a block
        seen = []
        results = tessolan.distributed.run(task, rays=5500, seed=11, client=client, shards=shards,
                                           progress=lambda done, total: seen.append((done, total)))
        assert_same_bits(results, whole)
        assert seen == [(k, shards) for k in range(1, shards + 1)]


def test_a_task_beyond_the_decimals_of_its_file_is_traced_as_it_is(client, task):
    # Reflectances scaled by 0.9 have more decimals than a task file keeps: the shards still
    # trace the task itself, not its file's rounded copy.
    wavelengths, reflectances = task.reflectance
    task.reflectance = (wavelengths, 0.9 * reflectances / 3)
    results = tessolan.distributed.run(task, rays=3000, seed=5, client=client, shards=2)
    assert_same_bits(results, tessolan.run(task, rays=3000, seed=5, parallel=True))


def test_without_a_client_the_current_one_is_used(client, task, monkeypatch):
    assert distributed.default_client() is client

    def no_new_cluster(*args, **kwargs):
        raise AssertionError("a cluster was made although a client is current")

    monkeypatch.setattr(distributed, "Client", no_new_cluster)
    results = tessolan.distributed.run(task, rays=3000, seed=5, shards=2)
    assert_same_bits(results, tessolan.run(task, rays=3000, seed=5, parallel=True))


def test_a_worker_killed_mid_run_changes_nothing(client, task):
    whole = tessolan.run(task, rays=800_000, seed=3, parallel=True)
    pids = client.run(os.getpid)
    killed = []

    def kill_one_worker(done, total):
        if not killed:  # a worker tracing a shard (of 0.3 s or so) dies with it
            busy = [address for address, keys in client.processing().items() if keys and address in pids]
            victim = pids[busy[0]]
            os.kill(victim, signal.SIGKILL)
            killed.append(victim)

    results = tessolan.distributed.run(task, rays=800_000, seed=3, client=client, shards=8,
                                       progress=kill_one_worker)
    assert killed
    assert_same_bits(results, whole)
    client.wait_for_workers(2, timeout=60)
    assert killed[0] not in client.run(os.getpid).values()


def test_a_sweep_spread_over_workers_is_the_parallel_sweep(client, task):
    local = tessolan.sweep(task, "Diffusity", [0.2, 0.6, 1.0], rays=1500, seed=4, parallel=True)
    spread = tessolan.distributed.sweep(task, "Diffusity", [0.2, 0.6, 1.0], rays=1500, seed=4, client=client)
    assert isinstance(spread, tessolan.SweepResults)
    assert spread.values == local.values
    assert spread.to_csv() == local.to_csv()
    for a, b in zip(spread, local):
        assert_same_bits(a, b)


def test_merge_refuses_partials_that_are_not_one_whole_run(task):
    from tessolan import _core

    parts = [_core.run_shard(task, rays=3000, seed=1, shard=k, shards=3) for k in range(3)]
    other = _core.run_shard(task, rays=3000, seed=2, shard=2, shards=3)
    assert_same_bits(_core.merge([parts[2], parts[0], parts[1].decode()]),
                     tessolan.run(task, rays=3000, seed=1, parallel=True))
    for partials, message in [([parts[0], parts[2]], "shard 1 of 3 is missing"),
                              ([parts[0], parts[1], parts[1], parts[2]], "are both shard 1 of 3"),
                              ([parts[0], parts[1], other], "its seed differs"),
                              ([parts[0], parts[1], parts[2][:-3]], "not a usable partial result"),
                              ([], "no partial results to merge")]:
        with pytest.raises(tessolan.TaskError, match=message):
            _core.merge(partials)
    with pytest.raises(TypeError):
        _core.merge([1])


def test_batch_shards_and_python_shards_merge_together(batch_exe, samples, task, tmp_path):
    import subprocess

    from tessolan import _core

    part = tmp_path / "p0.txt"
    subprocess.run([batch_exe, str(samples / "Truncated_Gaps.txt"), "-q", "--parallel=1", "-n", "3000", "-s", "8",
                    "--shard", "0/2", "--partial", str(part)], check=True, capture_output=True)
    merged = _core.merge([part.read_bytes(), _core.run_shard(task, rays=3000, seed=8, shard=1, shards=2)])
    assert_same_bits(merged, tessolan.run(task, rays=3000, seed=8, parallel=True))
