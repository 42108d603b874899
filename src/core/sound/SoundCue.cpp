#include "core/sound/SoundCue.h"

#include <algorithm>
#include <cctype>

namespace velmo {

namespace {

bool ugualiSenzaMaiuscole(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

const SoundCue* pfuncCercaCue(std::string_view id) {
  for (const SoundCue& cue : soundCues)
    if (ugualiSenzaMaiuscole(cue.id, id)) return &cue;
  return nullptr;
}

std::string pfuncNomeRisorsa(const SoundCue& cue) {
  std::string nome = cue.id;
  for (char& c : nome) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return nome;
}

}  // namespace velmo
