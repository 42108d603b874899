"""The package step of the two commands, for every kind of user sudo meets.

scripts/pacchetti.sh runs with stand-ins for `id`, `sudo`, `dpkg-query`,
`apt-get`, `localedef` and `locale` first on the PATH. The stand-in sudo
keeps sudoers' rules as a Debian machine has them: a password asked at the
terminal (here, standard input) up to three times and then remembered;
`sudo -v` wanting one unless every rule is NOPASSWD; `sudo -l` without one
when any rule is NOPASSWD; a user not in sudoers asked for a password and
then refused. Every call lands in a log, with the uid a command ran as.

Usage: pacchetti_test.py scripts/pacchetti.sh"""

import os
import stat
import subprocess
import sys
import tempfile

SCRIPT = os.path.abspath(sys.argv[1])
FINTI = ("id", "sudo", "dpkg-query", "apt-get", "localedef", "locale")
SISTEMA = ""  # the folder of the system's other tools

# FINTO_REGOLE: tutte (NOPASSWD: ALL), alcune (the stock "%sudo ALL=(ALL:ALL)
# ALL" beside "NOPASSWD: /usr/bin/apt-get"), password, nessuna (not in
# sudoers). The password is "segreta".
SUDO = r"""#!/bin/bash
registra() { echo "$*" >> "$FINTO_REGISTRO"; }
registra "sudo $*"
ricordata=$FINTO_CARTELLA/password_data
nopasswd() {  # nopasswd COMMAND
  case "$FINTO_REGOLE" in tutte) return 0 ;; alcune) [ "$1" = apt-get ] ;; *) return 1 ;; esac
}
chiedi() {
  [ -f "$ricordata" ] && return 0
  if $non_interattivo; then echo "sudo: a password is required" >&2; return 1; fi
  for _ in 1 2 3; do
    registra "password chiesta"
    printf '[sudo] password for utente: ' >&2
    read -r pw || { echo "sudo: a terminal is required to read the password" >&2; return 1; }
    if [ "$pw" = segreta ]; then touch "$ricordata"; return 0; fi
    echo "Sorry, try again." >&2
  done
  echo "sudo: 3 incorrect password attempts" >&2
  return 1
}
non_interattivo=false
elenca=false
while [ $# -gt 0 ]; do
  case "$1" in
    -n) non_interattivo=true ;;
    -l) elenca=true ;;
    -v)
      [ "$FINTO_REGOLE" = tutte ] && exit 0
      chiedi || exit 1
      [ "$FINTO_REGOLE" = nessuna ] && { echo "Sorry, user utente may not run sudo." >&2; exit 1; }
      exit 0 ;;
    -*) echo "sudo: unknown option $1" >&2; exit 1 ;;
    *) break ;;
  esac
  shift
done
if $elenca; then
  case "$FINTO_REGOLE" in
    tutte|alcune) ;;
    *) chiedi || exit 1 ;;
  esac
  [ "$FINTO_REGOLE" = nessuna ] && { echo "Sorry, user utente may not run sudo." >&2; exit 1; }
  echo "/usr/bin/$1"
  exit 0
fi
if [ "$FINTO_REGOLE" = nessuna ]; then
  chiedi || exit 1
  echo "utente is not in the sudoers file." >&2
  exit 1
fi
nopasswd "$1" || chiedi || exit 1
FINTO_ROOT=1 exec "$@"
"""

ID = r"""#!/bin/bash
[ "$1" = -u ] || { echo "id: only -u here" >&2; exit 1; }
if [ -n "$FINTO_ROOT" ]; then echo 0; else echo "$FINTO_UID"; fi
"""

# Answers for the packages in FINTO_INSTALLATI; says nothing of the others,
# as dpkg-query does of a package it has never seen.
DPKG_QUERY = r"""#!/bin/bash
echo "dpkg-query $*" >> "$FINTO_REGISTRO"
shift 2
for p in "$@"; do
  case " $FINTO_INSTALLATI " in *" $p "*) echo "$p ii " ;; esac
done
"""

# A command run for real: logged with the uid it ran as, failing with
# FINTO_ESITO_<name> when set.
COMANDO = r"""#!/bin/bash
nome=$(basename "$0")
echo "uid $(id -u): $nome $*" >> "$FINTO_REGISTRO"
var=FINTO_ESITO_${nome//-/_}
exit "${!var:-0}"
"""

LOCALE = r"""#!/bin/bash
[ "$1" = -a ] && printf 'C\nC.utf8\nPOSIX\n'
"""


def sistema(cartella):
    """Every tool of the system but the stand-ins' and sudo, linked into one
    folder, so that the case without sudo has none even where it is installed."""
    for d in ("/usr/local/bin", "/usr/bin", "/bin", "/usr/sbin", "/sbin"):
        if not os.path.isdir(d):
            continue
        for nome in os.listdir(d):
            dove = os.path.join(cartella, nome)
            if nome in FINTI or os.path.lexists(dove):
                continue
            os.symlink(os.path.join(d, nome), dove)


def prepara(cartella, con_sudo):
    """The stand-ins, first on the PATH."""
    finti = os.path.join(cartella, "finti")
    os.makedirs(finti)
    testi = {"sudo": SUDO, "id": ID, "dpkg-query": DPKG_QUERY, "apt-get": COMANDO, "localedef": COMANDO,
             "locale": LOCALE}
    for nome, testo in testi.items():
        if nome == "sudo" and not con_sudo:
            continue
        percorso = os.path.join(finti, nome)
        with open(percorso, "w") as f:
            f.write(testo)
        os.chmod(percorso, stat.S_IRWXU)
    return finti + os.pathsep + SISTEMA


