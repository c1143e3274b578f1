#pragma once

#include "messaggi/catalogo.h"

#include <functional>
#include <string_view>

class ErroreFile;
class Modulo;

// Each is said in its turn by the presenter (see Presentatore): the code that must follow it goes
// after it with poi().

// Spoken or written, never both: with sounds on, the event's recording of the chosen set is
// played and no box is shown; with sounds off, or no audio output to hear them, its box is shown. A
// text that follows the catalogue's (the points in a refusal) is appended to the box.
void SuonaOMostra(Modulo &modulo, catalogo::Evento evento, std::string_view seguito = {});

// Events with fixed recordings and no box: their recordings of the chosen set, in order.
void SuonaEvento(Modulo &modulo, catalogo::Evento evento);

// A question: its recording when sounds are on, then its Yes/No box in every case; the answer
// (true for Yes) goes to the code given.
void ChiediDopoSuono(Modulo &modulo, catalogo::Evento evento, std::function<void(bool)> risposta);

// A set file that could not be opened, read or written: its "Errore" box, in every case.
void MostraErroreFile(Modulo &modulo, const ErroreFile &errore);
