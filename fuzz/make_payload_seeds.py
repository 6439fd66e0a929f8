#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_payload: WM_COPYDATA payloads as a second start sends
them (UTF-16LE with a terminating NUL) and a few broken ones."""
import pathlib

seeds = {
    "one_name": "C:\\Hörbücher\\Liste.tvd\0",
    "two_names": "C:\\a.tvd|C:\\b.tvi\0",
    "separators_only": "|||\0",
    "quoted": " \"C:\\Meine Bücher\\a.TVD\" \0",
    "blank": " \t \0",
    "inner_nul": "a.tvd\0b.tvd\0",
    "no_terminator": "a.tvd",
}
here = pathlib.Path(__file__).resolve().parent / "corpus" / "fuzz_payload"
here.mkdir(parents=True, exist_ok=True)
for name, text in seeds.items():
    (here / f"{name}.bin").write_bytes(text.encode("utf-16-le"))
(here / "odd_size.bin").write_bytes(b"a\0b")
