#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Measures Kestra Setup against bare Qt programs on a private Xvfb and prints
# a table of medians and ratios with the targets:
#   start-up   exec to the main window mapped, against a bare Qt dialog with
#              the same kinds and number of controls wearing the tool's skin
#              (bare-dialog-skinned); the same dialog without the skin
#              (bare-dialog) is measured too, for the record
#   camera     a click on Camera Setting to the Camera window mapped, against
#              the main window's own opening
#   memory     peak resident size of a run that maps, paints and finishes
#              its checks after the first paint, against the skinned dialog
#              doing the same; at the map alone, against both, for the record
#   first run  the main window's opening from a fresh home (no stored
#              choices, font measurements or text fits), against the skinned
#              dialog's own first run from a fresh home
#   save       `kestra-setup-cli camera --out DIR`, against a bare QtCore save
#              of 180 bytes with the same safe steps (bare-save: a scratch
#              file written, flushed and renamed, the folder flushed)
#   card       `kestra-setup-cli card write` of a profile with all four files,
#              against a bare QtCore write of the same four with the card's
#              safe steps (bare-card: each written to a scratch file, flushed,
#              renamed and read back from the medium past the system's cache,
#              the folder flushed once)
# The command-line benchmarks run kestra-setup-cli next to the program where
# the build has it, and the program's own subcommands where it has not.
# Program and baselines take turns in rounds so that drift on a shared machine
# cancels out. KESTRA_BENCH_ROUNDS (default 4) and KESTRA_BENCH_RUNS (default
# 10) set the amount of work; the hyperfine JSON goes to build/bench/results.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/common.sh
. scripts/common.sh

kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" libx11-dev libxtst-dev xvfb xauth hyperfine time \
    fonts-dejavu-core fonts-noto-cjk

# shellcheck disable=SC2086 # KESTRA_CMAKE_ARGS holds several arguments
cmake --preset bench ${KESTRA_CMAKE_ARGS:-} >/dev/null
cmake --build --preset bench >/dev/null

build=build/bench
# KESTRA_BENCH_APP measures another build of the program (an older one, say).
app=${KESTRA_BENCH_APP:-$build/src/kestra-setup}
# The command line: a program of its own beside the windows' one, or (an
# older build) the same program given a subcommand.
cli=$(dirname "$app")/kestra-setup-cli
if [ ! -f "$cli" ] || [ ! -x "$cli" ]; then
    cli=$app
fi
results=$build/results
rm -rf "$results"
mkdir -p "$results"
rounds=${KESTRA_BENCH_ROUNDS:-4}
runs=${KESTRA_BENCH_RUNS:-10}

# A private display, a fresh store of choices and a fresh cache folder.
display_number=$((200 + $$ % 500))
Xvfb ":$display_number" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
scratch=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
export DISPLAY=":$display_number"
export XDG_CONFIG_HOME=$scratch/config
export XDG_CACHE_HOME=$scratch/cache
export QT_QPA_PLATFORM=xcb
# The floor wears the tool's whole look: its skin (built in) and its template
# font, the family every window of the tool is drawn in (the stand-in for the
# templates' own font, in every language). The unskinned dialog keeps Qt's
# default font, for the record.
export BARE_FONT="Noto Sans CJK SC"
plain_dialog="env -u BARE_FONT $build/bench/bare-dialog"
for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X$display_number" ] && break
    sleep 0.1
done

mapwait=$build/bench/mapwait
# The Camera button's centre in the main window, from its template.
camera_button=133,200

# One warm-up of each, so fonts and libraries are in the page cache; the
# program's lingers until it has painted and stored its font measurements, as
# any earlier use of it would have.
"$mapwait" --linger 500 -- "$app" >/dev/null
# shellcheck disable=SC2086 # the command and its arguments
"$mapwait" -- $plain_dialog >/dev/null
"$mapwait" -- "$build/bench/bare-dialog-skinned" >/dev/null

