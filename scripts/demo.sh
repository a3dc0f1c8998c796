#!/usr/bin/env bash
# Starts the program against the simulated Intellibox on a pseudo-terminal, with a private
# data folder whose configuration names that pseudo-terminal. Usage: scripts/demo.sh <builddir>
set -euo pipefail

build="${1:-build}"
sim="$build/station-sim"
app="$build/quillex"
[ -x "$sim" ] || { echo "missing $sim: build first (make build)" >&2; exit 1; }
[ -x "$app" ] || { echo "missing $app: build first (make build)" >&2; exit 1; }

data="$(mktemp -d "${TMPDIR:-/tmp}/quillex-demo.XXXXXX")"
simlog="$data/station-sim.log"
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null || true
    rm -rf "$data"
}
trap cleanup EXIT INT TERM

"$sim" --station ib >"$simlog" 2>&1 &
sim_pid=$!

# The simulator prints the path of its pseudo-terminal; wait for it (at most 10 s).
pty=""
for _ in $(seq 1 100); do
    pty="$(grep -o '/dev/[A-Za-z0-9/_.-]*' "$simlog" | head -n 1 || true)"
    [ -n "$pty" ] && break
    kill -0 "$sim_pid" 2>/dev/null || { cat "$simlog" >&2; echo "station-sim ended" >&2; exit 1; }
    sleep 0.1
done
[ -n "$pty" ] || { cat "$simlog" >&2; echo "station-sim printed no pseudo-terminal" >&2; exit 1; }
echo "Simulated Intellibox on $pty, data folder $data"

# The configuration file as the program writes it (28 lines, CR LF), naming the pty.
{
    printf '[COM]\r\n%s\r\n\r\n' "$pty"
    printf '[Settings]\r\n2400,N,8,1\r\n\r\n'
    printf '[Fahrstufen]\r\n1\r\n\r\n'
    printf '[Fensterposition Zentrale]\r\n 0 \r\n 0 \r\n\r\n'
    printf '[Fensterposition Kennlinie]\r\n 0 \r\n 0 \r\n\r\n'
    printf '[Delay Kennline schreiben]\r\n 1000 \r\n\r\n'
    printf '[Zentrale / CU]\r\n 2 \r\n\r\n'
    printf '[Decoder-Typ]\r\n 2 \r\n\r\n'
    printf '[Interface-Typ (Lenz)]\r\n 0 \r\n'
} >"$data/Quillex.cfg"

"$app" --data-folder "$data"
