"""The sound path's costs, measured with a private sound server (a null
sink, no hardware needed):

- how soon a cue starts: build/bench/suono_bench, the time from
  psubSuonaWave to the first samples written (target under 30 ms);
- what the audio path adds to the idle game: CPU while a match waits for
  the player's move (target under 0.1 %) and resident memory 10 s after
  start (target under 45 MiB), with the sound server and, for comparison,
  without one. The game with the server has played its cues by then.

    python3 bench/suono_bench.py build
"""

import os
import subprocess
import sys
import time

QUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(QUI, "..", "tests", "e2e"))
sys.path.insert(0, QUI)
from finestra_inattiva import memoria_residente_mib, tempo_cpu  # noqa: E402
from server_audio import VARIABILI, SenzaServer, ServerAudio  # noqa: E402
from sessione_x import SessioneX  # noqa: E402


def inattivo(eseguibile, ambiente, nome):
    with SessioneX(eseguibile, "/tmp/velmo-bench-suono") as x:
        x.env.update({k: ambiente[k] for k in VARIABILI})
        inizio = time.monotonic()
        gioco = x.avvia_gioco()
        x.tasto("F2")
        time.sleep(0.5)
        x.tasto("5")  # two pieces, two cues: the audio path is in use
        time.sleep(max(0.0, 10.0 - (time.monotonic() - inizio)))
        rss = memoria_residente_mib(gioco.pid)
        cpu0, t0 = tempo_cpu(gioco.pid), time.monotonic()
        time.sleep(20.0)
        cpu = (tempo_cpu(gioco.pid) - cpu0) / (time.monotonic() - t0) * 100
        print(f"{nome}: waiting for the player's move, CPU {cpu:.3f}% of one core over 20 s "
              f"(target under 0.1%); resident memory 10 s after start {rss:.1f} MiB (target under 45 MiB)")


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    eseguibile = os.path.join(build, "velmo")
    with ServerAudio() as server:
        subprocess.run([os.path.join(build, "bench", "suono_bench"), os.path.join(build, "Velmo.002")],
                       env=server.env, check=True)
        inattivo(eseguibile, server.env, "with a sound server")
    with SenzaServer() as nessuno:
        inattivo(eseguibile, nessuno.env, "without a sound server")


if __name__ == "__main__":
    main()