# Rounds of hyperfine runs, the three commands taking turns at going first;
# the helper prints its own exec-to-map times, collected apart from
# hyperfine's whole-command times.
for round in $(seq "$rounds"); do
    commands=(
        "$mapwait --click $camera_button -- $app >> $results/app.txt 2>> $results/errors.txt"
        "$mapwait -- $build/bench/bare-dialog-skinned >> $results/skinned.txt 2>> $results/errors.txt"
        "$mapwait -- $plain_dialog >> $results/bare.txt 2>> $results/errors.txt"
    )
    shift_by=$((round % 3))
    commands=("${commands[@]:shift_by}" "${commands[@]:0:shift_by}")
    hyperfine --style none --runs "$runs" --export-json "$results/startup-$round.json" "${commands[@]}" >/dev/null
done

# Peak resident size of a run: at the first window mapped (for the record),
# and over a run that maps, paints and lets the checks after the first paint
# finish (the peak a user's run reaches before it is touched: the target).
for _ in $(seq 5); do
    /usr/bin/time -f %M -a -o "$results/app-rss.txt" "$mapwait" -- "$app" >/dev/null
    /usr/bin/time -f %M -a -o "$results/skinned-rss.txt" "$mapwait" -- "$build/bench/bare-dialog-skinned" >/dev/null
    # shellcheck disable=SC2086 # the command and its arguments
    /usr/bin/time -f %M -a -o "$results/bare-rss.txt" "$mapwait" -- $plain_dialog >/dev/null
    /usr/bin/time -f %M -a -o "$results/app-rss-painted.txt" "$mapwait" --linger 1000 -- "$app" >/dev/null
    /usr/bin/time -f %M -a -o "$results/skinned-rss-painted.txt" "$mapwait" --linger 1000 \
        -- "$build/bench/bare-dialog-skinned" >/dev/null
done

# First runs: a fresh home (no stored choices, no cache folder, so no stored
# font measurements or text fits) for every run of either program, taking
# turns; the floor is the skinned dialog's own first run.
for n in $(seq $((rounds * 4))); do
    for who in app skinned; do
        home=$scratch/first-run-$who-$n
        program=$app
        [ "$who" = skinned ] && program=$build/bench/bare-dialog-skinned
        XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache "$mapwait" -- "$program" >> "$results/$who-first.txt"
    done
done

# Saves: the command line against the bare safe save (when the program has one).
mkdir -p "$scratch/card-app" "$scratch/card-bare"
have_save=0
if QT_QPA_PLATFORM=offscreen timeout 20 "$cli" camera --out "$scratch/card-app" --clock "2024-03-05 08:07:06" \
    >/dev/null 2>&1; then
    have_save=1
    for round in $(seq "$rounds"); do
        first="$cli camera --out $scratch/card-app --clock '2024-03-05 08:07:06'"
        second="$build/bench/bare-save $scratch/card-bare"
        if [ $((round % 2)) -eq 0 ]; then
            tmp=$first; first=$second; second=$tmp
        fi
        hyperfine --style none --warmup 2 --runs "$runs" --export-json "$results/save-$round.json" \
            "$first" "$second" >/dev/null
    done
fi

# Whole cards: the card writer against the bare safe write of its four files.
mkdir -p "$scratch/cards-app" "$scratch/cards-bare"
cat > "$scratch/site.json" <<'JSON'
{"camera": {"mode": "Camera+Video", "pir": "5 Min"}, "mms": {"phone": "13800138000"},
 "gprs": {"sender-email": "cam@example.org", "sender-password": "secret", "smtp-server": "mail.example.org",
          "smtp-port": "25", "recipient-email": "me@example.org"},
 "sms": {"phone1": "13800138000"}}
