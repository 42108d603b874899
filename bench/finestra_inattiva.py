"""The real game at rest: its CPU use over 20 s on the start screen while the
credits crawl, and waiting for the player's move; its resident memory
after start-up and a new match. Run after building:

    python3 bench/finestra_inattiva.py build/velmo
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from sessione_x import SessioneX  # noqa: E402

def tempo_cpu(pid):
    """Seconds on a CPU, all threads, in nanoseconds' resolution."""
    totale = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                totale += int(f.read().split()[0])
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return totale / 1e9


def cpu_per_20_s(pid):
    """Percent of one core used over the next 20 s."""
    cpu0, t0 = tempo_cpu(pid), time.monotonic()
    time.sleep(20.0)
    return (tempo_cpu(pid) - cpu0) / (time.monotonic() - t0) * 100


def memoria_residente_mib(pid):
    with open(f"/proc/{pid}/status") as f:
        for riga in f:
            if riga.startswith("VmRSS:"):
                return int(riga.split()[1]) / 1024
    raise RuntimeError("no VmRSS")


def main():
    eseguibile = sys.argv[1] if len(sys.argv) > 1 else "build/velmo"
    with SessioneX(eseguibile, "/tmp/velmo-bench") as x:
        inizio = time.monotonic()
        gioco = x.avvia_gioco()
        time.sleep(2.0)  # past the start-up's first paints
        cpu = cpu_per_20_s(gioco.pid)
        print(f"start screen, credits crawling: CPU {cpu:.3f}% of one core over 20 s (target at most 0.5%)")
        x.tasto("F2")  # a match waiting for the player's move
        time.sleep(2.0)
        rss = memoria_residente_mib(gioco.pid)
        cpu = cpu_per_20_s(gioco.pid)
        print(f"waiting for the player's move: CPU {cpu:.3f}% of one core over 20 s "
              f"(target under 0.1%)")
        print(f"resident memory after start-up, the credits and a new match: {rss:.1f} MiB (target under 45 MiB)")


if __name__ == "__main__":
    main()
