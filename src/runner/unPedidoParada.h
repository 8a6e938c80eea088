#pragma once
// Stop requests from outside the program: Ctrl+C (SIGINT), SIGTERM and, on
// POSIX systems, SIGHUP (the terminal closed). A handler only records the
// request; the console host reads it on its event pump and the run stops
// after its current statement or wait step, releases what it holds and
// writes what it was asked to write. Signals the program was started with
// ignored (nohup, a background job) stay ignored.

namespace mivo {

// Installs the handlers; called once by the program, before the run.
void instalarPedidoDeParada();
// Installs `tratador` for those same signals, leaving alone the ones the
// program was started with ignored; for a program that handles the request
// itself (the workbench). The handler may only do what is
// async-signal-safe.
void instalarTratadorDeParada(void (*tratador)(int));
// True once a request arrived.
bool paradaPedida();

}  // namespace mivo