JSON
have_card=0
card_write="$cli card write --profile $scratch/site.json --out $scratch/cards-app --clock '2024-03-05 08:07:06'"
if timeout 20 bash -c "$card_write" >/dev/null 2>&1; then
    have_card=1
    for round in $(seq "$rounds"); do
        first="$card_write"
        second="$build/bench/bare-card $scratch/cards-bare"
        if [ $((round % 2)) -eq 0 ]; then
            tmp=$first; first=$second; second=$tmp
        fi
        hyperfine --style none --warmup 2 --runs "$runs" --export-json "$results/card-$round.json" \
            "$first" "$second" >/dev/null
    done
fi

python3 - "$results" "$have_save" "$have_card" "$(basename "$cli")" <<'PY'
import json, pathlib, statistics, sys

results = pathlib.Path(sys.argv[1])
have_save = sys.argv[2] == "1"
have_card = sys.argv[3] == "1"
cli = sys.argv[4]

def column(name, index):
    rows = [l.split() for l in (results / name).read_text().splitlines() if l.strip()]
    return [float(r[index]) for r in rows if len(r) > index]

# mapwait prints one time per line: for the program the main window's
# opening, then the Camera window's after the click.
app_lines = [float(l) for l in (results / "app.txt").read_text().split()]
app_main = app_lines[0::2]
app_camera = app_lines[1::2]
def times(name):
    return [float(l) for l in (results / name).read_text().split()]

skinned_main = times("skinned.txt")
bare_main = times("bare.txt")
app_rss = column("app-rss.txt", 0)
skinned_rss = column("skinned-rss.txt", 0)
bare_rss = column("bare-rss.txt", 0)

rows = []
def row(what, ours, base, unit, target=None):
    ratio = ours / base
    if target is None:
        limit, verdict = "", "for the record"
    else:
        limit, verdict = f"<= {target:.2f}x", "meets" if ratio <= target else "MISSES"
    rows.append((what, f"{ours:.1f} {unit}", f"{base:.1f} {unit}", f"{ratio:.2f}x", limit, verdict))

m = statistics.median
row("main window mapped (vs skinned bare dialog)", m(app_main), m(skinned_main), "ms", 1.05)
row("peak resident size, painted (vs skinned)", m(column("app-rss-painted.txt", 0)) / 1024,
    m(column("skinned-rss-painted.txt", 0)) / 1024, "MiB", 1.05)
row("first run's main window (vs skinned's first run)", m(times("app-first.txt")), m(times("skinned-first.txt")),
    "ms", 1.25)
row("Camera window opening (vs main window's)", m(app_camera), m(app_main), "ms", 1.15)
if have_save:
    ours, base = [], []
    for f in sorted(results.glob("save-*.json")):
        for r in json.loads(f.read_text())["results"]:
            (base if "bare-save" in r["command"] else ours).extend(r["times"])
    row("command-line save (vs bare safe save)", m(ours) * 1000, m(base) * 1000, "ms", 1.15)
else:
    rows.append(("command-line save", "n/a", "", "", "<= 1.15x", "no command line"))
if have_card:
    ours, base = [], []
    for f in sorted(results.glob("card-*.json")):
        for r in json.loads(f.read_text())["results"]:
            (base if "bare-card" in r["command"] else ours).extend(r["times"])
    row("whole card, four files (vs bare safe card)", m(ours) * 1000, m(base) * 1000, "ms", 1.20)
else:
    rows.append(("whole card, four files", "n/a", "", "", "<= 1.20x", "no card write"))
row("main window mapped (vs unskinned bare dialog)", m(app_main), m(bare_main), "ms")
row("peak resident size at the map (vs skinned)", m(app_rss) / 1024, m(skinned_rss) / 1024, "MiB")
row("peak resident size at the map (vs unskinned)", m(app_rss) / 1024, m(bare_rss) / 1024, "MiB")

header = ("measure", "Kestra Setup", "baseline", "ratio", "target", "")
widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(6)]
def line(r):
    return "| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |"
print(line(header))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows:
    print(line(r))
print(f"\nmedians of {len(app_main)} runs each; {len(app_rss)} runs for memory; command line: {cli}")
PY
