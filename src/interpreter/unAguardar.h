#pragma once
// The one way the engine waits: on the host's clock, pumping events, and
// giving up at a stop request. Pauses and the waits for a colour or a window
// all go through here.

#include <QtGlobal>
#include <functional>

namespace mivo {

class CLHost;

// No wait lasts longer than one day, whatever number a script wrote.
inline constexpr qint64 kEsperaMaximaMs = qint64(86400) * 1000;

// Polls `pronto` until it answers true or `ms` milliseconds have passed on
// the host's clock: `pronto` is asked first, then after every step of
// `passoMs` (a sleep and an event pump). A stop request ends the wait.
// Returns whether `pronto` answered true.
bool aguardarAte(CLHost& host, qint64 ms, qint64 passoMs, const std::function<bool()>& pronto);

// Waits `ms` milliseconds in steps of 50 ms, pumping events; a stop request
// ends it early.
void pausarMs(CLHost& host, qint64 ms);

// Between two steps of a long statement (the characters of a text being
// typed). A run paused there (the workbench pauses at once) holds here,
// pumping events, until it is resumed. False when a stop was asked, now or
// while paused: the statement must then do nothing more (the user who
// clicked "Encerrar" put the focus on Mivo, and the rest of a text would go
// there). A run neither paused nor stopped goes on at once.
bool aguardarRetomada(CLHost& host);

}  // namespace mivo
