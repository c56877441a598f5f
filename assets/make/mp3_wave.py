#!/usr/bin/env python3
"""Wraps MPEG Layer-3 frames in a RIFF/WAVE container with format tag 0x0055.

Usage: mp3_wave.py INPUT.mp3 SAMPLES OUTPUT.wav

SAMPLES is the length of the recording in samples per channel (the "fact"
chunk), so a player can tell the real length without decoding.
"""
import struct
import sys


def frame_header(data):
    """Channels, rate and bit rate from the first MPEG audio frame."""
    rates = {3: (44100, 48000, 32000), 2: (22050, 24000, 16000), 0: (11025, 12000, 8000)}
    kbps_v1 = (0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320)
    kbps_v2 = (0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160)
    for i in range(len(data) - 4):
        if data[i] == 0xFF and (data[i + 1] & 0xE0) == 0xE0:
            version = (data[i + 1] >> 3) & 3
            layer = (data[i + 1] >> 1) & 3
            if layer != 1 or version == 1:
                continue
            rate = rates[version][(data[i + 2] >> 2) & 3]
            index = data[i + 2] >> 4
            kbps = (kbps_v1 if version == 3 else kbps_v2)[index]
            channels = 1 if (data[i + 3] >> 6) == 3 else 2
            return version, channels, rate, kbps
    raise SystemExit("no MPEG Layer-3 frame found")


def skip_id3v2(data):
    if data[:3] != b"ID3":
        return data
    size = 0
    for b in data[6:10]:
        size = (size << 7) | (b & 0x7F)
    return data[10 + size:]


def main():
    source, samples, target = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    mp3 = skip_id3v2(open(source, "rb").read())
    version, channels, rate, kbps = frame_header(mp3)
    block = (144 if version == 3 else 72) * kbps * 1000 // rate
    # Variable bit rate: the average comes from the whole stream.
    average = len(mp3) * rate // max(samples, 1)
    fmt = struct.pack("<HHIIHHHHIHHH", 0x0055, channels, rate, average, 1, 0,
                      12, 1, 2, block, 1, 1393)
    fact = struct.pack("<I", samples)
    body = b"WAVE"
    body += b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"fact" + struct.pack("<I", len(fact)) + fact
    body += b"data" + struct.pack("<I", len(mp3)) + mp3
    if len(mp3) % 2:
        body += b"\0"
    with open(target, "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(body)) + body)


if __name__ == "__main__":
    main()
