#pragma once
// AreaTransferenciaWin32: the Windows clipboard with Unicode text and
// pictures. Another program may hold the clipboard open for a moment; every
// operation then tries again a bounded number of times and gives up with
// nullopt or false, never waiting longer than the budget it was given.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "unCLDesktop.h"

namespace mivo {

// How long to keep trying while another program holds the clipboard.
struct EsperaAreaTransferencia {
  int tentativas = 20;
  int intervaloMs = 25;
};

// The largest picture placed on the clipboard, in pixels (about 64 MiB of
// pixel data): beyond it a picture is refused rather than risk exhausting
// memory.
constexpr std::int64_t kMaxPixelsImagem = 16 * 1024 * 1024;

// The packed device-independent bitmap (CF_DIB) of a picture: a
// BITMAPINFOHEADER, then 32-bit pixels (blue, green, red, alpha bytes) with
// the bottom row first. Nullopt when the picture cannot be placed: no pixels,
// a size that does not match its pixel count, or too large.
std::optional<std::vector<std::uint8_t>> dibDaImagem(const ImagemPixels& imagem);

class AreaTransferenciaWin32 {
 public:
  explicit AreaTransferenciaWin32(EsperaAreaTransferencia espera = {}) : gEspera(espera) {}

  // Nullopt when the clipboard could not be opened; an empty text when it
  // holds no text (a picture, for instance).
  std::optional<std::u16string> texto() const;
  // False when the clipboard could not be opened or would not take the text.
  bool definirTexto(const std::u16string& texto);
  // False for a picture that cannot be placed (see dibDaImagem) or when the
  // clipboard could not be opened; the clipboard is then left as it was.
  bool definirImagem(const ImagemPixels& imagem);

 private:
  // Puts one block of data on the clipboard in place of what it held.
  bool substituir(unsigned formato, const void* dados, std::size_t tamanho);

  EsperaAreaTransferencia gEspera;
};

}  // namespace mivo
