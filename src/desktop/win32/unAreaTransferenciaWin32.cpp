#include "unAreaTransferenciaWin32.h"

#include <windows.h>

#include <cstring>

namespace mivo {

namespace {

// The clipboard opened by this thread for the lifetime of the object; it is
// not owned by any window, so no clipboard message can ever be sent to a
// thread that is not reading its messages.
class AreaAberta {
 public:
  explicit AreaAberta(const EsperaAreaTransferencia& espera) {
    for (int i = 0; i < espera.tentativas || i == 0; ++i) {
      if (i > 0) Sleep(static_cast<DWORD>(espera.intervaloMs > 0 ? espera.intervaloMs : 0));
      if (OpenClipboard(nullptr)) {
        gAberta = true;
        return;
      }
    }
  }
  ~AreaAberta() {
    if (gAberta) CloseClipboard();
  }
  AreaAberta(const AreaAberta&) = delete;
  AreaAberta& operator=(const AreaAberta&) = delete;
  bool aberta() const { return gAberta; }

 private:
  bool gAberta = false;
};

// A movable global memory block, freed unless handed over to the clipboard.
class BlocoGlobal {
 public:
  explicit BlocoGlobal(std::size_t tamanho) : gBloco(GlobalAlloc(GMEM_MOVEABLE, tamanho)) {}
  ~BlocoGlobal() {
    if (gBloco) GlobalFree(gBloco);
  }
  BlocoGlobal(const BlocoGlobal&) = delete;
  BlocoGlobal& operator=(const BlocoGlobal&) = delete;
  HGLOBAL get() const { return gBloco; }
  HGLOBAL liberar() {
    HGLOBAL b = gBloco;
    gBloco = nullptr;
    return b;
  }

 private:
  HGLOBAL gBloco;
};

void escrever32(std::vector<std::uint8_t>& destino, std::size_t pos, std::uint32_t valor) {
  for (int i = 0; i < 4; ++i) destino[pos + i] = static_cast<std::uint8_t>(valor >> (8 * i));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> dibDaImagem(const ImagemPixels& imagem) {
  const std::int64_t largura = imagem.largura;
  const std::int64_t altura = imagem.altura;
  if (largura <= 0 || altura <= 0) return std::nullopt;
  if (largura > kMaxPixelsImagem || altura > kMaxPixelsImagem ||
      largura * altura > kMaxPixelsImagem) {
    return std::nullopt;
  }
  if (static_cast<std::int64_t>(imagem.pixels.size()) != largura * altura) return std::nullopt;

  BITMAPINFOHEADER cabecalho{};
  cabecalho.biSize = sizeof(BITMAPINFOHEADER);
  cabecalho.biWidth = static_cast<LONG>(largura);
  cabecalho.biHeight = static_cast<LONG>(altura);  // positive: the bottom row first
  cabecalho.biPlanes = 1;
  cabecalho.biBitCount = 32;
  cabecalho.biCompression = BI_RGB;
  cabecalho.biSizeImage = static_cast<DWORD>(largura * altura * 4);

  std::vector<std::uint8_t> dib(sizeof(cabecalho) + static_cast<std::size_t>(largura * altura * 4));
  std::memcpy(dib.data(), &cabecalho, sizeof(cabecalho));
  std::size_t pos = sizeof(cabecalho);
  for (std::int64_t linha = altura - 1; linha >= 0; --linha) {
    for (std::int64_t coluna = 0; coluna < largura; ++coluna) {
      // 0xAARRGGBB stored little-endian is exactly blue, green, red, alpha.
      escrever32(dib, pos, imagem.pixels[static_cast<std::size_t>(linha * largura + coluna)]);
      pos += 4;
    }
  }
  return dib;
}

std::optional<std::u16string> AreaTransferenciaWin32::texto() const {
  AreaAberta area(gEspera);
  if (!area.aberta()) return std::nullopt;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::u16string();
  HANDLE dados = GetClipboardData(CF_UNICODETEXT);
  if (!dados) return std::u16string();
  const auto* texto = static_cast<const char16_t*>(GlobalLock(dados));
  if (!texto) return std::u16string();
  // Never read past the block, even when the text lacks its terminating null.
  const std::size_t maximo = GlobalSize(dados) / sizeof(char16_t);
  std::size_t n = 0;
  while (n < maximo && texto[n] != u'\0') ++n;
  std::u16string resultado(texto, n);
  GlobalUnlock(dados);
  return resultado;
}

bool AreaTransferenciaWin32::definirTexto(const std::u16string& texto) {
  return substituir(CF_UNICODETEXT, texto.c_str(), (texto.size() + 1) * sizeof(char16_t));
}

bool AreaTransferenciaWin32::definirImagem(const ImagemPixels& imagem) {
  const auto dib = dibDaImagem(imagem);
  if (!dib) return false;
  return substituir(CF_DIB, dib->data(), dib->size());
}

bool AreaTransferenciaWin32::substituir(unsigned formato, const void* dados, std::size_t tamanho) {
  BlocoGlobal bloco(tamanho);
  if (!bloco.get()) return false;
  void* destino = GlobalLock(bloco.get());
  if (!destino) return false;
  std::memcpy(destino, dados, tamanho);
  GlobalUnlock(bloco.get());

  AreaAberta area(gEspera);
  if (!area.aberta() || !EmptyClipboard()) return false;
  if (!SetClipboardData(formato, bloco.get())) return false;
  bloco.liberar();  // the clipboard owns it now
  return true;
}

}  // namespace mivo
