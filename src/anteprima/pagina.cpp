#include "anteprima/pagina.h"

namespace gara::anteprima {

namespace {

constexpr std::string_view pagina = R"PAGINA(<!DOCTYPE html>
<html lang="it">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Anteprima dello scenario</title>
<style>
  :root { --testo: #222; --tenue: #666; --bordo: #d7dbe0; --errore: #b3261e; --avviso: #8a5a00;
          --fondo: #f4f5f7; --segno: #d62728; }
  * { box-sizing: border-box; }
  body { margin: 0; font: 14px/1.45 "DejaVu Sans", "Segoe UI", Arial, sans-serif; color: var(--testo);
         background: var(--fondo); }
  header { position: sticky; top: 0; z-index: 2; display: flex; gap: 16px; align-items: center;
           flex-wrap: wrap; padding: 10px 18px; background: #12355b; color: white; }
  header h1 { font-size: 17px; margin: 0; font-weight: 600; }
  #stato { padding: 2px 10px; border-radius: 12px; background: #2e8b57; font-size: 13px; }
  #stato.superata, #stato.con_errori { background: var(--errore); }
  #stato.nessuna, #stato.scollegata { background: #777; }
  #collegamento { margin-left: auto; font-size: 12px; opacity: .85; }
  main { display: grid; grid-template-columns: minmax(0, 1fr) 380px; gap: 14px; padding: 14px 18px; }
  section { background: white; border: 1px solid var(--bordo); border-radius: 6px; }
  section h2 { font-size: 14px; margin: 0; padding: 8px 12px; border-bottom: 1px solid var(--bordo);
               background: #fafbfc; }
  #riquadro-disegno { position: relative; overflow-x: auto; }
  #disegno svg { display: block; width: 100%; height: auto; min-width: 900px; }
  #disegno.superata svg { opacity: .45; filter: grayscale(60%); }
  #avviso-superata { display: none; margin: 10px 12px 0; padding: 8px 10px; border-radius: 4px;
                     background: #fdecea; color: var(--errore); font-weight: 600; }
  #avviso-superata.visibile { display: block; }
  #vuoto, #vuoto-marcia { padding: 30px 12px; color: var(--tenue); }
  #riquadro-marcia { overflow-x: auto; border-top: 1px solid var(--bordo); }
  #marcia svg { display: block; width: 100%; height: auto; min-width: 900px; }
  #marcia.superata svg { opacity: .45; filter: grayscale(60%); }
  .laterale { display: flex; flex-direction: column; gap: 14px; }
  #conteggio { padding: 8px 12px; color: var(--tenue); }
  #diagnostiche { list-style: none; margin: 0; padding: 0; max-height: 55vh; overflow-y: auto; }
  #diagnostiche li { border-top: 1px solid var(--bordo); padding: 8px 12px; cursor: pointer; }
  #diagnostiche li:hover { background: #f3f6fa; }
  #diagnostiche li.scelta { background: #e8f0fb; outline: 2px solid #7aa7e0; outline-offset: -2px; }
  .livello { font-weight: 700; text-transform: uppercase; font-size: 11px; letter-spacing: .04em; }
  .errore .livello { color: var(--errore); }
  .avviso .livello { color: var(--avviso); }
  .dove { color: var(--tenue); font-size: 12px; }
  pre { margin: 4px 0 0; padding: 4px 6px; background: #f6f7f9; border-radius: 3px; overflow-x: auto;
        font: 12px/1.4 "DejaVu Sans Mono", Consolas, monospace; }
  .nota { font-size: 12px; color: var(--tenue); margin-top: 4px; }
  #ispettore { padding: 8px 12px; min-height: 90px; }
  #ispettore .vuoto { color: var(--tenue); }
  #ispettore pre { white-space: pre-wrap; word-break: break-word; }
  @media (max-width: 1000px) { main { grid-template-columns: 1fr; } }
</style>
</head>
<body>
<header>
  <h1 id="titolo">Anteprima dello scenario</h1>
  <span id="stato" class="nessuna">in attesa</span>
  <span id="collegamento">collegamento…</span>
</header>
<main>
  <section>
    <h2>Disegno (pianta e profilo)</h2>
    <div id="avviso-superata">Le descrizioni hanno errori: questa è l'ultima immagine buona, non aggiornata.</div>
    <div id="riquadro-disegno"><div id="disegno"></div><div id="vuoto">Nessun disegno: le descrizioni non danno ancora uno scenario da disegnare (vedi la diagnostica).</div></div>
    <h2>Diagramma di marcia</h2>
    <div id="riquadro-marcia"><div id="marcia"></div><div id="vuoto-marcia">Nessun diagramma di marcia: servono almeno due stazioni con orario (valori 14, 15 e 16 della voce "stazione").</div></div>
  </section>
  <div class="laterale">
    <section>
      <h2>Diagnostica</h2>
      <div id="conteggio">—</div>
      <ul id="diagnostiche"></ul>
    </section>
    <section>
      <h2>Ispettore</h2>
      <div id="ispettore"><span class="vuoto">Punta il profilo per vedere che cosa contiene la cella e da quale voce viene.</span></div>
    </section>
  </div>
</main>
<script>
"use strict";
const NS = "http://www.w3.org/2000/svg";
let contenuto = null;
let scelta = null;        // key of the diagnostic chosen
let metroSegnato = null;  // its metre
let metroIspezionato = null;

const $ = (id) => document.getElementById(id);
const testo = (tag, t, classe) => { const e = document.createElement(tag); e.textContent = t; if (classe) e.className = classe; return e; };

const STATI = {
  aggiornata: "aggiornata",
  superata: "superata: descrizioni con errori",
  con_errori: "disegno di descrizioni con errori",
  nessuna: "nessun disegno",
};

function chiave(d) {
  return [d.identificativo, d.file, d.riga, d.colonna, d.metro].join("|");
}

function metroInX(m) {
  const p = contenuto.profilo;
  const a = p.metro_massimo > p.metro_minimo ? p.metro_massimo - p.metro_minimo : 1;
  return p.x_minimo + (m - p.metro_minimo) / a * (p.x_massimo - p.x_minimo);
}

function xInMetro(x) {
  const p = contenuto.profilo;
  return p.metro_minimo + (x - p.x_minimo) / (p.x_massimo - p.x_minimo) * (p.metro_massimo - p.metro_minimo);
}

function linea(svg, id, x, colore, spessore, tratteggio) {
  let l = svg.querySelector("#" + id);
  if (!l) { l = document.createElementNS(NS, "line"); l.setAttribute("id", id); svg.appendChild(l); }
  const p = contenuto.profilo;
  l.setAttribute("x1", x); l.setAttribute("x2", x);
  l.setAttribute("y1", p.alto); l.setAttribute("y2", p.basso);
  l.setAttribute("stroke", colore); l.setAttribute("stroke-width", spessore);
  if (tratteggio) l.setAttribute("stroke-dasharray", tratteggio);
  l.setAttribute("pointer-events", "none");
  return l;
}

function segna() {
  const svg = $("disegno").querySelector("svg");
  if (!svg || !contenuto.profilo) return;
  const vecchio = svg.querySelector("#segno-diagnostica");
  if (vecchio) vecchio.remove();
  if (metroSegnato === null) return;
  const x = metroInX(metroSegnato);
  linea(svg, "segno-diagnostica", x, "#d62728", 3, "6 3");
}

// One SVG of the content into its box, or the box's empty note: it goes in
// as it is, without its XML declaration, and only when it changed.
const mostrati = {};
function mostraSvg(id, svg, vuoto) {
  const d = $(id);
  if (svg) {
    if (mostrati[id] !== svg) { d.innerHTML = svg.replace(/^<\?xml[^>]*>\s*/, ""); mostrati[id] = svg; }
    $(vuoto).style.display = "none";
  } else {
    d.innerHTML = ""; mostrati[id] = null;
    $(vuoto).style.display = "block";
  }
  d.className = contenuto.stato;
}

function mostraDisegno() {
  const riquadro = $("riquadro-disegno");
  const scorrimento = riquadro.scrollLeft;
  mostraSvg("disegno", contenuto.svg, "vuoto");
  mostraSvg("marcia", contenuto.marcia, "vuoto-marcia");
  $("avviso-superata").className = contenuto.stato === "superata" ? "visibile" : "";
  riquadro.scrollLeft = scorrimento;
  segna();
}

function mostraDiagnostiche() {
  const n = contenuto.errori, m = contenuto.avvisi;
  $("conteggio").textContent = (n === 0 && m === 0) ? "Nessun errore e nessun avviso."
    : n + (n === 1 ? " errore" : " errori") + ", " + m + (m === 1 ? " avviso" : " avvisi");
  const ul = $("diagnostiche");
  const alto = ul.scrollTop;
  ul.replaceChildren();
  let ancora = false;
  for (const d of contenuto.diagnostiche) {
    const li = document.createElement("li");
    li.className = d.gravita;
    const k = chiave(d);
    if (k === scelta) { li.classList.add("scelta"); ancora = true; }
    const capo = document.createElement("div");
    capo.append(testo("span", d.gravita + " " + d.identificativo, "livello"), " ", testo("span", d.messaggio));
    li.append(capo);
    let dove = d.file ? d.file + (d.riga ? ", riga " + d.riga : "") + (d.colonna ? ", colonna " + d.colonna : "") : "";
    if (d.metro !== null) dove += (dove ? " · " : "") + "metro " + d.metro;
    if (dove) li.append(testo("div", dove, "dove"));
    if (d.sorgente !== undefined) {
      let t = d.sorgente;
      if (d.colonna) t += "\n" + " ".repeat(d.colonna - 1) + "^" + "~".repeat(Math.max(0, (d.colonna_fine || d.colonna + 1) - d.colonna - 1));
      li.append(testo("pre", t));
    }
    for (const c of d.correlate)
      li.append(testo("div", (c.messaggio || "vedi") + ": " + c.file + (c.riga ? ", riga " + c.riga : "") + (c.colonna ? ", colonna " + c.colonna : ""), "nota"));
    li.addEventListener("click", () => scegli(d));
    ul.append(li);
  }
  if (!ancora) { scelta = null; metroSegnato = null; }
  ul.scrollTop = alto;
}

function scegli(d) {
  scelta = chiave(d);
  metroSegnato = d.metro;
  mostraDiagnostiche();
  segna();
  if (metroSegnato !== null && contenuto.profilo) {
    const svg = $("disegno").querySelector("svg");
    const segno = svg && svg.querySelector("#segno-diagnostica");
    if (segno) segno.scrollIntoView({ block: "nearest", inline: "center" });
  }
}

function mostra(c) {
  const sx = window.scrollX, sy = window.scrollY;
  contenuto = c;
  $("titolo").textContent = "Anteprima: " + c.percorso + " – treno " + c.treno;
  const s = $("stato");
  s.textContent = STATI[c.stato] || c.stato;
  s.className = c.stato;
  mostraDisegno();
  mostraDiagnostiche();
  segna();  // the marker of an error that is gone goes with it
  document.body.dataset.versione = c.versione;
  window.scrollTo(sx, sy);
  if (metroIspezionato !== null) ispeziona(metroIspezionato);
}

let richiesta = 0;
// Metres of the profile under a few pixels of the pointer: a symbol drawn
// there finds its object at any width of the window.
function tolleranza() {
  const svg = $("disegno").querySelector("svg");
  const p = contenuto && contenuto.profilo;
  if (!svg || !p) return 0;
  const pixel = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
  const metriPerUnita = (p.metro_massimo - p.metro_minimo) / (p.x_massimo - p.x_minimo);
  return Math.round(4 * metriPerUnita / pixel);
}

async function ispeziona(metro) {
  const n = ++richiesta;
  try {
    const r = await fetch("/ispeziona/" + Math.round(metro) + "?tolleranza=" + tolleranza(), { cache: "no-store" });
    if (n !== richiesta) return;
    const box = $("ispettore");
    if (!r.ok) { box.replaceChildren(testo("span", "Nessun disegno da ispezionare.", "vuoto")); return; }
    const c = await r.json();
    metroIspezionato = metro;
    const voci = document.createElement("div");
    if (c.origine) {
      voci.append(testo("div", "Messa qui dalla voce: " + c.origine.file + ", riga " + c.origine.linea +
                               ", colonna " + c.origine.colonna, "dove"));
      if (c.origine.testo !== undefined) voci.append(testo("pre", c.origine.testo));
    } else {
      if (c.voci.length === 0) voci.append(testo("div", "Nessuna voce delle descrizioni a questo metro.", "nota"));
      for (const v of c.voci)
        voci.append(testo("div", (v.nella_cella ? "Voce di questa cella" : "Voce precedente più vicina") +
                                 ": " + v.file + ", riga " + v.linea, "dove"), testo("pre", v.testo));
    }
    const valori = document.createElement("ul");
    valori.className = "valori";
    for (const riga of c.valori) valori.append(testo("li", riga));
    const grezzo = document.createElement("details");
    grezzo.append(testo("summary", "Campi della cella come nel file"), testo("pre", c.elenco));
    box.replaceChildren(testo("div", "Cella " + c.cella + " · metro " + c.metro + (contenuto.stato === "superata" ? " (immagine superata)" : "")),
                        valori, grezzo, voci);
  } catch (e) { /* the next pointer move asks again */ }
}

let ultimaCella = null;  // the last position asked, in tens of metres
$("disegno").addEventListener("mousemove", (ev) => {
  const svg = $("disegno").querySelector("svg");
  if (!svg || !contenuto || !contenuto.profilo) return;
  const m = svg.getScreenCTM();
  if (!m) return;
  const pt = new DOMPoint(ev.clientX, ev.clientY).matrixTransform(m.inverse());
  const p = contenuto.profilo;
  if (pt.y < p.alto || pt.y > p.basso || pt.x < p.x_minimo || pt.x > p.x_massimo) return;
  linea(svg, "segno-puntatore", pt.x, "#1f5fbf", 1, "3 3");
  const metro = xInMetro(pt.x);
  const cella = Math.round(metro / 10);
  if (cella === ultimaCella) return;
  ultimaCella = cella;
  ispeziona(metro);
});

function collega() {
  const sorgente = new EventSource("/eventi");
  sorgente.onopen = () => { $("collegamento").textContent = "collegata: segue i file"; };
  sorgente.onmessage = (ev) => mostra(JSON.parse(ev.data));
  sorgente.onerror = () => {
    // What the page shows may no longer be what the files say.
    $("collegamento").textContent = "scollegata: l'anteprima è chiusa?";
    const s = $("stato");
    s.textContent = "non aggiornata";
    s.className = "scollegata";
  };
}
collega();
</script>
</body>
</html>
)PAGINA";

}  // namespace

std::string_view pagina_html() { return pagina; }

}  // namespace gara::anteprima
