"""One run, or the runs of a sweep, spread over the workers of a Dask cluster.

    from dask.distributed import Client
    import tessolan, tessolan.distributed

    client = Client("tcp://scheduler:8786")          # or None: the current client, else a local cluster
    task = tessolan.Task.load("design.txt")
    results = tessolan.distributed.run(task, rays=10**9, seed=17, client=client)

A run is cut into shards, each a range of the parallel run's blocks of rays, traced as a Dask task
on any worker; the partial results are merged here. The Results are those of
tessolan.run(task, rays=..., seed=..., parallel=True) bit for bit, whatever the number of shards
and workers. A shard whose worker dies is run again elsewhere (Dask's retries): the result does not
change. Needs Dask's distributed scheduler (Debian: python3-distributed).
"""

from __future__ import annotations

import contextlib
import uuid
from typing import Callable, Iterable, Optional

from . import _core
from ._core import Results, Task, clock_seed

__all__ = ["run", "sweep"]


def _trace_shard(shard_task: bytes, seed: int, shard: int, shards: int, threads: int, search: str,
                 precision: str) -> bytes:
    # A worker gets the gathered task as bytes, which pickle, rather than the Task.
    return _core.run_shard_of_task(shard_task, seed=seed, shard=shard, shards=shards, threads=threads,
                                   search=search, precision=precision)


def _submit_shards(c, task: Task, rays, seed, count, threshold, threads, search, precision, retries, tag):
    shard_task = _core.shard_task(task, rays=rays, threshold=threshold)
    return [c.submit(_trace_shard, shard_task, seed, k, count, threads, search, precision,
                     retries=retries, pure=False, key=f"tessolan-{tag}-shard-{k}-of-{count}")
            for k in range(count)]


@contextlib.contextmanager
def _client_for(client):
    """The client given; else the current default client; else a LocalCluster made for the call."""
    if client is not None:
        yield client
        return
    from dask.distributed import Client, default_client

    try:
        yield default_client()
    except ValueError:
        with Client(processes=True) as local:
            yield local


def _threads_of(client) -> int:
    return sum(client.nthreads().values()) or 1


def _wait(futures, progress) -> None:
    """Waits for the futures as they finish, calling progress(done, total) after each."""
    from dask.distributed import as_completed

    done = 0
    for _ in as_completed(futures):
        done += 1
        if progress is not None:
            progress(done, len(futures))


def run(task: Task, *, rays: int = 10000, seed: Optional[int] = None, client=None, shards: Optional[int] = None,
        threshold: float = 1e-6, threads: int = 1, search: str = "indexed", precision: str = "extended",
        retries: int = 3, progress: Optional[Callable[[int, int], None]] = None) -> Results:
    """Traces the task's parallel run in shards on a Dask cluster and returns its Results.

    client    a dask.distributed.Client; None: the current default client, or else a LocalCluster
              of worker processes made for this call (one per core) and closed after it
    shards    how many shards; None: twice the cluster's worker threads (at most one per block of
              1000 rays is traced; further shards are empty)
    threads   threads each shard traces on (1 suits workers with one thread each; 0: one per core)
    retries   how often Dask runs a shard again whose worker died
    progress  a callable given (shards done, shards total) as each shard finishes
    The other arguments are those of tessolan.run(); with no seed, one from the clock. Raises
    TaskError as tessolan.run() does, or when the merge refuses the partial results.
    """
    if seed is None:
        seed = clock_seed()
    with _client_for(client) as c:
        count = shards if shards is not None else 2 * _threads_of(c)
        if count < 1:
            raise ValueError("shards must be at least 1")
        futures = _submit_shards(c, task, rays, seed, count, threshold, threads, search, precision, retries,
                                 uuid.uuid4().hex)
        _wait(futures, progress)
        partials = c.gather(futures)
    return _core.merge(partials)


def sweep(task: Task, field: str, values: Iterable[float], *, rays: int = 10000, seed: Optional[int] = None,
          client=None, threshold: float = 1e-6, threads: int = 1, search: str = "indexed",
          precision: str = "extended", retries: int = 3,
          progress: Optional[Callable[[int, int], None]] = None):
    """The runs of tessolan.sweep() as Dask tasks, one per value, all from the same seed.

    Each run is the parallel mode's (parallel=True), so the SweepResults equal those of
    tessolan.sweep(task, field, values, rays=..., seed=..., parallel=True) bit for bit. progress
    is given (runs done, runs total) as each run finishes; the other arguments are those of run().
    """
    from . import SweepResults

    if not isinstance(field, str):
        raise TypeError(f"field must be a field name, not {type(field).__name__}")
    if field not in Task.fields():
        raise ValueError(f"unknown field '{field}'; the fields are {', '.join(Task.fields())}")
    if seed is None:
        seed = clock_seed()
    swept_tasks = []
    for value in values:
        swept = task.copy()
        setattr(swept, field, value)
        swept_tasks.append(swept)
    if not swept_tasks:
        raise ValueError("a sweep needs at least one value")
    results = SweepResults(field)
    with _client_for(client) as c:
        tag = uuid.uuid4().hex
        # Each run is one shard of itself: its partial result merges to the parallel run's Results.
        futures = [_submit_shards(c, t, rays, seed, 1, threshold, threads, search, precision, retries,
                                  f"{tag}-run-{i}")[0]
                   for i, t in enumerate(swept_tasks)]
        _wait(futures, progress)
        for t, partial in zip(swept_tasks, c.gather(futures)):
            results.append(_core.merge([partial]))
            results.values.append(getattr(t, field))
    return results
