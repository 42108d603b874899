#include "core/files/ImpostazioniIniziali.h"

namespace velmo {

std::string testoImpostazioniIniziali() {
  using namespace impostazioni;
  std::string t = std::string("[") + sezioneAvvii + "]\r\n" + chiaveAvvii + "=0\r\n\r\n[" + sezioneAvvisoAudio +
                  "]\r\n" + chiaveAvvisoAudio + "=si\r\n";
  for (const char* sezione : {sezioneNome, sezioneInfo, sezionePunteggio}) {
    t += std::string("\r\n[") + sezione + "]\r\n";
    for (char posto = '1'; posto <= '5'; ++posto) t += std::string(1, posto) + "=" + vuoto + "\r\n";
  }
  return t;
}

}  // namespace velmo
