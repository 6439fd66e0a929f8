#!/usr/bin/env bash
# Generates N entries (default 1 000 000), runs the project's programs and the peers on the
# same entries in one run, and prints each time with its ratios. Machines here are noisy:
# compare only figures of the same run.
# Usage: bench/compare.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tvn_packages+=(python3 time)
tvn_install_packages

n="${1:-1000000}"
out=build/bench
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DTVN_TESTS=OFF -DTVN_BENCH=ON >/dev/null
cmake --build "$out" >/dev/null
data="$out/data"
mkdir -p "$data"
tvd="$data/list-$n.tvd"
txt="$data/list-$n.txt"
[ -f "$tvd" ] || "$out/bench/bench_tool" gen "$n" "$tvd"
[ -f "$txt" ] || "$out/tvtool/tvtool" txt "$tvd" "$txt"
db="$data/import-$n.db"
sorted_db="$data/sorted-$n.db"
rm -f "$sorted_db"
sqlite3 "$sorted_db" -cmd '.mode tabs' ".import $txt e"

"$out/bench/bench_data" --benchmark_filter="/$n/" --benchmark_format=json \
  --benchmark_min_time=0.05 >"$data/bench-$n.json" 2>/dev/null

python3 - "$out" "$tvd" "$txt" "$db" "$sorted_db" "$data/bench-$n.json" <<'PY'
import json, os, resource, subprocess, sys, time
out, tvd, txt, db, sorted_db, bench_json = sys.argv[1:]

def run(cmd, repeat=3, **kw):
    """Best wall time of a whole process and its peak resident memory in bytes."""
    best, peak = None, 0
    for _ in range(repeat):
        if cmd[0] == 'sqlite3' and '.import' in ' '.join(cmd):
            if os.path.exists(db): os.remove(db)
        t = time.perf_counter()
        p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, **kw)
        _, status, usage = os.wait4(p.pid, 0)
        wall = time.perf_counter() - t
        if status != 0: sys.exit(f"failed: {' '.join(cmd)}")
        best = wall if best is None else min(best, wall)
        peak = max(peak, usage.ru_maxrss * 1024)
    return best, peak

size = os.path.getsize(tvd)
bench = {b['name'].split('/')[0]: b['real_time'] / 1000.0 for b in json.load(open(bench_json))['benchmarks']}

readcopy, _ = run([f'{out}/bench/bench_tool', 'readcopy', tvd])
load, peak = run([f'{out}/tvtool/tvtool', 'check', tvd])
sqlite_import, _ = run(['sqlite3', db, '-cmd', '.mode tabs', f'.import {txt} e'], repeat=2)
sqlite_sort, _ = run(['sqlite3', sorted_db, 'SELECT * FROM e ORDER BY lower(Autor), lower(Titel)'], repeat=2)

def line(what, secs, *ratios):
    text = ', '.join(f'{r:.2f}x {name}' for name, r in ratios)
    print(f'{what:<46} {secs*1000:9.0f} ms   {text}')

print(f'entries: {int(sys.argv[2].rsplit("-",1)[1].split(".")[0]):,}   file: {size/1e6:.1f} MB')
print('--- load (whole tvtool check process)')
line('tvtool check', load, ('faster than sqlite3 .import', sqlite_import / load),
     ('of read file + memcpy baseline', load / readcopy))
line('sqlite3 .import of the text document', sqlite_import)
line('baseline: read file into memory + memcpy', readcopy)
line('in process: load from file', bench['BM_Load'], ('of read-file baseline', bench['BM_Load'] / bench['BM_BaselineReadFile']),
     ('of memcpy baseline', bench['BM_Load'] / bench['BM_BaselineMemcpy']))
line('in process: parse from memory', bench['BM_LoadFromMemory'])
print(f'peak memory of tvtool check: {peak/1e6:.0f} MB = {peak/size:.2f}x the file size')
print('--- sort by author (in process, load excluded)')
s = bench['BM_Sort<snAutor>']
line('TDaten.Sort(snAutor)', s, ('faster than sqlite3 ORDER BY lower(Autor), lower(Titel)', sqlite_sort / s))
line('sqlite3 ORDER BY (whole process)', sqlite_sort)
line('TDaten.Sort(snErhalten)', bench['BM_Sort<snErhalten>'])
print('--- list identity')
base = bench['BM_BaselineCompareAllFields']
line('Ident, same order', bench['BM_IdentInOrder'], ('of one pass comparing every field', bench['BM_IdentInOrder'] / base))
line('Ident, shuffled', bench['BM_IdentShuffled'], ('of the in-order time', bench['BM_IdentShuffled'] / bench['BM_IdentInOrder']))
line('baseline: one pass comparing every field', base)
print('--- save')
line('SaveToFile (encode, write, flush, replace)', bench['BM_Save'], ('of the in-process load time', bench['BM_Save'] / bench['BM_Load']))
line('  of which encoding in memory', bench['BM_Encode'])
line('  of which write, flush and replace', bench['BM_Save'] - bench['BM_Encode'])
line('SaveToFile as text document', bench['BM_SaveText'])
print('--- other')
line('Import of the list into itself plus half', bench['BM_ImportItselfPlusHalf'])
line('RecordKey of every entry', bench['BM_RecordKeyAll'])
PY
