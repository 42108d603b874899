#pragma once
// Where the program keeps its two files. Run from its build folder, the
// program lives beside its executable. An installed copy cannot write
// there (and should not, even for root), so each player gets a folder of
// their own under the XDG data directory, seeded from the installed files.

#include <optional>
#include <string>

namespace velmo {

// What the choice depends on, gathered by the platform.
struct FattiCartella {
  std::string cartellaEseguibile;
  bool eseguibileScrivibile = false;
  // The installed defaults lie in the data folder of the prefix the
  // executable was installed into (empty when they do not).
  std::string cartellaDatiInstallati;
  std::optional<std::string> xdgDataHome;  // the environment's values, as set
  std::optional<std::string> home;
};

struct SceltaCartella {
  std::string cartella;  // without a trailing separator
  // Where the defaults to copy into a new folder lie; empty when the
  // folder is the executable's own and nothing is copied.
  std::string cartellaSemi;
};

// The executable's folder when it is writable and not an installed copy;
// otherwise $XDG_DATA_HOME/velmo (only an absolute XDG_DATA_HOME counts),
// else $HOME/.local/share/velmo, seeded from the installed defaults or
// from the executable's folder. With neither variable usable the
// executable's folder stands, and its files are what they are.
SceltaCartella pfuncSceltaCartella(const FattiCartella& fatti);

}  // namespace velmo