def esegui(insieme, uid=1000, regole=None, installati="", risposte="", esiti=None):
    with tempfile.TemporaryDirectory() as cartella:
        registro = os.path.join(cartella, "registro")
        open(registro, "w").close()
        env = {
            "PATH": prepara(cartella, regole is not None),
            "HOME": cartella,
            "LANG": "C.UTF-8",
            "FINTO_REGISTRO": registro,
            "FINTO_CARTELLA": cartella,
            "FINTO_UID": str(uid),
            "FINTO_REGOLE": regole or "",
            "FINTO_INSTALLATI": installati,
        }
        for nome, esito in (esiti or {}).items():
            env["FINTO_ESITO_" + nome.replace("-", "_")] = str(esito)
        r = subprocess.run(["/bin/bash", SCRIPT, insieme], input=risposte, env=env, capture_output=True,
                           text=True, timeout=60)
        with open(registro) as f:
            return r.returncode, r.stderr, f.read().splitlines()


def pacchetti_chiesti(righe):
    """The packages the script asked dpkg-query about (its one call)."""
    chiamate = [r for r in righe if r.startswith("dpkg-query ")]
    assert len(chiamate) == 1, f"one dpkg-query for the whole list, not {chiamate}"
    return chiamate[0].split()[4:]


def controlla(nome, insieme, atteso, **opzioni):
    esito, errori, righe = esegui(insieme, **opzioni)
    racconto = f"{nome}:\nexit {esito}\nstderr:\n{errori}\nlog:\n" + "\n".join(righe)
    pacchetti = pacchetti_chiesti(righe)
    installa = "apt-get install -y --no-install-recommends " + " ".join(pacchetti)
    assert not any(r.startswith("sudo") and " -v" in r for r in righe), "sudo -v: " + racconto
    assert esito == atteso["esito"], racconto
    assert righe.count("password chiesta") == atteso.get("password", 0), racconto
    come_root = [r.split(": ", 1)[1] for r in righe if r.startswith("uid 0: ")]
    assert not [r for r in righe if r.startswith("uid ") and not r.startswith("uid 0: ")], \
        "a command ran as the user: " + racconto
    if atteso.get("installato", atteso["esito"] == 0):
        previsti = ["apt-get update", installa]
        if insieme == "tutto":
            previsti.append("localedef -i it_IT -f UTF-8 it_IT.UTF-8")
        assert come_root == previsti, racconto
    if atteso.get("riga_root"):
        assert not come_root, racconto
        assert f"    apt-get update && {installa}" in errori.splitlines(), racconto
    else:
        assert "Cannot use sudo" not in errori, racconto
    return righe


def main():
    global SISTEMA
    cartella_sistema = tempfile.TemporaryDirectory()
    SISTEMA = cartella_sistema.name
    sistema(SISTEMA)
    casi = [
        # name, set, expected, options
        ("root", "gioco", {"esito": 0}, {"uid": 0}),
        ("root, everything", "tutto", {"esito": 0}, {"uid": 0}),
        # Three commands as root, one password.
        ("password", "tutto", {"esito": 0, "password": 1}, {"regole": "password", "risposte": "segreta\n"}),
        ("password, typed wrong once", "gioco", {"esito": 0, "password": 2},
         {"regole": "password", "risposte": "sbagliata\nsegreta\n"}),
        ("NOPASSWD for all", "tutto", {"esito": 0}, {"regole": "tutte"}),
        # The play command needs apt-get alone: no password at all.
        ("NOPASSWD for apt-get only", "gioco", {"esito": 0}, {"regole": "alcune"}),
        ("NOPASSWD for apt-get only, everything", "tutto", {"esito": 0, "password": 1},
         {"regole": "alcune", "risposte": "segreta\n"}),
        ("no sudo", "gioco", {"esito": 1, "riga_root": True}, {}),
        ("not in sudoers", "gioco", {"esito": 1, "password": 1, "riga_root": True},
         {"regole": "nessuna", "risposte": "segreta\n"}),
        ("password wrong three times", "gioco", {"esito": 1, "password": 3, "riga_root": True},
         {"regole": "password", "risposte": "a\nb\nc\n"}),
        ("no terminal to ask on", "gioco", {"esito": 1, "password": 1, "riga_root": True}, {"regole": "password"}),
        # apt-get's own failure is reported as its own, not as sudo's.
        ("apt-get fails under sudo", "gioco", {"esito": 100, "password": 1, "installato": False},
         {"regole": "password", "risposte": "segreta\n", "esiti": {"apt-get": 100}}),
    ]
    falliti = 0
    for nome, insieme, atteso, opzioni in casi:
        try:
            controlla(nome, insieme, atteso, **opzioni)
            print(f"ok: {nome}")
        except AssertionError as e:
            falliti += 1
            print(f"FAILED: {e}")

    # Nothing missing: one dpkg-query, no sudo, no apt.
    _, _, righe = esegui("gioco", uid=0, installati="x")
    tutti = " ".join(pacchetti_chiesti(righe))
    esito, errori, righe = esegui("gioco", regole="password", installati=tutti)
    if esito == 0 and righe == [r for r in righe if r.startswith("dpkg-query ")] and len(righe) == 1:
        print("ok: nothing missing")
    else:
        falliti += 1
        print(f"FAILED: nothing missing: exit {esito}\n{errori}\n" + "\n".join(righe))

    print(f"{len(casi) + 1 - falliti} passed, {falliti} failed")
    return 1 if falliti else 0


if __name__ == "__main__":
    sys.exit(main())
