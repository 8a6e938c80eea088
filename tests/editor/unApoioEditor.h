#pragma once
// Helpers of the editor tests.

#include <QByteArray>
#include <QString>

#include "unCLEditorScript.h"

namespace mivo::teste {

// Byte position of the `ocorrencia`-th (from 0) occurrence of `trecho` in the
// editor's text; -1 when missing.
inline long posicaoDe(const CLEditorScript& ed, const QString& trecho, int ocorrencia = 0) {
  const QByteArray texto = ed.text().toUtf8();
  const QByteArray t = trecho.toUtf8();
  long pos = -1;
  for (int i = 0; i <= ocorrencia; ++i) {
    pos = texto.indexOf(t, pos + 1);
    if (pos < 0) return -1;
  }
  return pos;
}

// Styles the whole text, as painting it would.
inline void estilizarTudo(CLEditorScript& ed) { ed.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L); }

inline int estiloEm(const CLEditorScript& ed, long posicao) {
  return static_cast<int>(ed.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(posicao)));
}

}  // namespace mivo::teste
