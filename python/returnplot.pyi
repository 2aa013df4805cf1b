# SPDX-License-Identifier: GPL-3.0-or-later
# Types of the Python module returnplot.
import os
from typing import Any, Iterable, Sequence, Union

import numpy as np
import numpy.typing as npt

__version__: str
_Path = Union[str, os.PathLike[str]]

class Error(ValueError):
    """A file or an option returnplot refuses, with its message."""

class Performance:
    """A performance as read and analysed by read()."""
    @property
    def path(self) -> str: ...
    @property
    def notes(self) -> dict[str, npt.NDArray[Any]]:
        """index, is_note_on, time_ms, lead_value, key, velocity, cluster_index (the columns of --export-notes)."""
    @property
    def events(self) -> dict[str, npt.NDArray[Any]]:
        """event, onset_ms, interval0-2, velocity0-2, first_note, and for a match file score_onset_beats,
        beat_period0-2, asynchrony_ms (the columns of --export-events); undefined values are NaN."""
    @property
    def score(self) -> dict[str, Any] | None: ...
    @property
    def skipped(self) -> dict[str, Any]: ...
    @property
    def warnings(self) -> list[str]: ...
    @property
    def cluster_ms(self) -> float: ...
    @property
    def delay(self) -> int: ...
    def __len__(self) -> int: ...

def read(
    path: _Path,
    *,
    cluster_ms: float | None = None,
    delay: int | None = None,
    strict: bool = False,
    times_unit: str | None = None,
    event_velocity: str | None = None,
    score_onset: str | None = None,
    onset_method: str | None = None,
    onset_threshold: float | None = None,
    onset_silence_db: float | None = None,
    onset_min_ioi_ms: float | None = None,
    score: _Path | None = None,
) -> Performance:
    """Reads and analyses a performance file as --export-events does (cluster_ms 50 and delay 1 unless given);
    with score, aligned to that MusicXML score as it is read (as --score does)."""

def stats(
    what: Union[Performance, _Path, Sequence[float], npt.NDArray[np.float64]],
    *,
    delay: int | None = None,
    permutations: int | None = None,
    random_state: int | None = None,
    sampen_m: int | None = None,
    sampen_r: float | None = None,
    dfa_scales: str | None = None,
    extended: bool = False,
    ci: float | None = None,
    ci_block: int | None = None,
    ci_resamples: int | None = None,
    rqa: bool = False,
    rqa_dim: int | None = None,
    rqa_delay: int | None = None,
    rqa_radius: float | None = None,
    rqa_rate: float | None = None,
    rqa_theiler: int | None = None,
    features: bool = False,
    window: int | None = None,
    window_bars: int | None = None,
    step: int | None = None,
    **read_options: Any,
) -> dict[str, Any]:
    """The measures of --stats: by series ('timing', 'velocity', 'tempo', with features=True also 'melody_lead',
    'spread', 'overlap') for a performance or a path, one dict of measures for a series of numbers; undefined
    measures are NaN. With window or window_bars each series is a list of dicts, one per window, its first_event
    and last_event (from 1; by bars also first_bar, last_bar) first."""

def features(what: Union[Performance, _Path], **read_options: Any) -> dict[str, Any]:
    """The columns of --export-features for one performance: event, bar, beat (texts), score_onset_beats, notes,
    melody_key, melody_voice, melody_onset_ms, melody_velocity, melody_lead_ms, spread_ms, velocity_difference,
    overlap_ms, overlap_ratio, low_overlap_ms, low_overlap_ratio, sustain_fraction, soft_fraction; NaN where the
    CSV is empty."""

def tempo(
    paths: Union[_Path, Iterable[_Path]],
    *,
    beat: str | None = None,
    tempo_unit: str | None = None,
    smooth: float | None = None,
    score_onset: str | None = None,
    strict: bool = False,
) -> str:
    """The CSV text of --export-tempo."""

def align(score: _Path, performance: _Path, out: _Path) -> str:
    """Writes the match file of the performance aligned to the MusicXML score, as --align; the report line."""
