#!/usr/bin/python3
"""The script a user would write instead of vnqtool params: numpy reads each measurement file
whole, walks its blocks to the settings and the two profiles, and computes the same figures the
same way (widths and numerical apertures at 5 %, 13.5 % and 50 %, centroid and peak angle), in
the same single-precision steps, so its numbers match the program's.

    params_peer.py FILE...     prints CSV: file,axis,width_5,...,na_50,centroid,peak
"""

import struct
import sys

import numpy as np

SAMPLES = 3241
ROTATION_RADIUS = np.float32(6.62)
DEGREES_PER_RADIAN = 180.0 / np.pi
DEGREES_PER_RADIAN_F = np.float32(57.29578)
CLIPS = (50, 135, 500)
F32 = np.float32

# The arm angles of the samples, their sine and cosine: the same for every file.
ARM = (np.arange(SAMPLES, dtype=np.float64) / (SAMPLES - 1) - 0.5) * np.pi
ARM_SIN = np.sin(ARM)
ARM_COS = np.cos(ARM)


def blocks(data):
    """The data blocks of the document section: settings, then the profiles."""
    at = 40 + 6  # header, frame marker
    at += 6 + struct.unpack_from("<H", data, at + 2)[0]  # frame block
    at += 6  # document marker
    while at + 6 <= len(data):
        tag, length, _ = struct.unpack_from("<HHH", data, at)
        if tag != 12:
            return
        yield data[at + 6 : at + 6 + length]
        at += 6 + length


def grid_degrees(distance):
    d = F32(distance)
    theta = np.arctan2(float(ROTATION_RADIUS) * ARM_SIN, float(d) + float(ROTATION_RADIUS) * ARM_COS).astype(F32)
    return theta, (theta.astype(np.float64) * DEGREES_PER_RADIAN).astype(F32)


def find_peak(y):
    if len(y) == 0:
        return F32(0), 0
    i = int(np.argmax(y))
    if not y[i] > 0:
        return F32(0), 0
    return (y[i], i) if 1 <= i < len(y) - 10 else (F32(0), i)


def crossing(y, i, level):
    d = F32(y[i + 1] - y[i])
    position = F32(i + 0.5) if abs(d) < F32(0.001) else F32(F32(i) + F32(level - y[i]) / d)
    return min(max(position, F32(i)), F32(i + 1))


def clip_crossings(y, peak, p, clip):
    n = len(y)
    if n <= 0 or p < 1 or peak <= 0 or p >= n:
        return None
    level = F32(peak * F32(clip) / F32(1000))
    band = min(F32(peak * F32(clip + 20) / F32(1000)), peak)
    above, below = y >= level, y <= level

    right = np.flatnonzero(above[p : n - 1] & below[p + 1 : n])
    if len(right) == 0:
        return None
    iR = p + int(right[-1])
    xR = crossing(y, iR, level)
    xRi = F32(n - 2)
    inner = y[p + 1 : iR + 2][::-1]  # j from iR + 1 down to p + 1
    stop = np.flatnonzero(inner >= band)
    inner_below = np.flatnonzero(inner[: stop[0] if len(stop) else len(inner)] <= level)
    if len(inner_below):
        xRi = crossing(y, iR + 1 - int(inner_below[-1]) - 1, level)

    left = np.flatnonzero(above[3 : p + 1] & below[2:p])
    if len(left) == 0:
        return None
    iL = 3 + int(left[0])
    xL = crossing(y, iL - 1, level)
    xLi = F32(2)
    inner = y[iL - 1 : p]  # j from iL - 1 up to p - 1
    stop = np.flatnonzero(inner >= band)
    inner_below = np.flatnonzero(inner[: stop[0] if len(stop) else len(inner)] <= level)
    if len(inner_below):
        xLi = crossing(y, iL - 1 + int(inner_below[-1]), level)

    if xL > xR or xLi > xRi:
        return None
    return xL, xR


def centroid(y, theta, noise):
    n = len(y)
    if n < 2:
        return F32(0)
    angles = theta[:n].astype(np.float64)
    span = np.empty(n)
    span[0] = angles[1] - angles[0]
    span[-1] = angles[-1] - angles[-2]
    span[1:-1] = angles[2:] - angles[:-2]
    w = np.where(y >= noise, y.astype(np.float64) * span / 2.0, 0.0)
    weights = w.sum()
    if not abs(weights) > np.finfo(np.float64).eps:
        return F32(0)
    return F32(F32((angles * w).sum() / weights) * DEGREES_PER_RADIAN_F)


def parameters(path):
    with open(path, "rb") as f:
        data = f.read()
    found = blocks(data)
    settings = next(found)
    profiles = [np.frombuffer(next(found), dtype="<f4")[:SAMPLES] for _ in range(2)]
    scan_mode, _, distance, phi = struct.unpack_from("<iiff", settings, 8)
    noise = struct.unpack_from("<2f", settings, 32)
    theta, degrees = grid_degrees(distance)
    rows = []
    for axis in range(2 if scan_mode == 2 else 1):
        y = profiles[axis]
        n = len(y)
        peak, p = find_peak(y)
        widths = []
        for clip in CLIPS:
            found_at = clip_crossings(y, peak, p, clip)
            width = F32(0)
            if found_at:
                width = max(F32(degrees[int(found_at[1])] - degrees[int(found_at[0])]), F32(0))
            widths.append(width)
        nas = [F32(np.sin(float(w) * np.pi / 360.0)) for w in widths]
        first_max = int(np.argmax(y)) if n else 0
        peak_angle = degrees[first_max] if n and y[first_max] > 0 else F32(0)
        rows.append((axis, F32(phi) + F32(90 * axis), widths, nas, centroid(y, theta, F32(noise[axis])), peak_angle))
    return rows


def main(paths):
    out = ["file,axis,phi,width_5,width_13.5,width_50,na_5,na_13.5,na_50,centroid,peak"]
    for path in paths:
        for axis, phi, widths, nas, centre, peak in parameters(path):
            values = [phi, *widths, *nas, centre, peak]
            out.append(",".join([path, str(axis)] + [repr(float(v)) for v in values]))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main(sys.argv[1:])
