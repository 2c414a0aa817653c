#include "compilazione/compila.h"

#include "uscita/memorizza_percorso.h"

namespace gara {

risultato_compilazione compila(const sorgenti& d, const opzioni_compilazione& o) {
  risultato_compilazione r;
  stato_compilazione& s = r.stato;
  s.nome_percorso = o.nome_percorso;
  s.nome_treno = o.nome_treno;
  s.modo = o.modo;
  int32_t j = o.j;
  memorizza_percorso(s, j, d);
  return r;
}

}  // namespace gara
