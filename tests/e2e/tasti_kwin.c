/* Presses keys and moves the pointer through KWin's fake-input Wayland
 * protocol, as the compositor delivers a player's input: the end-to-end
 * test's keyboard and mouse on KDE. Each argument is one event: a Linux key
 * or button code with a sign ("+56" presses Left Alt, "-56" releases it;
 * 272 is the left button), or "@X,Y" to move the pointer there. Connects to
 * $WAYLAND_DISPLAY; exits 1 with a message when the compositor offers no
 * fake input (version 4, with keys). */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input *ingresso;

static void globale(void *dati, struct wl_registry *registro, uint32_t nome, const char *interfaccia,
                    uint32_t versione) {
  (void)dati;
  if (strcmp(interfaccia, org_kde_kwin_fake_input_interface.name) == 0 && versione >= 4)
    ingresso = wl_registry_bind(registro, nome, &org_kde_kwin_fake_input_interface, 4);
}

static void globale_tolto(void *dati, struct wl_registry *registro, uint32_t nome) {
  (void)dati;
  (void)registro;
  (void)nome;
}

static const struct wl_registry_listener ascolto = {globale, globale_tolto};

int main(int argc, char **argv) {
  struct wl_display *display = wl_display_connect(NULL);
  if (!display) {
    fprintf(stderr, "tasti_kwin: no Wayland display\n");
    return 1;
  }
  struct wl_registry *registro = wl_display_get_registry(display);
  wl_registry_add_listener(registro, &ascolto, NULL);
  wl_display_roundtrip(display);
  if (!ingresso) {
    fprintf(stderr, "tasti_kwin: the compositor offers no fake input with keys\n");
    return 1;
  }
  org_kde_kwin_fake_input_authenticate(ingresso, "velmo tests", "end-to-end test keys");
  for (int i = 1; i < argc; ++i) {
    const char *evento = argv[i];
    char *fine = NULL;
    const long codice = strtol(evento + 1, &fine, 10);
    if (evento[0] == '@' && *fine == ',') {
      const long y = strtol(fine + 1, &fine, 10);
      if (!*fine) {
        org_kde_kwin_fake_input_pointer_motion_absolute(ingresso, wl_fixed_from_int((int)codice),
                                                        wl_fixed_from_int((int)y));
        wl_display_roundtrip(display);
        continue;
      }
    }
    if ((evento[0] != '+' && evento[0] != '-') || *fine || codice <= 0) {
      fprintf(stderr, "tasti_kwin: \"%s\" is not +CODE, -CODE or @X,Y\n", evento);
      return 2;
    }
    const uint32_t premuto = evento[0] == '+';
    if (codice >= 0x110) /* BTN_MOUSE and on: a button */
      org_kde_kwin_fake_input_button(ingresso, (uint32_t)codice, premuto);
    else
      org_kde_kwin_fake_input_keyboard_key(ingresso, (uint32_t)codice,
                                           premuto ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    /* One event at a time, as a keyboard sends them. */
    if (wl_display_roundtrip(display) < 0) {
      fprintf(stderr, "tasti_kwin: the compositor closed the connection\n");
      return 1;
    }
  }
  org_kde_kwin_fake_input_destroy(ingresso);
  wl_display_disconnect(display);
  return 0;
}
